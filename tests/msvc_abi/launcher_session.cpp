// The launcher's session, played from the Microsoft C++ ABI against the fake framework: a full
// update (both phases), the start-game click through a property bag of this side, the listener
// releasing the window in OnStartGame, then the module idle and unloaded. The outside calls of
// the update are compared with the expected sequence.
#include "framework/interfaces/property_bag_interface.h"
#include "framework/interfaces/update_logic_interface.h"
#include "testbed/msvc_abi/fake_framework.h"
#include "tests/msvc_abi/check.h"
#include "tests/msvc_abi/host.h"
#include "tests/msvc_abi/loaded_module.h"

namespace orv::msvc_abi {
namespace {

FakeRecordFn g_record;
IUILayoutEngine* g_window_engine;
IComponent* g_window;

void Record(const char* method, std::uint32_t value, int count = 1, std::uint32_t second = 0) {
  char line[96] = "Host.";
  Append(line, sizeof line, method), Append(line, sizeof line, "(");
  AppendNumber(line, sizeof line, value);
  if (count == 2) Append(line, sizeof line, ","), AppendNumber(line, sizeof line, second);
  Append(line, sizeof line, ")\n");
  g_record(line);
}

class Host : public IUpdateHost {
 public:
  int GetClientInfo(ClientInfo* info) override {
    Record("GetClientInfo", info->client_field);  // zero-filled by the caller
    info->client_field = 4660;
    return 1;
  }
  IUILayoutEngine* GetUIEngine() override { return g_window_engine; }
  int GetProxyConfig(ProxyConfig* config) override {
    Record("GetProxyConfig", config->entry_count);
    config->entry_count = kProxyEntryCount, config->selected_index = 1;
    ProxyEntry& entry = config->entries[1];
    entry.type = kProxyHttp, entry.port = 3128;
    Append(entry.address, sizeof entry.address, "10.1.2.3");
    return 1;
  }
  int SetProxyConfig(ProxyConfig* config) override { return Record("SetProxyConfig", 0), 1; }
  int ReportStat(std::uint32_t code, std::uint32_t value) override {
    // Durations vary; the code and the values that do not are what is compared.
    bool duration = code == kStatDownloadTime || code == kStatInstallTime || code == kStatStartTime;
    return Record("ReportStat", code, duration ? 1 : 2, value), 1;
  }
} g_host;

class Listener : public IUpdateWindowListener {
 public:
  void OnStartGame() override {
    Record("OnStartGame", 0);
    IComponent* window = g_window;
    g_window = nullptr;
    if (window != nullptr) window->Release(0);  // from inside the window's own call
  }
} g_listener;

// The event bag of a click, as the UI engine hands it: only GetInt(4) is asked for.
class ClickBag : public IPropertyBag {
 public:
  std::uint32_t GetComponentID() override { return kPropertyBagId; }
  int IsAlive() override { return 1; }
  void Release(int) override {}
  int GetFreeInMap() override { return 0; }
  void SetFreeInMap(int) override {}
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}
  int SetFloat(std::uint32_t, float) override { return 0; }
  int SetByte(std::uint32_t, std::uint8_t) override { return 0; }
  int SetDword(std::uint32_t, std::uint32_t) override { return 0; }
  int SetString(std::uint32_t, const char*) override { return 0; }
  int SetInt(std::uint32_t, std::int32_t) override { return 0; }
  std::int32_t GetInt(std::uint32_t key, int) override {
    return key == kEventCodeKey ? kEventClick : 0;
  }
  std::uint8_t GetByte(std::uint32_t, int) override { return 0; }
  std::uint32_t GetDword(std::uint32_t, int) override { return 0; }
  float GetFloat(std::uint32_t, int) override { return 0; }
  void GetString(std::uint32_t, char*, std::uint32_t, int) override {}
  std::uint32_t GetStringLength(std::uint32_t) override { return 0; }
  int HasInt(std::uint32_t key) override { return key == kEventCodeKey; }
  int HasString(std::uint32_t) override { return 0; }
  int HasDword(std::uint32_t) override { return 0; }
  int HasByte(std::uint32_t) override { return 0; }
  int HasFloat(std::uint32_t) override { return 0; }
  void Clear() override {}
  int RemoveInt(std::uint32_t) override { return 0; }
  int RemoveByte(std::uint32_t) override { return 0; }
  int RemoveDword(std::uint32_t) override { return 0; }
  int RemoveFloat(std::uint32_t) override { return 0; }
  int RemoveString(std::uint32_t) override { return 0; }
  void CopyAllTo(IPropertyBag*, int) override {}
  int CopyIntTo(IPropertyBag*, std::uint32_t) override { return 0; }
  int CopyByteTo(IPropertyBag*, std::uint32_t) override { return 0; }
  int CopyDwordTo(IPropertyBag*, std::uint32_t) override { return 0; }
  int CopyFloatTo(IPropertyBag*, std::uint32_t) override { return 0; }
  int CopyStringTo(IPropertyBag*, std::uint32_t) override { return 0; }
  int SetValue(std::uint32_t, float) override { return 0; }
  int SetValue(std::uint32_t, std::uint8_t) override { return 0; }
  int SetValue(std::uint32_t, std::uint32_t) override { return 0; }
  int SetValue(std::uint32_t, const char*) override { return 0; }
  int SetValue(std::uint32_t, std::int32_t) override { return 0; }
} g_click;

void Progress(IUpdateEngineEvent* events, std::uint32_t phase, std::uint32_t percent) {
  static UpdateProgressInfo info;
  memset(&info, 0, sizeof info);
  info.valid = 1, info.file_size = 3 * 1048576, info.speed = 204800, info.percent = percent;
  info.phase = phase, info.update_kind = 1;
  Append(info.latest_version, sizeof info.latest_version, "2.5.1");
  events->OnUpdateProgress(&info);
}

// What a full update asks of the world outside the module, in order (the UI's lookups, shows
// and update brackets left out: their effect is in the texts).
constexpr char kExpectedUpdate[] =
    "Factory.CreateById(1014)\n"
    "Engine.Advise(0)\n"
    "Progress.SetRange(0,100)\n"
    "Progress.SetPos(0)\n"
    "Static.C2_Static_Process(\"\xcf\xc2\xd4\xd8\xbd\xf8\xb6\xc8 : \")\n"
    "Factory.CreateById(186)\n"
    "UI.LoadLayout(\"ui\\LayOut\\Dlg_Connecting.tpf\")\n"
    "Host.GetClientInfo(0)\n"
    "Host.GetProxyConfig(0)\n"
    "Engine.UseProxy(3,3128,\"10.1.2.3\")\n"
    "Engine.SetUpdateParams(4660,7,0,\"\")\n"
    "Engine.RunUpdate(1,0,\"\")\n"
    "Host.ReportStat(10)\n"
    "Release.component(186)\n"
    "Host.ReportStat(3,1)\n"
    "Host.ReportStat(6,3221225472)\n"
    "Static.C2_Static_UpdateVersion(\"v2.5.1\")\n"
    "Static.C2_Static_FileSize(\"3.0 MB\")\n"
    "Static.C2_Static_DownloadSpeed(\"200 KB/s\")\n"
    "Static.C2_Static_LeftTime(\"0:0:9\")\n"
    "Static.C2_Static_DownloadProcess(\"D 40%\")\n"
    "Static.C2_Static_IntallProcess(\"I 0%\")\n"
    "Progress.SetPos(40)\n"
    "Host.ReportStat(3,1)\n"
    "Host.ReportStat(6,3221225472)\n"
    "Static.C2_Static_UpdateVersion(\"v2.5.1\")\n"
    "Static.C2_Static_FileSize(\"3.0 MB\")\n"
    "Static.C2_Static_DownloadSpeed(\"200 KB/s\")\n"
    "Static.C2_Static_LeftTime(\"0:0:0\")\n"
    "Static.C2_Static_DownloadProcess(\"D 100%\")\n"
    "Static.C2_Static_IntallProcess(\"I 0%\")\n"
    "Progress.SetPos(100)\n"
    "Static.C2_Static_UpdateVersion(\"\xcf\xc2\xd4\xd8\xc9\xfd\xbc\xb6\xb0\xfc\xcd\xea\xb3\xc9\")\n"
    "Host.ReportStat(3,1)\n"
    "Host.ReportStat(5)\n"
    "Host.ReportStat(6,3221225472)\n"
    "Static.C2_Static_UpdateVersion(\"v2.5.1\")\n"
    "Static.C2_Static_FileSize(\"3.0 MB\")\n"
    "Static.C2_Static_DownloadSpeed(\"200 KB/s\")\n"
    "Static.C2_Static_LeftTime(\"0:0:0\")\n"
    "Static.C2_Static_DownloadProcess(\"D 0%\")\n"
    "Static.C2_Static_IntallProcess(\"I 100%\")\n"
    "Progress.SetPos(100)\n"
    "Engine.Unadvise(1)\n"
    "Release.component(1014)\n"
    "Host.ReportStat(4)\n"
    "Host.OnStartGame(0)\n"
    "UI.RemoveEventSink(18)\n"
    "UI.ReleaseControl(18)\n"
    "UI.RemoveEventSink(19)\n"
    "UI.RemoveEventSink(20)\n"
    "UI.RemoveEventSink(21)\n"
    "Release.component(186)\n"
    "Factory.CreateById(361)\n"
    "Factory.NotifyModuleEmpty()\n";

}  // namespace

