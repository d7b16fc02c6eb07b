#include "testbed/ui_engine/element.h"

#include <cstring>

#include "testbed/ui_engine/ui_layout_engine.h"

namespace orv::testbed {
namespace {

std::string Int(int value) { return std::to_string(value); }

// The slots every object shares, for each interface that carries them.
template <class Interface>
class TElement : public Interface, public Element {
 public:
  TElement(UILayoutEngine* engine, ElementKind kind, std::string name)
      : Element(engine, kind, std::move(name)) {}

  IUIObject* Handle() override {
    return reinterpret_cast<IUIObject*>(static_cast<Interface*>(this));
  }

  int Show(int show) override {
    Record("Show(" + Int(show) + ")");
    visible = show != 0;
    Changed();
    return 1;
  }
  int Enable(int enable) override {
    Record("Enable(" + Int(enable) + ")");
    enabled = enable != 0;
    Changed();
    return 1;
  }
  int BeginUpdate() override {
    Record("BeginUpdate");
    ++update_depth;
    return 1;
  }
  int EndUpdate() override {
    Record("EndUpdate");
    if (update_depth > 0) --update_depth;
    return 1;
  }
  IUIObject* GetFirstChild() override {
    Record("GetFirstChild");
    return children().empty() ? nullptr : children().front()->Handle();
  }
  IUIObject* GetNextSibling() override {
    Record("GetNextSibling");
    Element* next = NextSibling();
    return next ? next->Handle() : nullptr;
  }
  std::uint32_t GetType() override {
    Record("GetType");
    return TypeCode(kind());
  }
};

// Containers and buttons: the common slots; GetText answers the layout text as for statics.
class PlainElement : public TElement<IUIObject> {
 public:
  using TElement::TElement;
  int GetText(char* buffer, int size) override {
    Record("GetText");
    return CopyOut(layout_text, buffer, size);
  }
  static int CopyOut(const std::string& value, char* buffer, int size) {
    if (buffer == nullptr || size < 1) return 0;
    const size_t length = value.size() < static_cast<size_t>(size) ? value.size() : size - 1;
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
  }
};

class StaticTextElement : public TElement<IUIStaticText> {
 public:
  using TElement::TElement;
  int GetText(char* buffer, int size) override {
    Record("GetText");
    return PlainElement::CopyOut(layout_text, buffer, size);
  }
  int SetText(const char* value) override {
    Record("SetText");
    text = value ? value : "";
    Changed();
    return 1;
  }
  int Refresh() override {
    Record("Refresh");
    return 1;
  }
};

class ProgressBarElement : public TElement<IUIProgressBar> {
 public:
  using TElement::TElement;
  int GetText(char* buffer, int size) override { return PlainElement::CopyOut("", buffer, size); }
  int SetRange(int minimum, int maximum, int redraw) override {
    Record("SetRange(" + Int(minimum) + "," + Int(maximum) + "," + Int(redraw) + ")");
    range_min = minimum;
    range_max = maximum;
    Changed();
    return 1;
  }
  int SetPos(int value, int redraw) override {
    Record("SetPos(" + Int(value) + "," + Int(redraw) + ")");
    position = value;
    Changed();
    return 1;
  }
  int SetBarOption(int flag) override {
    Record("SetBarOption(" + Int(flag) + ")");
    bar_option = flag;
    return 1;
  }
};

template <class Interface>
class TEditElement : public TElement<Interface> {
 public:
  using TElement<Interface>::TElement;
  int GetText(char* buffer, int size) override { return PlainElement::CopyOut("", buffer, size); }
  int SetEditText(const char* value) override {
    this->Record("SetEditText");
    this->text = value ? value : "";
    this->Changed();
    return 1;
  }
  const char* GetEditText() override {
    this->Record("GetEditText");
    reply_ = this->text;
    return reply_.c_str();
  }

