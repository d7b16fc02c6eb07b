#include "testbed/ui_engine/ui_layout_engine.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "framework/property_bag.h"
#include "platform/text_encoding.h"
#include "testbed/runtime/message_loop.h"
#include "testbed/ui_engine/layout_loader.h"
#include "testbed/ui_engine/view_renderer.h"

namespace orv::testbed {
namespace {

// Every engine alive in the process, so that a pointer can be checked before it is trusted.
std::mutex g_engines_mutex;
std::vector<UILayoutEngine*> g_engines;  // in order of creation
bool g_show_windows = false;

std::string Text(const char* s) { return s ? s : "<null>"; }

}  // namespace

UILayoutEngine::UILayoutEngine(std::string window_name)
    : window_(MakeElement(this, ElementKind::kWindow, std::move(window_name))) {
  // A named window is the launcher's own and on screen; a dialog's engine shows nothing until
  // its layout is loaded and shown.
  window_->visible = !window_->name().empty();
  AssignIds(window_.get());
  if (g_show_windows) view_ = std::make_unique<WindowView>(this);
  std::lock_guard<std::mutex> hold(g_engines_mutex);
  g_engines.push_back(this);
}

UILayoutEngine::~UILayoutEngine() {
  std::lock_guard<std::mutex> hold(g_engines_mutex);
  g_engines.erase(std::remove(g_engines.begin(), g_engines.end(), this), g_engines.end());
}

UILayoutEngine* UILayoutEngine::From(IUILayoutEngine* engine) {
  // Compared as the live engines' interface pointers: the pointer given may be stale, so it
  // is never cast (or followed) before it is known to be alive.
  std::lock_guard<std::mutex> hold(g_engines_mutex);
  for (UILayoutEngine* alive : g_engines) {
    if (static_cast<IUILayoutEngine*>(alive) == engine) return alive;
  }
  return nullptr;
}

std::vector<UILayoutEngine*> UILayoutEngine::All() {
  std::lock_guard<std::mutex> hold(g_engines_mutex);
  return g_engines;
}

bool UILayoutEngine::ShowWindows() {
  if (!platform::NativeWindowsAvailable()) return false;
  g_show_windows = true;
  for (UILayoutEngine* engine : All()) {
    if (!engine->view_) engine->view_ = std::make_unique<WindowView>(engine);
  }
  return true;
}

void UILayoutEngine::Record(const std::string& call) { calls_.push_back(call); }

void UILayoutEngine::ElementChanged(Element* element) {
  if (view_) view_->Update(*element);
}

void UILayoutEngine::AssignIds(Element* subtree) {
  subtree->set_id(next_id_++);
  by_id_[subtree->id()] = subtree;
  for (const auto& child : subtree->children()) AssignIds(child.get());
}

void UILayoutEngine::RegisterNames(Element* subtree) {
  if (!subtree->name().empty() && names_.count(subtree->name()) == 0) {
    names_[subtree->name()] = subtree->id();
  }
  for (const auto& child : subtree->children()) RegisterNames(child.get());
}

std::uint32_t UILayoutEngine::LoadLayout(const char* path, std::uint32_t parent) {
  Record("LoadLayout(" + Text(path) + "," + std::to_string(parent) + ")");
  std::string file;
  std::string node;
  SplitLayoutPath(path ? path : "", &file, &node);
  auto tree = LoadLayoutTree(this, file, node, &last_error_);
  if (!tree) return 0;
  // A dialog's layout is a window of its own: it becomes the engine's window.
  if (tree->kind() == ElementKind::kWindow) {
    window_ = std::move(tree);
  } else {
    window_->AddChild(std::move(tree));
  }
  by_id_.clear();
  names_.clear();
  next_id_ = 1;
  AssignIds(window_.get());
  RegisterNames(window_.get());
  if (view_) view_->Rebuild();
  return window_->id();
}

IUIObject* UILayoutEngine::LoadIntoWindow(Element* window, const char* path) {
  std::string file;
  std::string node;
  SplitLayoutPath(path ? path : "", &file, &node);
  auto tree = LoadLayoutTree(this, file, node, &last_error_);
  if (!tree) return nullptr;
  Element* loaded = window->AddChild(std::move(tree));
  AssignIds(loaded);
  if (view_) view_->Rebuild();
  return loaded->Handle();
}

int UILayoutEngine::AttachObject(IUIObject* loaded) {
  Element* element = ElementFor(loaded);
  Record("AttachObject(" + (element ? element->name() : std::string("<null>")) + ")");
  if (element == nullptr) return 0;
  RegisterNames(element);
  return 1;
}

int UILayoutEngine::SetOwnerWindow(platform::WindowHandle owner) {
  Record("SetOwnerWindow(" + std::to_string(reinterpret_cast<std::uintptr_t>(owner)) + ")");
  owner_ = owner;
  return 1;
}

int UILayoutEngine::ReleaseControl(std::uint32_t control_id) {
  Record("ReleaseControl(" + NameOrId(control_id) + ")");
  return ById(control_id) != nullptr ? 1 : 0;
}

std::uint32_t UILayoutEngine::FindControl(const char* name) {
  Record("FindControl(" + Text(name) + ")");
  if (name == nullptr) return 0;
  auto found = names_.find(name);
  return found == names_.end() ? 0 : found->second;
}

IUIObject* UILayoutEngine::GetControl(std::uint32_t control_id) {
  Record("GetControl(" + NameOrId(control_id) + ")");
  Element* control = ById(control_id);
  return control != nullptr ? control->Handle() : nullptr;
}

IUIWindowRoot* UILayoutEngine::GetRootObject() {
  Record("GetRootObject");
  return AsWindowRoot(window_->Handle());
}

int UILayoutEngine::AddEventSink(std::uint32_t control_id, IUIEventSink* sink) {
  Record("AddEventSink(" + NameOrId(control_id) + ")");
  if (sink == nullptr) return 0;
  // One registration per control and sink: a window that binds its buttons again (a second
  // Init into the same launcher window) is still unbound by one removal.
  auto range = sinks_.equal_range(control_id);
  for (auto it = range.first; it != range.second; ++it) {
    if (it->second == sink) return 1;
  }
  sinks_.emplace(control_id, sink);
  return 1;
}

int UILayoutEngine::RemoveEventSink(std::uint32_t control_id, IUIEventSink* sink) {
  Record("RemoveEventSink(" + NameOrId(control_id) + ")");
  auto range = sinks_.equal_range(control_id);
  for (auto it = range.first; it != range.second; ++it) {
    if (it->second == sink) {
      sinks_.erase(it);
      return 1;
    }
  }
  return 0;
}

int UILayoutEngine::GetProperties(IPropertyBag* bag, std::uint32_t key) {
  Record("GetProperties(" + std::to_string(key) + ")");
  if (bag == nullptr) return 0;
  if (key == kOwnerWindowKey) {
    bag->SetDword(key,
                  static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(WindowHandle())));
  }
  return 1;
}

