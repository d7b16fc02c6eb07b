// The testbed launcher: a host program that loads the framework's factory as its Orvex.ini
// says, obtains the update window (component 1374) through the factory as a launcher does,
// lets it load its view into the launcher's own window, starts the update and pumps the
// message loop through which the update engine's scenario and the person's keys reach the
// window. At a terminal it draws the window and takes keys; otherwise (or with --batch) it
// plays the scenario's script, prints each new frame and checks how the run ended.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "framework/bounded_string.h"
#include "framework/component_paths.h"
#include "framework/interfaces/component_factory.h"
#include "framework/interfaces/module_exports.h"
#include "framework/interfaces/update_logic_interface.h"
#include "platform/debug_capture.h"
#include "platform/file_read.h"
#include "platform/folders.h"
#include "platform/module_handle.h"
#include "platform/native_path.h"
#include "platform/native_window.h"
#include "platform/profile.h"
#include "platform/tcp_socket.h"
#include "platform/terminal.h"
#include "platform/text_encoding.h"
#include "testbed/factory/testbed_control.h"
#include "testbed/launcher/console.h"
#include "testbed/launcher/interactive.h"
#include "testbed/launcher/launcher_host.h"
#include "testbed/launcher/launcher_options.h"
#include "testbed/launcher/launcher_run.h"
#include "testbed/launcher/launcher_script.h"
#include "testbed/launcher/proxy_test_watch.h"
#include "testbed/launcher/window_mode.h"
#include "testbed/update_engine/scenario.h"

namespace {

using namespace orv;
using namespace orv::launcher;

// The layouts the window and its dialogs load, under the framework root.
constexpr const char* kLayouts[] = {"ui\\LayOut\\Container_Update.tpf",
                                    "ui\\LayOut\\Dlg_Connecting.tpf",
                                    "ui\\layout\\Dlg_ProxySetting.tpf"};

int Error(const std::string& message) {
  std::fprintf(stderr, "OrvLauncher: %s\n", message.c_str());
  return 2;
}

// A path as this system writes it, for the launcher's own messages.
std::string Shown(const std::string& windows_path) { return platform::NativePath(windows_path); }

std::string BesideLauncher(const std::string& relative) {
  char path[kPathSize] = {};
  ExecutablePath(relative.c_str(), path, sizeof path);
  return path;
}

// A configured path: absolute as it is, else relative to `folder`.
std::string Resolve(const std::string& folder, const std::string& value) {
  const bool absolute =
      (!value.empty() && value[0] == '\\') || (value.size() > 1 && value[1] == ':');
  return absolute ? value : folder + "\\" + value;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

std::string ScenarioPath(const std::string& name) {
  if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
      name.find(".scn") != std::string::npos) {
    return name;
  }
  return BesideLauncher("scenarios\\" + name + ".scn");
}

std::string FirstComment(const std::string& text) {
  std::string first = text.substr(0, text.find('\n'));
  return first.rfind("# ", 0) == 0 ? first.substr(2) : std::string();
}

int ListScenarios() {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(Shown(BesideLauncher("scenarios")), ignored)) {
    if (entry.path().extension() == ".scn") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::string text;
    platform::ReadWholeFile(ScenarioPath(name).c_str(), &text);
    std::printf("%-24s %s\n", name.c_str(), FirstComment(text).c_str());
  }
  return 0;
}

// The scenario file: the engine's steps and the launcher's script, both checked before
// anything runs.
bool LoadScenario(const std::string& name, std::string* text, testbed::Scenario* steps, Run* run,
                  std::string* error) {
  const std::string path = ScenarioPath(name);
  std::error_code ignored;
  if (std::filesystem::is_directory(Shown(path), ignored)) {
    *error = Shown(path) + ": is a folder, not a scenario file";
    return false;
  }
  if (!platform::ReadWholeFile(path.c_str(), text)) {
    *error = "no scenario \"" + name + "\" (" + Shown(path) + "; see --list)";
    return false;
  }
  if (!testbed::ParseScenario(*text, steps, error) || !ParseScript(*text, &run->script, error)) {
    *error = Shown(path) + ": " + *error;
    return false;
  }
  if (steps->steps.empty() && steps->accept_params && steps->accept_run) {
    *error = Shown(path) + ": has no steps, so there is nothing to play";
    return false;
  }
  run->scenario_name = name;
  run->scenario_title = FirstComment(*text);
  for (const auto& step : steps->steps)
    run->advised = run->advised || step.progress.update_kind == 2;
  return true;
}

