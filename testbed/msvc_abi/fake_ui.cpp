// The fake UI layout engine (186) and the controls its layouts name: the launcher window's
// (its update view) and the dialogs' (the proxy settings). Each control is one static object
// of the type its layout gives it; its texts and selection are what the module set or what
// the person typed (FakeControl).
#include "framework/interfaces/property_bag_interface.h"
#include "framework/interfaces/ui_layout_engine.h"
#include "testbed/msvc_abi/fake_framework.h"
#include "testbed/msvc_abi/fake_recording.h"

namespace orv::msvc_abi {
namespace {

const char* NameOf(const void* object);
IUIObject* FirstChild(const void* object, bool after_it);

template <class Interface>
class UIObject : public Interface {
 public:
  constexpr explicit UIObject(std::uint32_t type = 1) : type_(type) {}
  int Show(int show) override {
    return CheckArrival(Ours(this), false, this, "IUIObject::Show"), 1;
  }
  int Enable(int enable) override { return 1; }
  int BeginUpdate() override { return 1; }
  int EndUpdate() override { return 1; }
  IUIObject* GetFirstChild() override { return FirstChild(this, false); }
  IUIObject* GetNextSibling() override { return FirstChild(this, true); }
  std::uint32_t GetType() override { return type_; }
  std::uint32_t type_;
};

class StaticText : public UIObject<IUIStaticText> {
 public:
  constexpr explicit StaticText(const char* text) : UIObject(kStaticTextType), text_(text) {}
  int GetText(char* buffer, int size) override {
    buffer[0] = '\0';
    return Append(buffer, static_cast<std::size_t>(size), text_), 1;
  }
  int SetText(const char* text) override {
    return Note(this, "Static", NameOf(this), 0, 0, text), 1;
  }
  int Refresh() override { return 1; }
  const char* text_;  // the layout's text
};

class ProgressBar : public UIObject<IUIProgressBar> {
 public:
  int GetText(char*, int) override { return 0; }
  int SetRange(int low, int high, int) override {
    std::uint32_t numbers[] = {static_cast<std::uint32_t>(low), static_cast<std::uint32_t>(high)};
    return Note(this, "Progress", "SetRange", numbers, 2), 1;
  }
  int SetPos(int position, int) override { return Note1(this, "Progress", "SetPos", position), 1; }
  int SetBarOption(int) override { return 1; }
};

class Plain : public UIObject<IUIObject> {  // containers and buttons
 public:
  int GetText(char*, int) override { return 0; }
};

// Edit boxes, plain and password: what was set or typed last.
template <class Interface>
class Edit : public UIObject<Interface> {
 public:
  int GetText(char*, int) override { return 0; }
  int SetEditText(const char* text) override {
    Note(this, "Edit", NameOf(this), nullptr, 0, text);
    return text_[0] = '\0', Append(text_, sizeof text_, text), 1;
  }
  const char* GetEditText() override { return text_; }
  char text_[300] = {};
};
class PasswordEdit : public Edit<IUIPasswordEditBox> {
 public:
  int GetPasswordText(char* buffer, int size) override {
    Note1(this, "Edit", "GetPasswordText", size);
    return buffer[0] = '\0', Append(buffer, static_cast<std::size_t>(size), text_), 1;
  }
};

class ComboBox : public UIObject<IUIComboBox> {
 public:
  std::uint32_t GetControlId() override;
  int GetCurSel() override { return selected_; }
  int SetCurSel(int position) override {
    return Note1(this, "Combo", "SetCurSel", position), selected_ = position, 1;
  }
  int selected_ = -1;
};

using ModalScript = std::uint32_t (*)();
ModalScript g_modal_script = nullptr;

class WindowRoot : public UIObject<IUIWindowRoot> {
 public:
  IUIObject* LoadFromLayout(const char* path, int flag) override;
  int PrepareWindow() override { return 1; }
  std::uint32_t DoModal() override {
    Note(this, "Dialog", "DoModal");
    ended_by_ = 0;
    if (g_modal_script != nullptr) g_modal_script();
    return ended_by_;
  }
  int EndModal(std::uint32_t id) override {
    return Note1(this, "Dialog", "EndModal", id), ended_by_ = id, 1;
  }
  std::uint32_t ended_by_ = 0;
};

WindowRoot g_root, g_dialog_root;
Plain g_plain[12];
StaticText g_statics[] = {StaticText("v${LATESTVERSION}"),
                          StaticText("${FILESIZE}"),
                          StaticText("${DOWNLOADSPEED}"),
                          StaticText("${LEFTTIME}"),
                          StaticText("D ${DOWNLOADPROCESS}"),
                          StaticText("I ${INSTALLPROCESS}"),
                          StaticText(""),
                          StaticText(""),
                          StaticText(""),
                          StaticText(""),
                          StaticText("Play ${PROJECTNAME}")};
ProgressBar g_bar;
ComboBox g_combo;
Edit<IUIEditBox> g_edits[4];
PasswordEdit g_password;

// A layout: its controls by name, index = control id - 1, the root first; a parent is an
// index (-1: the loaded root's own children, -2: none).
struct Control {
  const char* name;
  int parent;
  void* object;
  IUIEventSink* sink;
};
Control g_window[] = {{"Root", -2, &g_root, nullptr},
                      {"C2_Container", -1, &g_plain[0], nullptr},
                      {"Update_Container", 1, &g_plain[1], nullptr},
                      {"C2_Static_UpdateVersion", 2, &g_statics[0], nullptr},
                      {"C2_Static_FileSize", 2, &g_statics[1], nullptr},
                      {"C2_Static_DownloadSpeed", 2, &g_statics[2], nullptr},
                      {"C2_Static_LeftTime", 2, &g_statics[3], nullptr},
                      {"C2_Static_DownloadProcess", 2, &g_statics[4], nullptr},
                      {"C2_Static_IntallProcess", 2, &g_statics[5], nullptr},
                      {"C2_Static_Process", 2, &g_statics[6], nullptr},
                      {"C2_Static_Installing", 2, &g_statics[7], nullptr},
                      {"C2_Static_UpdateSuccess", 2, &g_statics[8], nullptr},
                      {"C2_Static_UpdateFail", 2, &g_statics[9], nullptr},
                      {"C2_Static_StartGame", 10, &g_statics[10], nullptr},
                      {"C2_Process_Level", 2, &g_bar, nullptr},
                      {"StartGame_Container", 1, &g_plain[2], nullptr},
                      {"Container_ProcessBackGround", 2, &g_plain[3], nullptr},
                      {"C2_Button_Cancel", 1, &g_plain[4], nullptr},
                      {"C2_Button_Retry", 1, &g_plain[5], nullptr},
                      {"C2_Button_StartGame", 10, &g_plain[6], nullptr},
                      {"C2_Button_Proxy", 1, &g_plain[7], nullptr}};
Control g_dialog[] = {{"DialogRoot", -2, &g_dialog_root, nullptr},
                      {"Dlg_ProxySetting_OK_Btn", 0, &g_plain[8], nullptr},
                      {"Dlg_ProxySetting_Cancel_Btn", 0, &g_plain[9], nullptr},
                      {"Dlg_Close_Btn", 0, &g_plain[10], nullptr},
                      {"Dlg_ProxySetting_Test_Btn", 0, &g_plain[11], nullptr},
                      {"Dlg_Type_Combo", 0, &g_combo, nullptr},
                      {"Dlg_Adress_Edt", 0, &g_edits[0], nullptr},
                      {"Dlg_Port_Edt", 0, &g_edits[1], nullptr},
                      {"Dlg_User_Edt", 0, &g_edits[2], nullptr},
                      {"Dlg_Pass_Edt", 0, &g_password, nullptr},
                      {"Dlg_Domain_Edt", 0, &g_edits[3], nullptr}};
constexpr int kWindowControls = sizeof g_window / sizeof g_window[0];
constexpr int kDialogControls = sizeof g_dialog / sizeof g_dialog[0];

// The control that is `object`, in either layout; `count` set to its layout's size.
Control* Find(const void* object, int* count = nullptr) {
  for (int i = 0; i < kWindowControls + kDialogControls; ++i) {
    Control* control = i < kWindowControls ? &g_window[i] : &g_dialog[i - kWindowControls];
    if (control->object == object) {
      if (count != nullptr) *count = i < kWindowControls ? kWindowControls : kDialogControls;
      return control;
    }
  }
  return nullptr;
}
const char* NameOf(const void* object) { return Find(object)->name; }
std::uint32_t ComboBox::GetControlId() {
  return static_cast<std::uint32_t>(Find(this) - g_dialog + 1);
}
IUIObject* FirstChild(const void* object, bool after_it) {
  int count = 0;
  Control* self = Find(object, &count);
  Control* layout = count == kDialogControls ? g_dialog : g_window;
  const int parent = after_it ? self->parent : static_cast<int>(self - layout);
  for (int i = after_it ? static_cast<int>(self - layout) + 1 : 0; i < count; ++i) {
    if (layout[i].parent == parent) return static_cast<IUIObject*>(layout[i].object);
  }
  return nullptr;
}
IUIObject* WindowRoot::LoadFromLayout(const char* path, int flag) {
  Note1(this, "Root", "LoadFromLayout", flag);
  return static_cast<IUIObject*>(g_window[1].object);
}

class UIEngine : public Fake<IUILayoutEngine, kUILayoutEngineId> {
 public:
  std::uint32_t LoadLayout(const char* path, std::uint32_t) override {
    const char* from_root = path;  // the framework root (the host's folder) is left out
    for (const char* at = path; *at != '\0'; ++at) {
      if (at[0] == '\\' && at[1] == 'u' && at[2] == 'i' && at[3] == '\\') from_root = at + 1;
    }
    return Note(this, "UI", "LoadLayout", nullptr, 0, from_root), 1;
  }
  int AttachObject(IUIObject* loaded) override {
    int count = 0;
    Control* control = Find(loaded, &count);
    return Note1(this, "UI", "AttachObject",
                 control ? static_cast<std::uint32_t>(control - layout_) : 0),
           1;
  }
  int SetOwnerWindow(platform::WindowHandle) override {
    return Note(this, "UI", "SetOwnerWindow"), 1;
  }
  int ReleaseControl(std::uint32_t id) override {
    return Note1(this, "UI", "ReleaseControl", id), 1;
  }
  std::uint32_t FindControl(const char* name) override {
    for (int i = 0; i < count_; ++i) {
      if (Equal(layout_[i].name, name)) return static_cast<std::uint32_t>(i + 1);
    }
    return 0;
  }
  IUIObject* GetControl(std::uint32_t id) override {
    return id != 0 && id <= static_cast<std::uint32_t>(count_)
               ? static_cast<IUIObject*>(layout_[id - 1].object)
               : nullptr;
  }
  IUIWindowRoot* GetRootObject() override { return static_cast<WindowRoot*>(layout_[0].object); }
  int AddEventSink(std::uint32_t id, IUIEventSink* sink) override {
    Note1(this, "UI", "AddEventSink", id);
    if (id != 0 && id <= static_cast<std::uint32_t>(count_)) layout_[id - 1].sink = sink;
    return 1;
  }
  int RemoveEventSink(std::uint32_t id, IUIEventSink*) override {
    Note1(this, "UI", "RemoveEventSink", id);
    if (id != 0 && id <= static_cast<std::uint32_t>(count_)) layout_[id - 1].sink = nullptr;
    return 1;
  }
  // Every SetValue overload of the module's own bag called from this side, each read back
  // through the typed getter: a pair of overloads in another order in the module's build
  // reads back wrong. The integers are the address of a text, so that one landing on the
  // text overload stores that text instead of reading a wild pointer.
  int GetProperties(IPropertyBag* bag, std::uint32_t key) override {
    static const char kText[] = "typed";
    const auto address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(kText));
    Note1(this, "UI", "GetProperties", key);
    bag->SetValue(101u, static_cast<std::int32_t>(address)), bag->SetValue(102u, kText);
    bag->SetValue(103u, address), bag->SetValue(104u, static_cast<std::uint8_t>(0x5A));
    bag->SetValue(105u, 2.5f);
    char text[16] = "";
    bag->GetString(102u, text, sizeof text, 0);
    const bool read[] = {bag->GetInt(101u, 0) == static_cast<std::int32_t>(address),
                         Equal(text, kText), bag->GetDword(103u, 0) == address,
                         bag->GetByte(104u, 0) == 0x5A, bag->GetFloat(105u, 0) == 2.5f};
    const char* names[] = {"int", "text", "dword", "byte", "float"};
    char line[160] = "Bag.SetValue read back:";
    for (int i = 0; i < 5; ++i) {
      Append(line, sizeof line, " "), Append(line, sizeof line, names[i]);
      Append(line, sizeof line, read[i] ? " ok" : " WRONG");
    }
    NoteLine(line), NoteLine("\n");
    if (key == kOwnerWindowKey) bag->SetValue(key, 0u);  // no window of the system here
    return 1;
  }
  Control* layout_ = g_dialog;
  int count_ = kDialogControls;
};

UIEngine g_engines[6];

}  // namespace