 protected:
  std::string reply_;  // valid until the next call on the box
};

class EditBoxElement : public TEditElement<IUIEditBox> {
 public:
  using TEditElement::TEditElement;
};

class PasswordEditElement : public TEditElement<IUIPasswordEditBox> {
 public:
  using TEditElement::TEditElement;
  int GetPasswordText(char* buffer, int size) override {
    Record("GetPasswordText");
    return PlainElement::CopyOut(text, buffer, size);
  }
};

class WindowElement : public TElement<IUIWindowRoot> {
 public:
  using TElement::TElement;
  IUIObject* LoadFromLayout(const char* path, int flag) override {
    Record(std::string("LoadFromLayout(") + (path ? path : "<null>") + "," + Int(flag) + ")");
    return engine()->LoadIntoWindow(this, path);
  }
  int PrepareWindow() override {
    Record("PrepareWindow");
    return 1;
  }
  std::uint32_t DoModal() override {
    Record("DoModal");
    return engine()->RunModal(this);
  }
  int EndModal(std::uint32_t control_id) override {
    Record("EndModal(" + std::to_string(control_id) + ")");
    engine()->EndModal(this, control_id);
    return 1;
  }
};

class ComboBoxElement : public TElement<IUIComboBox> {
 public:
  using TElement::TElement;
  std::uint32_t GetControlId() override {
    Record("GetControlId");
    return id();
  }
  int GetCurSel() override {
    Record("GetCurSel");
    return selection;
  }
  int SetCurSel(int value) override {
    Record("SetCurSel(" + Int(value) + ")");
    if (value >= 0 && value < static_cast<int>(items.size())) selection = value;
    Changed();
    return 1;
  }
};

}  // namespace

std::uint32_t TypeCode(ElementKind kind) {
  switch (kind) {
    case ElementKind::kWindow: return 0x100;
    case ElementKind::kContainer: return 0x101;
    case ElementKind::kStatic: return kStaticTextType;
    case ElementKind::kButton: return 0x152;
    case ElementKind::kProgressBar: return 0x154;
    case ElementKind::kEdit: return 0x155;
    case ElementKind::kPassword: return 0x156;
    case ElementKind::kCombo: return 0x157;
  }
  return 0;
}

const char* KindName(ElementKind kind) {
  switch (kind) {
    case ElementKind::kWindow: return "window";
    case ElementKind::kContainer: return "container";
    case ElementKind::kStatic: return "static";
    case ElementKind::kButton: return "button";
    case ElementKind::kProgressBar: return "progress";
    case ElementKind::kEdit: return "edit";
    case ElementKind::kPassword: return "password";
    case ElementKind::kCombo: return "combo";
  }
  return "";
}

Element::Element(UILayoutEngine* engine, ElementKind kind, std::string name)
    : engine_(engine), kind_(kind), name_(std::move(name)) {}

Element* Element::AddChild(std::unique_ptr<Element> child) {
  child->parent_ = this;
  children_.push_back(std::move(child));
  return children_.back().get();
}

Element* Element::NextSibling() const {
  if (parent_ == nullptr) return nullptr;
  const auto& siblings = parent_->children_;
  for (size_t i = 0; i + 1 < siblings.size(); ++i) {
    if (siblings[i].get() == this) return siblings[i + 1].get();
  }
  return nullptr;
}

bool Element::ShownOnScreen() const {
  for (const Element* e = this; e != nullptr; e = e->parent_) {
    if (!e->visible) return false;
  }
  return true;
}

void Element::Record(const std::string& call) {
  engine_->Record(name_.empty() ? "<" + std::string(KindName(kind_)) + ">." + call
                                : name_ + "." + call);
}

void Element::Changed() { engine_->ElementChanged(this); }

std::unique_ptr<Element> MakeElement(UILayoutEngine* engine, ElementKind kind, std::string name) {
  switch (kind) {
    case ElementKind::kWindow:
      return std::make_unique<WindowElement>(engine, kind, std::move(name));
    case ElementKind::kStatic:
      return std::make_unique<StaticTextElement>(engine, kind, std::move(name));
    case ElementKind::kProgressBar:
      return std::make_unique<ProgressBarElement>(engine, kind, std::move(name));
    case ElementKind::kEdit: return std::make_unique<EditBoxElement>(engine, kind, std::move(name));
    case ElementKind::kPassword:
      return std::make_unique<PasswordEditElement>(engine, kind, std::move(name));
    case ElementKind::kCombo:
      return std::make_unique<ComboBoxElement>(engine, kind, std::move(name));
    case ElementKind::kContainer:
    case ElementKind::kButton: return std::make_unique<PlainElement>(engine, kind, std::move(name));
  }
  return nullptr;
}

}  // namespace orv::testbed