// Each layout the window will load, loaded once beforehand, so that a broken one is named
// instead of leaving an empty window or a dialog that never opens.
bool CheckLayouts(testbed::ITestbedControl* testbed, const std::string& ini, std::string* error) {
  char configured[kPathSize] = {};
  platform::ReadProfileString("Registry", "orvex_rootpath_data", "", configured, sizeof configured,
                              ini.c_str());
  const std::string root =
      configured[0] != '\0' ? Resolve(FolderOf(ini), configured) : FolderOf(BesideLauncher("x"));
  for (const char* layout : kLayouts) {
    const std::string path = root + "\\" + layout;
    char reason[512] = {};
    if (!platform::PathExists(path.c_str())) {
      *error = "layout " + Shown(layout) + " is missing (" + Shown(path) + ")";
      return false;
    }
    if (!testbed->CheckLayout(path.c_str(), reason, sizeof reason)) {
      *error = "layout " + Shown(layout) + " does not load: " + reason;
      return false;
    }
  }
  return true;
}

// The log file the configuration names (Windows form), or empty. A folder that cannot take
// it is said once; the run goes on without a log.
std::string CheckLogFile(const std::string& ini) {
  char configured[kPathSize] = {};
  platform::ReadProfileString("Log", "File", "", configured, sizeof configured, ini.c_str());
  if (configured[0] == '\0') return "";
  const std::string path = Resolve(FolderOf(ini), configured);
  std::remove(Shown(path).c_str());
  if (std::FILE* probe = std::fopen(Shown(path).c_str(), "ab")) {
    std::fclose(probe);
    std::remove(Shown(path).c_str());
  } else {
    std::fprintf(
        stderr,
        "OrvLauncher: the log file %s cannot be written (its folder is missing or read-only); "
        "the run goes on without it\n",
        Shown(path).c_str());
  }
  return path;
}

// A loopback server that takes the connections proxies open for a test, and closes them.
class ProxyTestTarget {
 public:
  bool Start() {
    if (!listener_.Listen(0)) return false;
    worker_ = std::thread([this] {
      while (!stop_) listener_.Accept(100);  // accepted, then closed at once
    });
    return true;
  }
  void Stop() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
  }
  ~ProxyTestTarget() { Stop(); }
  std::uint16_t port() const { return listener_.port(); }

 private:
  platform::TcpListener listener_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

// Batch output: message boxes as the testbed's message box recorded them, and each new frame.
void PrintFrame(Run* run) {
  run->module_lines += run->capture->Take();
  const std::string frame = DrawScreen(run->testbed, run->window);
  const std::string journal = run->testbed->Journal();
  for (size_t at = journal.find("MessageBox.ShowMessage(", run->journal_seen);
       at != std::string::npos; at = journal.find("MessageBox.ShowMessage(", at + 1)) {
    std::printf("=== message box %s\n",
                journal.substr(at + 22, journal.find('\n', at) - at - 22).c_str());
  }
  run->journal_seen = journal.size();
  if (frame != run->last_frame) {
    std::printf("--- t=%llu ms\n%s", static_cast<unsigned long long>(run->testbed->Now()),
                frame.c_str());
    run->last_frame = frame;
  }
}

void ShowFrame(Run* run) {
  if (!run->interactive) {
    PrintFrame(run);
  } else if (!run->windows) {
    DrawInteractive(run);
  }
  SavePictureIfNew(run);
}

bool RunEnded(void* context) {
  auto* run = static_cast<Run*>(context);
  ShowFrame(run);
  return run->host->start_game() || run->played_current || run->quit;
}

// A control of the window, or else of the open proxy dialog.
IUILayoutEngine* EngineWith(Run* run, const std::string& control) {
  testbed::ControlState state{};
  if (run->testbed->GetControlState(run->window, control.c_str(), &state)) return run->window;
  return run->testbed->FindEngineByWindow(kProxyDialogWindow);
}