IComponent* TakeUIEngine(bool launcher_window) {
  UIEngine* engine = Take(g_engines);
  if (engine != nullptr) {
    engine->layout_ = launcher_window ? g_window : g_dialog;
    engine->count_ = launcher_window ? kWindowControls : kDialogControls;
  }
  return engine;
}

}  // namespace orv::msvc_abi

using namespace orv::msvc_abi;

ORV_FAKE_EXPORT std::uint32_t __cdecl FakeControl(int dialog, const char* name, const char* typed,
                                                  orv::IUIEventSink** sink) {
  Control* layout = dialog != 0 ? g_dialog : g_window;
  for (int i = 0; i < (dialog != 0 ? kDialogControls : kWindowControls); ++i) {
    if (!Equal(layout[i].name, name)) continue;
    if (typed != nullptr && layout[i].object == &g_combo) g_combo.selected_ = typed[0] - '0';
    for (auto& edit : g_edits) {
      if (typed != nullptr && layout[i].object == &edit)
        edit.text_[0] = '\0', Append(edit.text_, 300, typed);
    }
    if (typed != nullptr && layout[i].object == &g_password) {
      g_password.text_[0] = '\0', Append(g_password.text_, 300, typed);
    }
    *sink = layout[i].sink != nullptr ? layout[i].sink : layout[0].sink;
    return static_cast<std::uint32_t>(i + 1);
  }
  return *sink = nullptr, 0;
}
ORV_FAKE_EXPORT void __cdecl FakeOnModal(std::uint32_t (*script)()) { g_modal_script = script; }