platform::WindowHandle UILayoutEngine::WindowHandle() const {
  if (view_ && view_->window() != nullptr) return view_->window();
  // A nonzero value that names this engine's window for as long as the engine lives.
  return reinterpret_cast<platform::WindowHandle>(static_cast<std::uintptr_t>(
      0x10000u + (reinterpret_cast<std::uintptr_t>(this) >> 4 & 0xFFFFu)));
}

Element* UILayoutEngine::ElementFor(IUIObject* object) const {
  if (object == nullptr) return nullptr;
  for (const auto& entry : by_id_) {
    if (entry.second->Handle() == object) return entry.second;
  }
  return nullptr;
}

Element* UILayoutEngine::ById(std::uint32_t control_id) const {
  auto found = by_id_.find(control_id);
  return found != by_id_.end() ? found->second : nullptr;
}

std::string UILayoutEngine::NameOrId(std::uint32_t control_id) const {
  const Element* control = ById(control_id);
  return control != nullptr ? control->name() : std::to_string(control_id);
}

Element* UILayoutEngine::Find(const std::string& name) const {
  for (const auto& entry : by_id_) {
    if (entry.second->name() == name) return entry.second;
  }
  return nullptr;
}

std::uint32_t UILayoutEngine::RunModal(Element* window) {
  // A modal window is on screen while it runs and goes away when the run ends.
  window->visible = true;
  if (view_) view_->SetModal(true, owner_);
  modal_runs_.push_back(ModalRun{window, false, 0});
  const size_t depth = modal_runs_.size();
  const std::weak_ptr<bool> alive = alive_;
  MessageLoop::Instance().RunUntil(
      [this, &alive, depth] { return alive.expired() || modal_runs_[depth - 1].ended; });
  if (alive.expired()) return 0;
  const std::uint32_t result = modal_runs_[depth - 1].ended ? modal_runs_[depth - 1].result : 0;
  modal_runs_.resize(depth - 1);
  window->visible = false;
  if (view_) view_->SetModal(false, owner_);
  return result;
}

