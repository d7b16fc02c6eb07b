// OrvFact.dll built for the Microsoft C++ ABI: the factory (361), registry (991), UI layout
// engine (186) with the launcher window's controls, update engine (1014) and message box
// (1378), each a small fixed object that writes what it is called with to one journal. No
// heap: every object lives in static storage, constant-initialised (no C runtime runs here).
#include "testbed/msvc_abi/fake_framework.h"

#include "framework/interfaces/component_factory.h"
#include "framework/interfaces/message_box_interface.h"
#include "framework/interfaces/registry.h"
#include "testbed/msvc_abi/freestanding.h"

namespace orv::msvc_abi {
namespace {

char g_journal[16384];
int g_live = 0;  // engines and dialog engines handed out and not yet released

// "<object>.<method>(<numbers>[,"<text>"])"
void Note(const char* object, const char* method, const std::uint32_t* numbers = nullptr,
          int count = 0, const char* text = nullptr) {
  char line[400] = "";
  Append(line, sizeof line, object), Append(line, sizeof line, "."),
      Append(line, sizeof line, method), Append(line, sizeof line, "(");
  for (int i = 0; i < count; ++i) {
    if (i > 0) Append(line, sizeof line, ",");
    AppendNumber(line, sizeof line, numbers[i]);
  }
  if (text != nullptr) {
    Append(line, sizeof line, count > 0 ? ",\"" : "\""), Append(line, sizeof line, text);
    Append(line, sizeof line, "\"");
  }
  Append(line, sizeof line, ")\n");
  Append(g_journal, sizeof g_journal, line);
}
void Note1(const char* object, const char* method, std::uint32_t value) {
  Note(object, method, &value, 1);
}

// IComponent's slots 0 to 7 for a fake of component `kId`; a second interface (`More`) comes
// right after the first's table pointer, before any data, as the contract places it.
template <class Interface, ComponentId kId, class... More>
class Fake : public Interface, public More... {
 public:
  constexpr Fake() = default;
  std::uint32_t GetComponentID() override { return kId; }
  int IsAlive() override { return 1; }
  void Release(int) override {
    if (in_use_) --g_live;
    in_use_ = false;
    Note1("Release", "component", kId);
  }
  int GetFreeInMap() override { return free_in_map_; }
  void SetFreeInMap(int value) override { free_in_map_ = value; }
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}
  bool in_use_ = false;
  int free_in_map_ = 0;
};

// Takes a free one of `pool`, or null.
template <class T, int kCount>
T* Take(T (&pool)[kCount]) {
  for (T& item : pool) {
    if (!item.in_use_) return item.in_use_ = true, ++g_live, &item;
  }
  return nullptr;
}

// ---- UI objects: one class per interface, the common slots shared.
template <class Interface>
class UIObject : public Interface {
 public:
  constexpr UIObject(const char* name, int parent, std::uint32_t type, const char* text)
      : name_(name), parent_(parent), type_(type), text_(text) {}
  int Show(int show) override { return visible_ = show, 1; }
  int Enable(int enable) override { return enabled_ = enable, 1; }
  int BeginUpdate() override { return 1; }
  int EndUpdate() override { return 1; }
  IUIObject* GetFirstChild() override;
  IUIObject* GetNextSibling() override;
  std::uint32_t GetType() override { return type_; }
  const char* name_;
  int parent_;
  std::uint32_t type_;
  const char* text_;  // the layout's text
  int visible_ = 1, enabled_ = 1;
};

class StaticText : public UIObject<IUIStaticText> {
 public:
  using UIObject::UIObject;
  int GetText(char* buffer, int size) override {
    buffer[0] = '\0';
    return Append(buffer, static_cast<std::size_t>(size), text_), 1;
  }
  int SetText(const char* text) override { return Note("Static", name_, nullptr, 0, text), 1; }
  int Refresh() override { return 1; }
};

class ProgressBar : public UIObject<IUIProgressBar> {
 public:
  using UIObject::UIObject;
  int GetText(char*, int) override { return 0; }
  int SetRange(int low, int high, int redraw) override {
    std::uint32_t numbers[] = {static_cast<std::uint32_t>(low), static_cast<std::uint32_t>(high)};
    return Note("Progress", "SetRange", numbers, 2), 1;
  }
  int SetPos(int position, int) override { return Note1("Progress", "SetPos", position), 1; }
  int SetBarOption(int) override { return 1; }
};

class Plain : public UIObject<IUIObject> {  // containers and buttons
 public:
  using UIObject::UIObject;
  int GetText(char*, int) override { return 0; }
};

class WindowRoot : public UIObject<IUIWindowRoot> {
 public:
  using UIObject::UIObject;
  IUIObject* LoadFromLayout(const char* path, int flag) override;
  int PrepareWindow() override { return 1; }
  std::uint32_t DoModal() override { return 0; }
  int EndModal(std::uint32_t) override { return 1; }
};

// The launcher window's controls as its layout names them; index = control id - 1.
constexpr std::uint32_t kStatic = kStaticTextType, kOther = 1;
WindowRoot g_root("Root", -1, kOther, nullptr);
Plain g_container("C2_Container", -1, kOther, nullptr);
Plain g_update("Update_Container", 1, kOther, nullptr);
StaticText g_statics[] = {
    {"C2_Static_UpdateVersion", 2, kStatic, "v${LATESTVERSION}"},
    {"C2_Static_FileSize", 2, kStatic, "${FILESIZE}"},
    {"C2_Static_DownloadSpeed", 2, kStatic, "${DOWNLOADSPEED}"},
    {"C2_Static_LeftTime", 2, kStatic, "${LEFTTIME}"},
    {"C2_Static_DownloadProcess", 2, kStatic, "D ${DOWNLOADPROCESS}"},
    {"C2_Static_IntallProcess", 2, kStatic, "I ${INSTALLPROCESS}"},
    {"C2_Static_Process", 2, kStatic, ""},
    {"C2_Static_Installing", 2, kStatic, ""},
    {"C2_Static_UpdateSuccess", 2, kStatic, ""},
    {"C2_Static_UpdateFail", 2, kStatic, ""},
    {"C2_Static_StartGame", 10, kStatic, "Play ${PROJECTNAME}"},
};
ProgressBar g_bar("C2_Process_Level", 2, kOther, nullptr);
Plain g_plain[] = {{"StartGame_Container", 1, kOther, nullptr},
                   {"Container_ProcessBackGround", 2, kOther, nullptr},
                   {"C2_Button_Cancel", 1, kOther, nullptr},
                   {"C2_Button_Retry", 1, kOther, nullptr},
                   {"C2_Button_StartGame", 10, kOther, nullptr},
                   {"C2_Button_Proxy", 1, kOther, nullptr}};

constexpr int kControls = 3 + 11 + 1 + 6;
IUIObject* Control(int index) {  // by index: root, container, update, statics, bar, plain
  if (index == 0) return reinterpret_cast<IUIObject*>(static_cast<IUIWindowRoot*>(&g_root));
  if (index == 1) return &g_container;
  if (index == 2) return &g_update;
  if (index < 14) return &g_statics[index - 3];
  if (index == 14) return &g_bar;
  if (index < kControls) return &g_plain[index - 15];
  return nullptr;
}
int ParentOf(int index) {
  if (index == 0) return -2;
  if (index == 1) return g_container.parent_;
  if (index == 2) return g_update.parent_;
  if (index < 14) return g_statics[index - 3].parent_;
  if (index == 14) return g_bar.parent_;
  return index < kControls ? g_plain[index - 15].parent_ : -2;
}
const char* NameOf(int index) {
  if (index == 0) return g_root.name_;
  if (index == 1) return g_container.name_;
  if (index == 2) return g_update.name_;
  if (index < 14) return g_statics[index - 3].name_;
  if (index == 14) return g_bar.name_;
  return index < kControls ? g_plain[index - 15].name_ : nullptr;
}
int IndexOf(const void* object) {
  for (int i = 0; i < kControls; ++i) {
    if (Control(i) == object) return i;
  }
  return -1;
}
IUIObject* ChildFrom(int parent, int start) {
  for (int i = start; i < kControls; ++i) {
    if (ParentOf(i) == parent) return Control(i);
  }
  return nullptr;
}
template <class I>
IUIObject* UIObject<I>::GetFirstChild() {
  return ChildFrom(IndexOf(this), 0);
}
template <class I>
IUIObject* UIObject<I>::GetNextSibling() {
  return ChildFrom(parent_, IndexOf(this) + 1);
}
IUIObject* WindowRoot::LoadFromLayout(const char* path, int flag) {
  Note1("Root", "LoadFromLayout", flag);
  return &g_container;
}

IUIEventSink* g_sinks[kControls];

class UIEngine : public Fake<IUILayoutEngine, kUILayoutEngineId> {
 public:
  constexpr UIEngine() = default;
  std::uint32_t LoadLayout(const char* path, std::uint32_t) override {
    const char* from_root = path;  // the framework root (the host's folder) is left out
    for (const char* at = path; *at != '\0'; ++at) {
      if (at[0] == '\\' && at[1] == 'u' && at[2] == 'i' && at[3] == '\\') from_root = at + 1;
    }
    return Note("UI", "LoadLayout", nullptr, 0, from_root), 1;
  }
  int AttachObject(IUIObject* loaded) override {
    return Note1("UI", "AttachObject", IndexOf(loaded)), 1;
  }
  int SetOwnerWindow(platform::WindowHandle) override { return 1; }
  int ReleaseControl(std::uint32_t id) override { return Note1("UI", "ReleaseControl", id), 1; }
  std::uint32_t FindControl(const char* name) override {
    for (int i = 0; launcher_window_ && i < kControls; ++i) {
      if (Equal(NameOf(i), name)) return static_cast<std::uint32_t>(i + 1);
    }
    return 0;
  }
  IUIObject* GetControl(std::uint32_t id) override {
    return launcher_window_ && id != 0 ? Control(static_cast<int>(id) - 1) : nullptr;
  }
  IUIWindowRoot* GetRootObject() override { return launcher_window_ ? &g_root : &dialog_root_; }
  int AddEventSink(std::uint32_t id, IUIEventSink* sink) override {
    if (id != 0 && id <= kControls) g_sinks[id - 1] = sink;
    return Note1("UI", "AddEventSink", id), 1;
  }
  int RemoveEventSink(std::uint32_t id, IUIEventSink*) override {
    if (id != 0 && id <= kControls) g_sinks[id - 1] = nullptr;
    return Note1("UI", "RemoveEventSink", id), 1;
  }
  int GetProperties(IPropertyBag*, std::uint32_t) override { return 0; }
  bool launcher_window_ = false;
  WindowRoot dialog_root_{"DialogRoot", -1, kOther, nullptr};
};

class UpdateEngine : public Fake<IUpdateEngine, kUpdateEngineId, IEventSource> {
 public:
  constexpr UpdateEngine() = default;
  int RunUpdate(const char* text, std::uint32_t first, std::uint32_t second) override {
    std::uint32_t numbers[] = {first, second};
    return Note("Engine", "RunUpdate", numbers, 2, text), 1;
  }
  int UseProxy(const ProxyEntry* entry) override {
    std::uint32_t numbers[] = {entry->type, entry->port};
    return Note("Engine", "UseProxy", numbers, 2, entry->address), 1;
  }
  int SetUpdateParams(const UpdateStartParams* params) override {
    std::uint32_t numbers[] = {params->client_field, params->argument, params->reserved};
    return Note("Engine", "SetUpdateParams", numbers, 3, params->text), 1;
  }
  void Advise(void* listener, std::uint32_t cookie) override {
    listener_ = static_cast<IUpdateEngineEvent*>(listener);
    Note1("Engine", "Advise", cookie);
  }
  void Unadvise(void* listener) override {
    if (listener == listener_) listener_ = nullptr;
    Note1("Engine", "Unadvise", listener == nullptr ? 0 : 1);
  }
  IUpdateEngineEvent* listener_ = nullptr;
};

class Registry : public Fake<IRegistry, kRegistryId> {
 public:
  constexpr Registry() = default;
  void Unused8() override {}
  void Unused9() override {}
  void Unused10() override {}
  int OpenKey(std::uint32_t, const char* name, std::uint32_t, std::uint32_t,
              std::uint32_t*) override {
    return Note("Registry", "OpenKey", nullptr, 0, name), 0;  // no root: the executable's folder
  }
  void Unused12() override {}
  void Unused13() override {}
  int QueryValue(std::uint32_t, const char*, std::uint32_t*, void*, std::uint32_t*) override {
    return 0;
  }
};

class MessageBox : public Fake<IMessageBox, kMessageBoxId> {
 public:
  constexpr MessageBox() = default;
  int ShowMessage(platform::WindowHandle, const char* markup, const char*,
                  std::uint32_t style) override {
    return Note("MessageBox", "ShowMessage", &style, 1, markup), kAnswerYes;
  }
};

UIEngine g_ui_engines[4];
UpdateEngine g_engines[4];
Registry g_registries[4];
MessageBox g_boxes[2];
UpdateEngine* g_newest_engine = nullptr;

class Factory : public Fake<IComponentFactory, kComponentFactoryId> {
 public:
  constexpr Factory() = default;
  IComponent* CreateById(ComponentId id, const char*) override {
    Note1("Factory", "CreateById", id);
    switch (id) {
      case kComponentFactoryId: return this;
      case kUpdateEngineId: return g_newest_engine = Take(g_engines);
      case kUILayoutEngineId: return Take(g_ui_engines);
      case kRegistryId: return Take(g_registries);
      case kMessageBoxId: return Take(g_boxes);
      default: return nullptr;
    }
  }
  int GetLogConfig(const char*, ComponentId, std::uint32_t* debug_mask, std::uint32_t* file_mask,
                   LogFileRecord** record) override {
    *debug_mask = *file_mask = 0;
    *record = nullptr;
    return 1;
  }
  void Unused10() override {}
  void Unused11() override {}
  void Unused12() override {}
  int NotifyModuleEmpty(platform::ModuleHandle) override {
    return Note("Factory", "NotifyModuleEmpty"), 1;
  }
  void Unused14() override {}
  void Unused15() override {}
  void Unused16() override {}
  int ReleaseComponent(IComponent*) override { return 0; }  // the caller releases it
};

Factory g_factory;

}  // namespace
}  // namespace orv::msvc_abi

