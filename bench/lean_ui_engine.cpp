#include "bench/lean_ui_engine.h"

#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>

#include "platform/text_encoding.h"

namespace orv::bench {

struct LeanNode {
  char name[64] = {};
  std::uint32_t id = 0;
  std::uint32_t type = 0;
  char layout_text[1024] = {};
  char text[1024] = {};
  int visible = 1;
  int enabled = 1;
  int position = 0;
  LeanNode* first_child = nullptr;
  LeanNode* next = nullptr;
  void* object = nullptr;  // the interface handed out: IUIObject*, or IUIWindowRoot* for the root
  std::unique_ptr<void, void (*)(void*)> owner{nullptr, [](void*) {}};
};

namespace {

constexpr std::uint32_t kContainerType = 0x101;
constexpr std::uint32_t kProgressType = 0x154;
constexpr std::uint32_t kOtherType = 0x152;

void CopyBounded(char* out, int size, const char* text) {
  if (out == nullptr || size < 1) return;
  std::strncpy(out, text, static_cast<size_t>(size) - 1);
  out[size - 1] = '\0';
}

// What every object answers. Not `override`: the window root has no GetText slot.
template <class Interface>
class LeanObject : public Interface {
 public:
  LeanObject(LeanUIEngine* engine, LeanNode* node) : engine_(engine), node_(node) {}
  int Show(int show) { return Note(UICall::kShow, show), node_->visible = show, 1; }
  int Enable(int enable) { return Note(UICall::kEnable, enable), node_->enabled = enable, 1; }
  int BeginUpdate() { return Note(UICall::kBegin), 1; }
  int EndUpdate() { return Note(UICall::kEnd), 1; }
  IUIObject* GetFirstChild() { return Handed(UICall::kFirstChild, node_->first_child); }
  IUIObject* GetNextSibling() { return Handed(UICall::kNextSibling, node_->next); }
  std::uint32_t GetType() { return Note(UICall::kGetType), node_->type; }
  int GetText(char* buffer, int size) {
    return Note(UICall::kGetText, size), CopyBounded(buffer, size, node_->layout_text), 1;
  }