void RunLauncherSession(const char* module_path) {
  void* framework = LoadLibraryA("OrvFact.dll");
  if (!CheckEqual("the fake framework loads", 1, framework != nullptr)) return;
  auto find = [&](const char* name) { return GetProcAddress(framework, name); };
  auto journal = reinterpret_cast<FakeJournalFn>(find("FakeJournal"));
  auto clear = reinterpret_cast<FakeClearJournalFn>(find("FakeClearJournal"));
  auto listener_of_engine = reinterpret_cast<FakeEngineListenerFn>(find("FakeEngineListener"));
  auto control = reinterpret_cast<FakeControlFn>(find("FakeControl"));
  auto live = reinterpret_cast<FakeLiveObjectsFn>(find("FakeLiveObjects"));
  g_record = reinterpret_cast<FakeRecordFn>(find("FakeRecord"));
  auto create = reinterpret_cast<CreateComponentFn>(find("CreateComponent"));
  g_window_engine = static_cast<IUILayoutEngine*>(create(kUILayoutEngineId, 0));

  LoadedModule module;
  if (!Load(module_path, &module)) return;
  module.set_factory(framework);
  g_window = CreateUpdateWindow(module);
  if (g_window == nullptr) return;
  auto* window = static_cast<IUpdateLogic*>(g_window);
  EventSourceOf(g_window)->Advise(&g_listener, 1);
  CheckEqual("Init", 1, window->Init(&g_host, 1));
  CheckEqual("SetShowProxyButton", 1, window->SetShowProxyButton(1));
  clear();
  CheckEqual("StartUpdate", 1, window->StartUpdate(7));
  IUpdateEngineEvent* events = listener_of_engine();
  if (!CheckEqual("the module advised the engine", 1, events != nullptr)) return;
  CheckEqual("the sink's version", 1, events->GetSinkVersion() != 0);
  events->OnStageTiming();
  Progress(events, kPhaseDownload, 40);
  Progress(events, kPhaseDownload, 100);
  Progress(events, kPhaseInstall, 100);
  events->OnUpdateSuccess();
  events->OnUpdateFinish();
  IUIEventSink* sink = nullptr;
  std::uint32_t start_game = control("C2_Button_StartGame", &sink);
  if (CheckEqual("Start game is bound", 1, sink != nullptr)) sink->OnUIEvent(start_game, &g_click);
  if (!CheckText("the full update's outside calls", kExpectedUpdate, journal())) {
    Print("the calls made:\n"), Print(journal());
  }
  CheckEqual("the listener released the window", 1, g_window == nullptr);
  module.free_map();
  CheckEqual("OrvexDllCanUnloadNow at the end", 1, module.can_unload());
  FreeLibrary(module.handle);
  g_window_engine->Release(0);
  CheckEqual("fake objects still held", 0, live());
}

}  // namespace orv::msvc_abi