void UILayoutEngine::EndModal(Element* window, std::uint32_t control_id) {
  for (auto run = modal_runs_.rbegin(); run != modal_runs_.rend(); ++run) {
    if (run->window == window && !run->ended) {
      run->ended = true;
      run->result = control_id;
      return;
    }
  }
}

void UILayoutEngine::Deliver(std::uint32_t control_id, std::int32_t code) {
  Element* control = ById(control_id);
  if (control == nullptr) return;
  // The control's own sinks, then those of its ancestors (a dialog registers on its root).
  std::vector<IUIEventSink*> receivers;
  for (Element* e = control; e != nullptr; e = e->parent()) {
    auto range = sinks_.equal_range(e->id());
    for (auto it = range.first; it != range.second; ++it) receivers.push_back(it->second);
  }
  for (IUIEventSink* sink : receivers) {
    // A handler may remove sinks or end the engine's use: deliver only to those still there.
    bool still_registered = false;
    for (const auto& entry : sinks_) still_registered = still_registered || entry.second == sink;
    if (!still_registered) continue;
    auto* event = new PropertyBag;
    event->SetInt(kEventCodeKey, code);
    const std::weak_ptr<bool> alive = alive_;
    sink->OnUIEvent(control_id, event);
    event->Release(0);
    if (alive.expired()) return;  // a handler released this engine: nothing more to deliver
  }
}

bool UILayoutEngine::Click(const std::string& name) {
  Element* target = Find(name);
  if (target == nullptr || !target->ShownOnScreen() || !target->enabled) return false;
  const std::uint32_t id = target->id();
  MessageLoop::Instance().Post([this, alive = std::weak_ptr<bool>(alive_), id] {
    if (!alive.expired()) Deliver(id, kEventClick);
  });
  return true;
}

bool UILayoutEngine::SendEvent(const std::string& name, std::int32_t code) {
  Element* target = Find(name);
  if (target == nullptr) return false;
  const std::uint32_t id = target->id();
  MessageLoop::Instance().Post([this, alive = std::weak_ptr<bool>(alive_), id, code] {
    if (!alive.expired()) Deliver(id, code);
  });
  return true;
}

bool UILayoutEngine::SelectComboItem(const std::string& name, int position) {
  Element* target = Find(name);
  if (target == nullptr || target->kind() != ElementKind::kCombo || !target->ShownOnScreen() ||
      position < 0 || position >= static_cast<int>(target->items.size())) {
    return false;
  }
  const std::uint32_t id = target->id();
  MessageLoop::Instance().Post([this, alive = std::weak_ptr<bool>(alive_), id, position] {
    if (alive.expired()) return;
    Element* combo = ById(id);
    if (combo == nullptr) return;
    combo->selection = position;
    combo->Changed();
    Deliver(id, kEventComboSelectionChanged);
  });
  return true;
}

bool UILayoutEngine::TypeText(const std::string& name, const std::string& gbk_text) {
  Element* target = Find(name);
  if (target == nullptr || !target->ShownOnScreen() || !target->enabled ||
      (target->kind() != ElementKind::kEdit && target->kind() != ElementKind::kPassword)) {
    return false;
  }
  target->text = gbk_text;
  target->Changed();
  return true;
}

bool UILayoutEngine::ActOnScreen(const std::string& verb, const std::string& name,
                                 const std::string& argument) {
  Element* target = Find(name);
  platform::NativeHandle control = target && view_ ? view_->ControlOf(*target) : nullptr;
  if (control == nullptr || !target->ShownOnScreen() || !target->enabled) return false;
  const ElementKind kind = target->kind();
  if (verb == "click" && kind == ElementKind::kButton) {
    platform::ClickNative(control);
  } else if (verb == "choose" && kind == ElementKind::kCombo) {
    const int entry = std::atoi(argument.c_str());
    if (entry < 0 || entry >= static_cast<int>(target->items.size())) return false;
    platform::ChooseNative(control, entry);
  } else if (verb == "type" && (kind == ElementKind::kEdit || kind == ElementKind::kPassword)) {
    platform::TypeNative(control, platform::GbkToUtf8(argument));
  } else {
    return false;
  }
  return true;
}

std::string UILayoutEngine::Render() const { return RenderView(*window_); }

}  // namespace orv::testbed
