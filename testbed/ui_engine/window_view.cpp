#include "testbed/ui_engine/window_view.h"

#include <algorithm>
#include <vector>

#include "platform/text_encoding.h"
#include "testbed/ui_engine/ui_layout_engine.h"
#include "testbed/ui_engine/view_renderer.h"

namespace orv::testbed {
namespace {

using platform::NativeHandle;
using platform::NativeKind;
using platform::NativeRect;

// The launcher's window opens in the middle of the screen, where the system's message boxes
// come too; dialogs open centred over it.
constexpr int kSmallestWidth = 160;
constexpr int kSmallestHeight = 60;
constexpr int kLabelWidth = 84;

std::vector<WindowView*> g_views;  // the UI thread's only

NativeKind NativeKindOf(ElementKind kind) {
  switch (kind) {
    case ElementKind::kStatic: return NativeKind::kStatic;
    case ElementKind::kButton: return NativeKind::kButton;
    case ElementKind::kProgressBar: return NativeKind::kProgressBar;
    case ElementKind::kEdit: return NativeKind::kEdit;
    case ElementKind::kPassword: return NativeKind::kPassword;
    case ElementKind::kCombo: return NativeKind::kCombo;
    case ElementKind::kWindow:
    case ElementKind::kContainer: break;
  }
  return NativeKind::kPanel;
}

// The launcher's own window: the first view that is not a dialog's.
NativeHandle MainWindow() {
  for (WindowView* view : g_views) {
    if (!view->is_dialog()) return view->window();
  }
  return nullptr;
}

std::string Title(const Element& window) {
  return window.layout_text.empty() ? window.name() : platform::GbkToUtf8(window.layout_text);
}

}  // namespace

WindowView::WindowView(UILayoutEngine* engine)
    : engine_(engine), is_dialog_(engine->window()->name().empty()) {
  NativeHandle owner = is_dialog_ ? MainWindow() : nullptr;
  window_ = platform::CreateNativeWindow(Title(*engine->window()), NativeRect{0, 0, 200, 100},
                                         owner, this);
  g_views.push_back(this);
  Rebuild();
}

WindowView::~WindowView() {
  g_views.erase(std::remove(g_views.begin(), g_views.end(), this), g_views.end());
  if (disabled_owner_ != nullptr) platform::EnableNative(disabled_owner_, true);
  platform::DestroyNative(window_);
}

void WindowView::Rebuild() {
  // The old tree may be gone already (a dialog's layout replaces its window): its controls
  // are let go of by their handles alone, each top one taking its children with it.
  for (NativeHandle control : top_controls_) platform::DestroyNative(control);
  top_controls_.clear();
  controls_.clear();
  elements_.clear();
  labels_.clear();
  Element* root = engine_->window();
  controls_[root] = window_;
  Place();
  for (const auto& child : root->children()) Build(*child, window_);
  for (const auto& child : root->children()) {
    if (controls_.count(child.get()) != 0) top_controls_.push_back(controls_[child.get()]);
  }
  Apply(*root, window_);
}

void WindowView::Place() {
  const Element& root = *engine_->window();
  int width = root.has_rect ? root.rect.width : 0;
  int height = root.has_rect ? root.rect.height : 0;
  for (const auto& child : root.children()) {
    if (!child->has_rect) continue;
    width = std::max(width, child->rect.x + child->rect.width);
    height = std::max(height, child->rect.y + child->rect.height);
  }
  const NativeRect screen = platform::NativeScreenArea();
  NativeRect place{0, 0, std::max(width, kSmallestWidth), std::max(height, kSmallestHeight)};
  place.x = screen.x + std::max(0, (screen.width - place.width) / 2);
  place.y = screen.y + std::max(0, (screen.height - place.height) / 2);
  const NativeHandle main = MainWindow();
  if (is_dialog_ && main != nullptr && main != window_) {
    const NativeRect over = platform::NativeWindowRect(main);
    place.x = std::max(0, over.x + (over.width - place.width) / 2);
    // Never above the window's top, so a dialog taller than the window still shows it.
    place.y = over.y + std::max(0, (over.height - place.height) / 2);
  }
  platform::PlaceNativeWindow(window_, place);
}

void WindowView::Build(const Element& element, NativeHandle parent) {
  if (!element.has_rect || parent == nullptr) return;
  const Element::Rect& r = element.rect;
  NativeHandle control = platform::CreateNativeControl(parent, NativeKindOf(element.kind()),
                                                       NativeRect{r.x, r.y, r.width, r.height});
  if (control == nullptr) return;
  controls_[&element] = control;
  elements_[control] = &element;
  if (!element.label.empty()) {
    // A field's label stands to its left, as in a dialog.
    NativeHandle label = platform::CreateNativeControl(
        parent, NativeKind::kStatic,
        NativeRect{r.x - kLabelWidth - 6, r.y + 4, kLabelWidth, r.height - 4});
    platform::SetNativeText(label, platform::GbkToUtf8(element.label));
    labels_[&element] = label;
    if (parent == window_) top_controls_.push_back(label);
  }
  if (element.key == ButtonKey::kEnter) platform::SetNativeDefault(control, true);
  if (element.kind() == ElementKind::kCombo) {
    std::vector<std::string> items;
    for (const std::string& item : element.items) items.push_back(platform::GbkToUtf8(item));
    platform::SetNativeItems(control, items);
  }
  for (const auto& child : element.children()) Build(*child, control);
  Apply(element, control);
}

void WindowView::Apply(const Element& element, NativeHandle control) {
  applying_ = true;
  platform::ShowNative(control, element.visible);
  if (labels_.count(&element) != 0) platform::ShowNative(labels_[&element], element.visible);
  if (control == window_) {
    platform::SetNativeText(control, Title(element));
    // The launcher's window comes to the front when it first shows, as a program's does.
    if (element.visible && !is_dialog_ && !activated_) {
      activated_ = true;
      platform::BringNativeToFront(window_);
    }
    applying_ = false;
    return;
  }
  platform::EnableNative(control, element.enabled);
  switch (element.kind()) {
    case ElementKind::kStatic:
      platform::SetNativeText(
          control, platform::GbkToUtf8(element.text.empty() ? element.layout_text : element.text));
      break;
    case ElementKind::kButton: platform::SetNativeText(control, ButtonLabel(element)); break;
    case ElementKind::kProgressBar:
      platform::SetNativeProgress(control, element.range_min, element.range_max, element.position);
      break;
    case ElementKind::kEdit:
    case ElementKind::kPassword:
      platform::SetNativeText(control, platform::GbkToUtf8(element.text));
      break;
    case ElementKind::kCombo:
      if (platform::NativeSelection(control) != element.selection) {
        platform::SetNativeSelection(control, element.selection);
      }
      break;
    case ElementKind::kWindow:
    case ElementKind::kContainer: break;
  }
  applying_ = false;
}

void WindowView::Update(const Element& element) {
  auto found = controls_.find(&element);
  if (found != controls_.end()) Apply(element, found->second);
}

void WindowView::SetModal(bool modal, NativeHandle owner) {
  if (owner == nullptr) owner = MainWindow();
  if (owner != window_) {
    platform::EnableNative(owner, !modal);
    disabled_owner_ = modal ? owner : nullptr;
  }
  Update(*engine_->window());
  // A dialog opens with the focus on its first control, as the system's do.
  if (modal && is_dialog_) platform::FocusNative(window_);
}

NativeHandle WindowView::ControlOf(const Element& element) const {
  auto found = controls_.find(&element);
  return found == controls_.end() ? nullptr : found->second;
}

const Element* WindowView::ElementOf(NativeHandle control) const {
  auto found = elements_.find(control);
  return found == elements_.end() ? nullptr : found->second;
}

bool WindowView::ClickButtonFor(ButtonKey key) {
  for (const auto& entry : elements_) {
    const Element& e = *entry.second;
    if (e.kind() == ElementKind::kButton && e.key == key && engine_->Click(e.name())) return true;
  }
  return false;
}

bool WindowView::OnScreen() const { return window_ != nullptr && engine_->window()->visible; }

void WindowView::OnNativeInput(NativeHandle control, platform::NativeInput input) {
  if (applying_) return;
  if (input == platform::NativeInput::kClose) {
    // A dialog's own Close button takes it, as the title bar's close box would.
    if (!ClickButtonFor(ButtonKey::kClose)) close_requested_ = true;
    return;
  }
  if (input == platform::NativeInput::kCancel) {
    // Esc cancels a dialog; the launcher's window stays (its Cancel stops the update).
    if (is_dialog_ && !ClickButtonFor(ButtonKey::kEscape)) ClickButtonFor(ButtonKey::kClose);
    return;
  }
  auto found = elements_.find(control);
  if (found == elements_.end()) return;
  const std::string& name = found->second->name();
  switch (input) {
    case platform::NativeInput::kClick: engine_->Click(name); break;
    case platform::NativeInput::kEditChanged:
      engine_->TypeText(name, platform::Utf8ToGbk(platform::NativeText(control)));
      break;
    case platform::NativeInput::kComboChanged:
      engine_->SelectComboItem(name, platform::NativeSelection(control));
      break;
    case platform::NativeInput::kClose:
    case platform::NativeInput::kCancel: break;
  }
}

}  // namespace orv::testbed