void DoAction(Run* run, const ScriptAction& action) {
  bool done = false;
  if (action.verb == "play-current") {
    done = run->played_current = CanPlayCurrent(run);
  } else if (action.verb == "click") {
    done = run->testbed->Click(EngineWith(run, action.control), action.control.c_str());
  } else if (action.verb.rfind("real-", 0) == 0) {
    done = run->testbed->ActOnScreen(EngineWith(run, action.control), action.verb.c_str() + 5,
                                     action.control.c_str(), action.text.c_str());
  } else if (action.verb == "wait-proxy-test") {
    const std::string outcome = AwaitProxyTest(run, 30000);
    run->proxy_test_outcomes.push_back(outcome);
    std::printf("=== proxy test: %s\n", outcome.c_str());
    done = true;
  } else if (action.verb == "choose") {
    done = run->testbed->SelectComboItem(EngineWith(run, action.control), action.control.c_str(),
                                         std::atoi(action.text.c_str()));
  } else {
    done = run->testbed->TypeText(EngineWith(run, action.control), action.control.c_str(),
                                  action.text.c_str());
  }
  std::printf("=== %s%s%s%s%s\n", action.verb.c_str(), action.control.empty() ? "" : " ",
              action.control.c_str(), action.text.empty() ? "" : (" " + action.text).c_str(),
              done ? "" : " (not possible now)");
}

struct ActionTask {
  Run* run;
  ScriptAction action;
};

void DoActionTask(void* context) {
  auto* task = static_cast<ActionTask*>(context);
  if (!task->run->ended) {
    ShowFrame(task->run);
    DoAction(task->run, task->action);
  }
  delete task;
}

// Checks the scenario's expectations; prints each one that does not hold.
int CheckExpectations(Run* run) {
  int failed = 0;
  size_t proxy_tests = 0;  // the proxy-test expectations take the outcomes in order
  for (const Expectation& e : run->script.expectations) {
    bool holds = true;
    std::string seen;
    if (e.kind == "start-game") {
      holds = run->host->start_game();
      seen = "the game was not started";
    } else if (e.kind == "no-start-game") {
      holds = !run->host->start_game();
      seen = "the window said the game may start";
    } else if (e.kind == "play-current") {
      holds = run->played_current;
      seen = "the person did not go on with the current version";
    } else if (e.kind == "shows") {
      holds = run->final_view.find(e.text) != std::string::npos;
      seen = "the last view does not show it";
    } else if (e.kind == "proxy") {
      ProxyEntry used{};
      holds = run->testbed->LastUsedProxy(&used) && ProxyText(used) == e.text;
      seen = "the update engine was handed another proxy, or none";
    } else if (e.kind == "stat") {
      const std::string code = e.text.substr(0, e.text.find(' '));
      const std::string value = e.text.size() > code.size() ? e.text.substr(code.size() + 1) : "*";
      holds = false;
      for (const auto& stat : run->host->stats()) {
        holds = holds || (std::to_string(stat.first) == code &&
                          (value == "*" || std::to_string(stat.second) == value));
      }
      seen = "no such statistic";
    } else if (e.kind == "proxy-test") {
      const std::string outcome = proxy_tests < run->proxy_test_outcomes.size()
                                      ? run->proxy_test_outcomes[proxy_tests]
                                      : "not waited for";
      ++proxy_tests;
      holds = outcome == e.text;
      seen = outcome;
    }
    if (!holds) {
      ++failed;
      std::printf("EXPECTED (line %d) %s %s: %s\n", e.line, e.kind.c_str(), e.text.c_str(),
                  seen.c_str());
    }
  }
  return failed;
}

void PrintSummary(Run* run) {
  std::printf("=== summary of %s\nStatistics, as reported:\n", run->scenario_name.c_str());
  const auto& stats = run->host->stats();
  for (size_t i = 0; i < stats.size();) {
    size_t same = i;
    while (same < stats.size() && stats[same] == stats[i]) ++same;
    std::printf("  %u/%u  %s%s\n", stats[i].first, stats[i].second,
                StatisticText(stats[i].first, stats[i].second).c_str(),
                same - i > 1 ? (" (x" + std::to_string(same - i) + ")").c_str() : "");
    i = same;
  }
  ProxyEntry used{};
  std::printf("Proxy handed to the update engine: %s\n",
              run->testbed->LastUsedProxy(&used) ? ProxyText(used).c_str() : "none");
  std::printf("Listener: %s\n", run->host->start_game() ? "OnStartGame"
                                : run->played_current
                                    ? "not notified; the person played the current version"
                                    : "not notified");
  std::printf("Final view:\n%s", run->final_view.c_str());
  std::printf("Module's debugger lines:\n%s", platform::GbkToUtf8(run->module_lines).c_str());
  std::string log;
  if (!run->log_file.empty() && platform::ReadWholeFile(run->log_file.c_str(), &log)) {
    std::printf("Log file %s:\n%s", Shown(run->log_file).c_str(), platform::GbkToUtf8(log).c_str());
  }
}

// What the launcher holds of the framework and the module. Every way out lets go of all of it,
// in the order a launcher does before it unloads modules.
class Session {
 public:
  ~Session() {
    Release();
    if (framework != nullptr) platform::UnloadModule(framework);
  }