using namespace orv;
using namespace orv::msvc_abi;

ORV_FAKE_EXPORT IComponent* __cdecl CreateComponent(std::uint32_t id, std::uint32_t) {
  if (id == kComponentFactoryId) return &g_factory;
  if (id != kUILayoutEngineId) return nullptr;
  UIEngine* engine = Take(g_ui_engines);  // the launcher window's own engine
  if (engine != nullptr) engine->launcher_window_ = true;
  return engine;
}
ORV_FAKE_EXPORT const char* __cdecl FakeJournal() { return g_journal; }
ORV_FAKE_EXPORT void __cdecl FakeRecord(const char* line) {
  Append(g_journal, sizeof g_journal, line);
}
ORV_FAKE_EXPORT void __cdecl FakeClearJournal() { g_journal[0] = '\0'; }
ORV_FAKE_EXPORT IUpdateEngineEvent* __cdecl FakeEngineListener() {
  return g_newest_engine != nullptr ? g_newest_engine->listener_ : nullptr;
}
ORV_FAKE_EXPORT std::uint32_t __cdecl FakeControl(const char* name, IUIEventSink** sink) {
  for (int i = 0; i < kControls; ++i) {
    if (Equal(NameOf(i), name)) return *sink = g_sinks[i], static_cast<std::uint32_t>(i + 1);
  }
  return *sink = nullptr, 0;
}
ORV_FAKE_EXPORT int __cdecl FakeLiveObjects() { return g_live; }

extern "C" int __stdcall FakeFrameworkEntry(void*, std::uint32_t, void*) { return 1; }