 protected:
  void Note(UICall::Op op, int arg = 0, const char* text = nullptr) {
    engine_->Note(op, this, nullptr, arg, text);
  }
  IUIObject* Handed(UICall::Op op, LeanNode* node) {
    auto* object = static_cast<IUIObject*>(node != nullptr ? node->object : nullptr);
    engine_->Note(op, this, object);
    return object;
  }
  LeanUIEngine* engine_;
  LeanNode* node_;
};

class LeanPlain final : public LeanObject<IUIObject> {
 public:
  using LeanObject::LeanObject;
};

class LeanStatic final : public LeanObject<IUIStaticText> {
 public:
  using LeanObject::LeanObject;
  int SetText(const char* text) override {
    return Note(UICall::kSetText, 0, text), CopyBounded(node_->text, sizeof node_->text, text), 1;
  }
  int Refresh() override { return Note(UICall::kRefresh), 1; }
};

class LeanBar final : public LeanObject<IUIProgressBar> {
 public:
  using LeanObject::LeanObject;
  int SetRange(int, int, int) override { return 1; }
  int SetPos(int position, int) override {
    return Note(UICall::kSetPos, position), node_->position = position, 1;
  }
  int SetBarOption(int) override { return 1; }
};

class LeanRoot final : public LeanObject<IUIWindowRoot> {
 public:
  using LeanObject::LeanObject;
  IUIObject* LoadFromLayout(const char*, int) override { return nullptr; }
  int PrepareWindow() override { return 1; }
  std::uint32_t DoModal() override { return 0; }
  int EndModal(std::uint32_t) override { return 1; }
};

template <class Object>
void Attach(LeanUIEngine* engine, LeanNode* node) {
  auto* object = new Object(engine, node);
  node->object = object;  // the interface is the first and only base: the same address
  node->owner = {object, [](void* o) { delete static_cast<Object*>(o); }};
}

}  // namespace

LeanUIEngine::LeanUIEngine() = default;
LeanUIEngine::~LeanUIEngine() = default;

bool LeanUIEngine::Load(const std::string& native_path, std::string* error) {
  nlohmann::json document;
  try {
    std::ifstream(native_path) >> document;
  } catch (const std::exception& e) {
    *error = native_path + ": " + e.what();
    return false;
  }
  const nlohmann::json& top =
      document.value("/OrvexUILayout/UIObject"_json_pointer, nlohmann::json());
  if (!top.is_object()) {
    *error = native_path + ": no /OrvexUILayout/UIObject";
    return false;
  }
  nodes_.clear();
  auto add = [this](const char* name, std::uint32_t type) {
    nodes_.push_back(std::make_unique<LeanNode>());
    LeanNode* node = nodes_.back().get();
    CopyBounded(node->name, sizeof node->name, name);
    node->id = static_cast<std::uint32_t>(nodes_.size());
    node->type = type;
    return node;
  };
  LeanNode* root = add("MainWindow", 0x100);
  Attach<LeanRoot>(this, root);
  // Depth first, children linked in the file's order.
  auto load = [&](auto& self, const nlohmann::json& object, LeanNode** link) -> void {
    const std::string type = object.value("type", "");
    LeanNode* node = add(object.value("name", "").c_str(), type == "static"      ? kStaticTextType
                                                           : type == "progress"  ? kProgressType
                                                           : type == "container" ? kContainerType
                                                                                 : kOtherType);
    const std::string text = platform::Utf8ToGbk(object.value("text", ""));
    CopyBounded(node->layout_text, sizeof node->layout_text, text.c_str());
    if (node->type == kStaticTextType) {
      Attach<LeanStatic>(this, node);
    } else if (node->type == kProgressType) {
      Attach<LeanBar>(this, node);
    } else {
      Attach<LeanPlain>(this, node);
    }
    *link = node;
    LeanNode** child_link = &node->first_child;
    for (const nlohmann::json& child : object.value("children", nlohmann::json::array())) {
      self(self, child, child_link);
      child_link = &(*child_link)->next;
    }
  };
  load(load, top, &root->first_child);
  return true;
}

void LeanUIEngine::Record(UIScript* script) {
  script_ = script;
  numbers_.clear();
  id_numbers_.clear();
}

int LeanUIEngine::Number(const void* object) {
  auto found = numbers_.find(object);
  if (found != numbers_.end()) return found->second;
  const int number = static_cast<int>(script_->is_root.size());
  script_->is_root.push_back(object == nodes_[0]->object);
  numbers_.emplace(object, number);
  return number;
}

void LeanUIEngine::Note(UICall::Op op, const void* target, const void* result, int arg,
                        const char* text) {
  if (script_ == nullptr) return;
  UICall call{op};
  if (target != nullptr) call.target = Number(target);
  if (result != nullptr) call.result = Number(result);
  call.arg = arg;
  if (text != nullptr) call.text = text;
  script_->calls.push_back(std::move(call));
}

std::uint32_t LeanUIEngine::FindControl(const char* name) {
  std::uint32_t id = 0;
  for (const auto& node : nodes_) {
    if (name != nullptr && std::strcmp(node->name, name) == 0) {
      id = node->id;
      break;
    }
  }
  if (script_ != nullptr) {
    UICall call{UICall::kFind};
    call.text = name != nullptr ? name : "";
    call.result = script_->ids++;
    id_numbers_[id] = call.result;
    script_->calls.push_back(std::move(call));
  }
  return id;
}

IUIObject* LeanUIEngine::GetControl(std::uint32_t control_id) {
  IUIObject* object = control_id >= 1 && control_id <= nodes_.size()
                          ? static_cast<IUIObject*>(nodes_[control_id - 1]->object)
                          : nullptr;
  if (script_ != nullptr) {
    UICall call{UICall::kGetControl};
    auto found = id_numbers_.find(control_id);
    call.arg = found != id_numbers_.end() ? found->second : -1;
    if (object != nullptr) call.result = Number(object);
    script_->calls.push_back(std::move(call));
  }
  return object;
}

IUIWindowRoot* LeanUIEngine::GetRootObject() {
  auto* root = static_cast<IUIWindowRoot*>(nodes_.empty() ? nullptr : nodes_[0]->object);
  Note(UICall::kGetRoot, nullptr, root);
  return root;
}

void Replay(IUILayoutEngine* ui, const UIScript& script, std::vector<void*>& objects,
            std::vector<std::uint32_t>& ids) {
  char text[1024];
  const auto object = [&](int n) { return static_cast<IUIObject*>(objects[n]); };
  const auto root = [&](int n) { return static_cast<IUIWindowRoot*>(objects[n]); };
  const auto keep = [&](int n, void* o) {
    if (n >= 0) objects[n] = o;
  };
  for (const UICall& c : script.calls) {
    const bool on_root = c.target >= 0 && script.is_root[c.target];
    switch (c.op) {
      case UICall::kGetRoot: keep(c.result, ui->GetRootObject()); break;
      case UICall::kFind: ids[c.result] = ui->FindControl(c.text.c_str()); break;
      case UICall::kGetControl: keep(c.result, ui->GetControl(c.arg >= 0 ? ids[c.arg] : 0)); break;
      case UICall::kBegin:
        on_root ? root(c.target)->BeginUpdate() : object(c.target)->BeginUpdate();
        break;
      case UICall::kShow:
        on_root ? root(c.target)->Show(c.arg) : object(c.target)->Show(c.arg);
        break;
      case UICall::kEnd:
        on_root ? root(c.target)->EndUpdate() : object(c.target)->EndUpdate();
        break;
      case UICall::kEnable: object(c.target)->Enable(c.arg); break;
      case UICall::kFirstChild:
        keep(c.result,
             on_root ? root(c.target)->GetFirstChild() : object(c.target)->GetFirstChild());
        break;
      case UICall::kNextSibling: keep(c.result, object(c.target)->GetNextSibling()); break;
      case UICall::kGetType: object(c.target)->GetType(); break;
      case UICall::kRefresh: static_cast<IUIStaticText*>(object(c.target))->Refresh(); break;
      case UICall::kGetText: object(c.target)->GetText(text, c.arg < 1024 ? c.arg : 1024); break;
      case UICall::kSetText:
        static_cast<IUIStaticText*>(object(c.target))->SetText(c.text.c_str());
        break;
      case UICall::kSetPos: static_cast<IUIProgressBar*>(object(c.target))->SetPos(c.arg, 1); break;
    }
  }
}

}  // namespace orv::bench