  platform::ModuleHandle framework = nullptr;
  Run* run = nullptr;
  IUpdateLogic* update = nullptr;

  // Lets go of the window and unloads the module; the factory DLL stays until the end, since
  // the testbed's record of the run lives there. Answers whether the module reported leaks.
  bool Release() {
    if (run == nullptr) return false;
    Run* r = run;
    run = nullptr;
    // What is still queued (scenario steps of a released engine, the script's actions) plays
    // out at once: there is nothing left to watch.
    r->ended = true;
    r->testbed->SetIdleHandler(nullptr, nullptr);
    r->testbed->SetMessageBoxResponder(nullptr, nullptr);
    r->testbed->SetPaused(false);
    r->testbed->SetRealTime(0);
    if (update != nullptr && r->factory->ReleaseComponent(update) == 0) update->Release(0);
    update = nullptr;
    if (r->window != nullptr) r->window->Release(0);
    r->window = nullptr;
    r->testbed->RunUntilIdle();
    std::printf("OrvexDllCanUnloadNow: %d\n", UnloadModule(r) ? 1 : 0);
    r->module_lines += r->capture->Take();
    r->testbed->SetProxyTestTarget(nullptr, 0);
    return r->module_lines.find("Found leak Orvex components") != std::string::npos;
  }

