// The launcher's session, played from the Microsoft C++ ABI against the fake framework: an
// update that fails and shows its tip; the proxy dialog run from its button (type chosen,
// fields typed, Test through a test connection, OK); an update cancelled through the message
// box (No, then Yes) and retried to its end; the start-game click, the listener releasing the
// window in OnStartGame; then the module idle and unloaded. Each scene's outside calls are
// compared with the expected sequence, and the module's own slots give the contract's results.
#include "framework/interfaces/message_box_interface.h"
#include "framework/interfaces/update_logic_interface.h"
#include "testbed/msvc_abi/launcher_stand_in.h"
#include "tests/msvc_abi/check.h"
#include "tests/msvc_abi/host.h"

namespace orv::msvc_abi {
namespace {

// The tips and notices a launcher ships beside itself.
constexpr char kLiveUpdateInfo[] =
    "[1234]\r\nStatic=Update failed (${ERRORCODE})\r\n"
    "[cancelupdatewhendownload]\r\nNotice=Stop the update?\r\ntype=4\r\n";

// The update window's caption of its questions, "登录提示" in GBK.
#define ORV_CAPTION "\xb5\xc7\xc2\xbc\xcc\xe1\xca\xbe"

// Every start of an update, the module's proxy record holding `count` entries.
#define ORV_UPDATE_START(count)                                         \
  "Factory.CreateById(1014)\n"                                          \
  "Engine.Advise(0)\n"                                                  \
  "Progress.SetRange(0,100)\n"                                          \
  "Progress.SetPos(0)\n"                                                \
  "Static.C2_Static_Process(\"\xcf\xc2\xd4\xd8\xbd\xf8\xb6\xc8 : \")\n" \
  "Factory.CreateById(186)\n"                                           \
  "UI.LoadLayout(\"ui\\LayOut\\Dlg_Connecting.tpf\")\n"                 \
  "Host.GetClientInfo(0)\n"                                             \
  "Host.GetProxyConfig(" count                                          \
  ")\n"                                                                 \
  "Engine.UseProxy(3,3128,\"10.1.2.3\")\n"                              \
  "Engine.SetUpdateParams(4660,7,0,\"\")\n"                             \
  "Engine.RunUpdate(1,0,\"\")\n"

// A progress event's statistics and texts (3 MB at 200 KB/s); `more`: what the install
// phase's first event reports between them.
#define ORV_PROGRESS(more, left, download, install, position) \
  "Host.ReportStat(3,1)\n" more                               \
  "Host.ReportStat(6,3221225472)\n"                           \
  "Static.C2_Static_UpdateVersion(\"v2.5.1\")\n"              \
  "Static.C2_Static_FileSize(\"3.0 MB\")\n"                   \
  "Static.C2_Static_DownloadSpeed(\"200 KB/s\")\n"            \
  "Static.C2_Static_LeftTime(\"" left                         \
  "\")\n"                                                     \
  "Static.C2_Static_DownloadProcess(\"D " download            \
  "\")\n"                                                     \
  "Static.C2_Static_IntallProcess(\"I " install               \
  "\")\n"                                                     \
  "Progress.SetPos(" position ")\n"

// The window's release: its buttons unbound, the proxy dialog's connections and engine
// released, the factory told that the module holds nothing.
#define ORV_WINDOW_RELEASE    \
  "UI.RemoveEventSink(18)\n"  \
  "UI.ReleaseControl(18)\n"   \
  "UI.RemoveEventSink(19)\n"  \
  "UI.RemoveEventSink(20)\n"  \
  "UI.RemoveEventSink(21)\n"  \
  "Release.component(55)\n"   \
  "Release.component(56)\n"   \
  "Release.component(186)\n"  \
  "Factory.CreateById(361)\n" \
  "Factory.NotifyModuleEmpty()\n"

// The proxy dialog filled from the launcher's stored entry (1, HTTP).
#define ORV_STORED_ENTRY                \
  "Host.GetProxyConfig(3)\n"            \
  "Combo.SetCurSel(2)\n"                \
  "Edit.Dlg_Adress_Edt(\"10.1.2.3\")\n" \
  "Edit.Dlg_Port_Edt(\"3128\")\n"       \
  "Edit.Dlg_User_Edt(\"\")\n"           \
  "Edit.Dlg_Pass_Edt(\"\")\n"           \
  "Edit.Dlg_Domain_Edt(\"\")\n"

// Cancel asked through the message box.
#define ORV_CANCEL_QUESTION                                         \
  "Factory.CreateById(1378)\n"                                      \
  "MessageBox.ShowMessage(0,4,\"<font>Stop the update?</font>\")\n" \
  "MessageBox.caption(\"" ORV_CAPTION                               \
  "\")\n"                                                           \
  "Release.component(1378)\n"

// What each scene asks of the world outside the module, in order (the UI's lookups, shows
// and update brackets left out: their effect is in the texts).
// The failed update, then the window released.
constexpr char kExpectedFailure[] = ORV_UPDATE_START("0")
    "Release.component(186)\n"
    "Static.C2_Static_UpdateFail(\"Update failed (1234)\")\n"
    "Engine.Unadvise(1)\n"
    "Release.component(1014)\n"
    "Host.ReportStat(8,1234)\n" ORV_WINDOW_RELEASE;

// The dialog built (each SetValue overload of the module's bag read back right), filled, run;
// HTTP chosen (the fields then from the stored entry 2, empty), typed, tested (the system's
// box says the proxy works), OK: entry 2 and the selection stored, the other entries as
// they were.
constexpr char kExpectedProxyDialog[] =
    "UI.GetProperties(3145733)\n"
    "Bag.SetValue read back: int ok text ok dword ok byte ok float ok\n"
    "UI.LoadLayout(\"ui\\layout\\Dlg_ProxySetting.tpf\")\n"
    "UI.AddEventSink(1)\n" ORV_STORED_ENTRY ORV_STORED_ENTRY
    "Dialog.DoModal()\n"
    "Host.GetProxyConfig(3)\n"
    "Edit.Dlg_Adress_Edt(\"\")\n"
    "Edit.Dlg_Port_Edt(\"0\")\n"
    "Edit.Dlg_User_Edt(\"\")\n"
    "Edit.Dlg_Pass_Edt(\"\")\n"
    "Edit.Dlg_Domain_Edt(\"\")\n"
    "Edit.GetPasswordText(260)\n"
    "Connection.Init(55,3,8080,\"192.168.7.9|gamer|s3cret|corp\")\n"
    "Connection.Connect(55,8080,\"www.qq.com\")\n"
    "Host.GetProxyConfig(3)\n"
    "Connection.Close(55)\n"
    "Host.MessageBoxA(0,0,"
    "\"\xb4\xfa\xc0\xed\xb7\xfe\xce\xf1\xc6\xf7\xb9\xa4\xd7\xf7\xd5\xfd\xb3\xa3|" ORV_CAPTION
    "\")\n"
    "Dialog.EndModal(2)\n"
    "Host.GetProxyConfig(3)\n"
    "Edit.GetPasswordText(260)\n"
    "Host.SetProxyConfig(3,2)\n"
    "Host.entry(0,0,0,\"|||\")\n"
    "Host.entry(1,3,3128,\"10.1.2.3|||\")\n"
    "Host.entry(2,3,8080,\"192.168.7.9|gamer|s3cret|corp\")\n";

// Cancel answered No: the box asked, nothing else; answered Yes: the engine let go.
constexpr char kExpectedCancel[] = ORV_CANCEL_QUESTION ORV_CANCEL_QUESTION
    "Engine.Unadvise(1)\n"
    "Release.component(1014)\n";

// Retry, a full update, Start game, the window released by the listener.
constexpr char kExpectedUpdate[] = ORV_UPDATE_START("3")
    "Host.ReportStat(10)\n"
    "Release.component(186)\n"
    ORV_PROGRESS("", "0:0:9", "40%", "0%", "40")
    ORV_PROGRESS("", "0:0:0", "100%", "0%", "100")
    "Static.C2_Static_UpdateVersion(\"\xcf\xc2\xd4\xd8\xc9\xfd\xbc\xb6\xb0\xfc\xcd\xea\xb3\xc9\")\n"
    ORV_PROGRESS("Host.ReportStat(5)\n", "0:0:0", "0%", "100%", "100")
    "Engine.Unadvise(1)\n"
    "Release.component(1014)\n"
    "Host.ReportStat(4)\n"
    "Host.Listener.OnStartGame()\n" ORV_WINDOW_RELEASE;

bool Journal(const char* what, const char* expected) {
  const bool held = CheckText(what, expected, g_framework.journal());
  if (!held) Print("the calls made:\n"), Print(g_framework.journal());
  g_framework.clear();
  return held;
}

IComponent* g_window;
Listener g_listener("Listener", &g_window), g_stray("Stray", nullptr);

// What the person does in the proxy dialog: HTTP chosen, the fields typed, Test (the proxy
// answers that it works), OK.
std::uint32_t PlayProxyDialog() {
  IUIEventSink* sink = nullptr;
  if (!Act(1, "Dlg_Type_Combo", "2", kEventComboSelectionChanged)) return 0;
  const char* fields[][2] = {{"Dlg_Adress_Edt", "192.168.7.9"},
                             {"Dlg_Port_Edt", " 8080 "},
                             {"Dlg_User_Edt", "gamer"},
                             {"Dlg_Pass_Edt", "s3cret"},
                             {"Dlg_Domain_Edt", "corp"}};
  for (auto& field : fields) g_framework.control(1, field[0], field[1], &sink);
  Act(1, "Dlg_ProxySetting_Test_Btn");
  if (IConnectionSink* outcome = g_framework.connection_sink()) {
    CheckEqual("the test connection's sink version", 1, outcome->GetSinkVersion());
    outcome->OnConnected();
  }
  return Act(1, "Dlg_ProxySetting_OK_Btn");
}

// The module's own slots, called from this side: IComponent's and IUpdateLogic's.
void CheckOwnSlots(IComponent* component) {
  CheckEqual("IsAlive", 1, component->IsAlive());
  component->SetFreeInMap(1);
  CheckEqual("GetFreeInMap after SetFreeInMap(1)", 1, component->GetFreeInMap());
  component->SetFreeInMap(0);
  component->Reserved1(), component->Reserved2(), component->Reserved3();
  char path[260] = "unchanged";
  static_cast<IUpdateLogic*>(component)->GetRegistryPath("Software\\Orv", path, sizeof path);
  CheckText("GetRegistryPath of a requested path", "Software\\Orv", path);
  static_cast<IUpdateLogic*>(component)->GetRegistryPath("Software\\Orv", nullptr, 260);
}

}  // namespace

void RunLauncherSession(const char* module_path) {
  char ini[600] = "";
  ExecutableFolder(ini, sizeof ini), Append(ini, sizeof ini, "liveupdateinfo.ini");
  CheckEqual("liveupdateinfo.ini written", 1, WriteWholeFile(ini, kLiveUpdateInfo));
  const char* missing = LoadFramework(&g_framework);
  if (!CheckText("the fake framework loads", "", missing == nullptr ? "" : missing)) return;
  g_host.ui_engine = static_cast<IUILayoutEngine*>(g_framework.create(kUILayoutEngineId, 0));
  LoadedModule module;
  if (!Loaded(module_path, &module)) return;
  CatchSystemMessageBox(module.handle);
  module.set_factory(g_framework.handle);

  // An update that fails: the tip of its code in the fail text, the error reported.
  IComponent* failing = CreateUpdateWindow(module);
  if (failing == nullptr) return;
  CheckOwnSlots(failing);
  CheckEqual("Init", 1, static_cast<IUpdateLogic*>(failing)->Init(&g_host, 1));
  g_framework.clear();
  CheckEqual("StartUpdate", 1, static_cast<IUpdateLogic*>(failing)->StartUpdate(7));
  IUpdateEngineEvent* events = g_framework.engine_listener();
  if (!CheckEqual("the module advised the engine", 1, events != nullptr)) return;
  events->OnUpdateFail(1234);
  failing->Release(0);
  Journal("a failed update's outside calls", kExpectedFailure);

  // The proxy dialog from the Proxy button, before any update.
  g_window = CreateUpdateWindow(module);
  if (g_window == nullptr) return;
  auto* window = static_cast<IUpdateLogic*>(g_window);
  IEventSource* source = EventSourceOf(g_window);
  source->Advise(&g_stray, 2), source->Advise(nullptr, 3), source->Advise(&g_listener, 1);
  source->Unadvise(&g_stray);  // OnStartGame reaches the launcher's listener alone
  CheckEqual("Init", 1, window->Init(&g_host, 1));
  CheckEqual("SetShowProxyButton", 1, window->SetShowProxyButton(1));
  g_framework.on_modal(&PlayProxyDialog);
  g_framework.clear();
  CheckEqual("the Proxy button is bound", 1, Act(0, "C2_Button_Proxy"));
  Journal("the proxy dialog's outside calls", kExpectedProxyDialog);

  // Cancel during the download: No keeps the update going, Yes stops it.
  CheckEqual("StartUpdate", 1, window->StartUpdate(7));
  events = g_framework.engine_listener();
  if (!CheckEqual("the module advised the engine", 1, events != nullptr)) return;
  CheckEqual("the update sink's version", 1, events->GetSinkVersion());
  Progress(events, kPhaseDownload, 40);
  g_framework.clear();
  g_framework.answers(kAnswerNo, kAnswerYes);
  Act(0, "C2_Button_Cancel");
  Act(0, "C2_Button_Cancel");
  Journal("a cancelled update's outside calls", kExpectedCancel);

  // Retried, to its end and the start of the game.
  CheckEqual("the Retry button is bound", 1, Act(0, "C2_Button_Retry"));
  events = g_framework.engine_listener();
  if (!CheckEqual("the module advised the new engine", 1, events != nullptr)) return;
  events->OnStageTiming();
  Progress(events, kPhaseDownload, 40);
  Progress(events, kPhaseDownload, 100);
  Progress(events, kPhaseInstall, 100);
  events->OnUpdateSuccess();
  events->OnUpdateFinish();
  CheckEqual("Start game is bound", 1, Act(0, "C2_Button_StartGame"));
  Journal("the full update's outside calls", kExpectedUpdate);
  CheckEqual("the listener released the window", 1, g_window == nullptr);
  module.free_map();
  CheckEqual("OrvexDllCanUnloadNow at the end", 1, module.can_unload());
  FreeLibrary(module.handle);
  g_host.ui_engine->Release(0);
  CheckEqual("fake objects still held", 0, g_framework.live());
}

}  // namespace orv::msvc_abi