 private:
  static bool UnloadModule(Run* r) {
    platform::ModuleHandle module = platform::FindLoadedModule("OrvUpdateUI.dll");
    if (module == nullptr) return true;
    auto free_map =
        reinterpret_cast<OrvexDllFreeMapFn>(platform::FindExport(module, "OrvexDllFreeMap"));
    auto can_unload = reinterpret_cast<OrvexDllCanUnloadNowFn>(
        platform::FindExport(module, "OrvexDllCanUnloadNow"));
    if (free_map != nullptr) free_map();
    int unloadable = 0;
    for (int attempt = 0; can_unload != nullptr && attempt < 10 && !(unloadable = can_unload());
         ++attempt) {
      r->testbed->RunUntilIdle();
    }
    platform::ModuleHandle framework = platform::FindLoadedModule("OrvFact.dll");
    auto unload =
        reinterpret_cast<int (*)()>(platform::FindExport(framework, "OrvFactUnloadModules"));
    if (unload != nullptr && unload() != 0)
      std::printf("the update module could not be unloaded\n");
    return unloadable != 0;
  }
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, &options, &error)) return Error(error);
  if (options.help) {
    std::printf("%s", kUsage);
    return 0;
  }
  if (options.list) return ListScenarios();

  std::string scenario_text;
  testbed::Scenario steps;
  Run run;
  if (!LoadScenario(options.scenario, &scenario_text, &steps, &run, &error)) return Error(error);
  run.interactive =
      !options.batch && (options.view == View::kWindow || platform::IsInteractiveTerminal());
  run.windows =
      options.view == View::kWindow || !options.screenshot_folder.empty() ||
      (options.view == View::kDefault && run.interactive && platform::NativeWindowsAvailable());
  if (run.windows && !platform::NativeWindowsAvailable()) {
    return Error(
        "windows exist only on Windows builds; this one shows the update window as text "
        "(--console)");
  }
  run.speed = options.speed;
  run.screenshot_folder = options.screenshot_folder;
  std::error_code folder_error;
  if (!run.screenshot_folder.empty() &&
      !std::filesystem::is_directory(run.screenshot_folder, folder_error) &&
      !std::filesystem::create_directories(run.screenshot_folder, folder_error)) {
    return Error("cannot make the screenshot folder " + run.screenshot_folder);
  }

  char ini[kPathSize] = {};
  LocateIni(nullptr, ini, sizeof ini);
  if (!platform::PathExists(ini)) {
    return Error("the configuration " + Shown(ini) +
                 " is missing (it names the factory DLL and the modules)");
  }
  char dll[kPathSize] = {};
  FactoryDllPath(ini, dll, sizeof dll);
  platform::DebugCapture capture;  // the module's debugger lines, for the screen and the summary
  run.capture = &capture;
  run.log_file = CheckLogFile(ini);
  // Batch runs start from a clean proxy record, or the scenario's; at a terminal the person's
  // settings persist unless the scenario sets its own.
  const std::string proxy_file = BesideLauncher("proxy.cfg");
  if (!run.interactive || run.script.sets_proxy) std::remove(Shown(proxy_file).c_str());

  Session session;
  session.framework = platform::LoadModule(dll);
  if (session.framework == nullptr) {
    return Error("cannot load the factory DLL " + Shown(dll) + " (named by " + Shown(ini) + ")");
  }
  auto create = reinterpret_cast<CreateComponentFn>(
      platform::FindExport(session.framework, "CreateComponent"));
  auto testbed_of = reinterpret_cast<testbed::OrvFactTestbedFn>(
      platform::FindExport(session.framework, "OrvFactTestbed"));
  if (create == nullptr || testbed_of == nullptr)
    return Error(Shown(dll) + " is not the testbed's factory DLL");
  run.factory = static_cast<IComponentFactory*>(create(kComponentFactoryId, 0));
  run.testbed = testbed_of();
  if (run.factory == nullptr) return Error(Shown(dll) + " has no component factory");
  if (!CheckLayouts(run.testbed, ini, &error)) return Error(error);
  if (run.windows && !run.testbed->ShowWindows())
    return Error("the testbed could not open windows");
  run.testbed->SetScenario(scenario_text.c_str());

  run.window = run.testbed->CreateWindowEngine("MainWindow");
  session.run = &run;
  LauncherHost host(run.window, proxy_file, 1);
  run.host = &host;
  if (run.script.sets_proxy && host.SetProxyConfig(&run.script.proxy) == 0) {
    return Error("cannot write the proxy record " + Shown(proxy_file));
  }
  session.update = static_cast<IUpdateLogic*>(run.factory->CreateById(kUpdateLogicId, ""));
  if (session.update == nullptr) {
    run.module_lines += capture.Take();
    return Error("the factory could not create the update window (1374): is [1374] DLL= in " +
                 Shown(ini) + " right?\n" + run.module_lines);
  }
  if (session.update->Init(&host, 0) == 0) {
    return Error("the update window could not load its view (" + Shown(kLayouts[0]) + ")");
  }
  EventSourceOf(session.update)->Advise(host.listener(), 0);

  // A target of the launcher's own for the proxy dialog's Test: no internet needed.
  ProxyTestTarget target;
  if (run.script.proxy_test_target_closed) {
    run.testbed->SetProxyTestTarget("127.0.0.1", 1);  // nobody listens on port 1
  } else if (target.Start()) {
    run.testbed->SetProxyTestTarget("127.0.0.1", target.port());
  }

  platform::RawKeys* keys = nullptr;
  if (run.interactive && run.windows) {
    run.testbed->SetRealTime(options.speed);
    run.testbed->SetMessageBoxResponder(&AnswerInWindow, &run);
    run.testbed->SetIdleHandler(&PumpWindowMessages, &run);
    std::printf("OrvLauncher: %s - the update window is open; closing it quits.\n",
                run.scenario_name.c_str());
  } else if (run.interactive) {
    keys = new platform::RawKeys;
    run.keys = keys;
    run.testbed->SetRealTime(options.speed);
    run.testbed->SetMessageBoxResponder(&AnswerAtConsole, &run);
    run.testbed->SetIdleHandler(&ReadKeys, &run);
  } else {
    for (int answer : run.script.answers) run.testbed->PushMessageBoxAnswer(answer);
  }

  const int started = session.update->StartUpdate(0);
  if (!run.interactive) {
    std::printf("=== StartUpdate: %d\n", started);
    // Each script action becomes a task due at its time; a click then is a task of its own.
    for (const auto& action : run.script.actions)
      run.testbed->PostAction(&DoActionTask, new ActionTask{&run, action}, action.at_ms);
  }
  run.testbed->RunUntil(&RunEnded, &run);
  ShowFrame(&run);
  run.final_view = DrawScreen(run.testbed, run.window);
  delete keys;
  if (run.interactive) std::printf("\n%s\n", run.quit ? "Quit." : "");
  std::printf("%s\n", host.start_game()
                          ? "The update window is done: the launcher would start the game now."
                      : run.played_current
                          ? "The launcher would start the current version of the game now."
                          : "The update window was left without starting the game.");

  const bool leaked = session.Release();
  target.Stop();
  if (leaked) std::printf("THE MODULE REPORTED LEAKED COMPONENTS (see its debugger lines below)\n");
  int failed = 0;
  if (!run.interactive) {
    PrintSummary(&run);
    failed = CheckExpectations(&run);
    std::printf("=== %s\n", failed == 0 && !leaked ? "the run ended as the scenario expects"
                                                   : "the run did not end as expected");
  }
  return failed == 0 && !leaked ? 0 : 1;
}
