// The testbed launcher: a host program that loads the framework's factory as its Orvex.ini
// says, obtains the update window (component 1374) through the factory as a launcher does,
// lets it load its view into the launcher's own window, starts the update and pumps the
// message loop through which the update engine's scenario and the person's keys reach the
// window. At a terminal it draws the window and takes keys; otherwise (or with --batch) it
// plays the scenario's script, prints each new frame and checks how the run ended.
#include <algorithm>
#include <atomic>
#include <thread>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/bounded_string.h"
#include "framework/component_factory.h"
#include "framework/component_paths.h"
#include "module/module_exports.h"
#include "platform/debug_capture.h"
#include "platform/file_read.h"
#include "platform/module_handle.h"
#include "platform/native_path.h"
#include "platform/tcp_socket.h"
#include "platform/terminal.h"
#include "platform/text_encoding.h"
#include "testbed/launcher/console.h"
#include "testbed/launcher/launcher_host.h"
#include "testbed/launcher/launcher_script.h"
#include "testbed/runtime/testbed_control.h"
#include "testbed/update_engine/scenario.h"
#include "update/update_logic.h"

namespace {

using namespace orv;

constexpr char kUsage[] =
    "Usage: OrvLauncher [--scenario NAME|FILE] [--speed FACTOR] [--batch] [--list] [--help]\n"
    "\n"
    "Runs the update window (OrvUpdateUI.dll, obtained through the testbed's OrvFact.dll as\n"
    "Orvex.ini beside this program says) and plays an update scenario into it.\n"
    "\n"
    "  --scenario NAME|FILE  a shipped scenario by name (see --list) or a scenario file;\n"
    "                        default full_update\n"
    "  --speed FACTOR        how fast the scenario's delays pass at a terminal (default 1)\n"
    "  --batch               no keys: play the scenario's script, print each new frame and a\n"
    "                        summary, exit 0 when the run ended as the scenario expects\n"
    "                        (the mode whenever standard input or output is not a terminal)\n"
    "  --list                the shipped scenarios, one line each\n"
    "  --help                this text\n"
    "\n"
    "Keys at the terminal: c Cancel, r Retry, s Start game, p Proxy, q quit; in a message box\n"
    "y Yes, n No, o OK (Enter: the default button); in the proxy dialog 0/1/2 the proxy type\n"
    "(none, SOCKS5, HTTP), a address, t port, u user, w password, d domain, e Test, k OK,\n"
    "x Cancel, z Close.\n";

struct Options {
  std::string scenario = "full_update";
  double speed = 1.0;
  bool batch = false;
  bool list = false;
  bool help = false;
};

int Error(const std::string& message) {
  std::fprintf(stderr, "OrvLauncher: %s\n", message.c_str());
  return 2;
}

std::string BesideLauncher(const std::string& relative) {
  char path[kPathSize] = {};
  ExecutablePath(relative.c_str(), path, sizeof path);
  return path;
}

bool ParseOptions(int argc, char** argv, Options* options, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--batch") {
      options->batch = true;
    } else if (arg == "--list") {
      options->list = true;
    } else if (arg == "--help" || arg == "-h") {
      options->help = true;
    } else if ((arg == "--scenario" || arg == "--speed") && i + 1 < argc) {
      const std::string value = argv[++i];
      if (arg == "--scenario") {
        options->scenario = value;
      } else {
        char* end = nullptr;
        options->speed = std::strtod(value.c_str(), &end);
        if (*end != '\0' || options->speed <= 0) {
          *error = "--speed needs a number above 0, not \"" + value + "\"";
          return false;
        }
      }
    } else {
      *error = "unknown option \"" + arg + "\" (see --help)";
      return false;
    }
  }
  return true;
}

std::string ScenarioPath(const std::string& name) {
  if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
      name.find(".scn") != std::string::npos) {
    return name;
  }
  return BesideLauncher("scenarios\\" + name + ".scn");
}

int ListScenarios() {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(platform::NativePath(BesideLauncher("scenarios")), ignored)) {
    if (entry.path().extension() == ".scn") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::string text;
    platform::ReadWholeFile(ScenarioPath(name).c_str(), &text);
    std::string first = text.substr(0, text.find('\n'));
    if (first.rfind("# ", 0) == 0) first.erase(0, 2);
    std::printf("%-24s %s\n", name.c_str(), first.c_str());
  }
  return 0;
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

// Everything a run needs, and what it saw.
struct Run {
  testbed::ITestbedControl* testbed = nullptr;
  IComponentFactory* factory = nullptr;
  IUILayoutEngine* window = nullptr;
  launcher::LauncherHost* host = nullptr;
  launcher::Script script;
  bool interactive = false;
  bool quit = false;
  std::string last_frame;
  std::string message_box_note;  // a system message box seen in the debugger output
  platform::DebugCapture* capture = nullptr;
  std::string module_lines;
  platform::RawKeys* keys = nullptr;
  std::string final_view;  // the window as it was when the run ended
  size_t journal_seen = 0;
};

void CollectDebugLines(Run* run) {
  const std::string fresh = run->capture->Take();
  run->module_lines += fresh;
  const size_t box = fresh.rfind("[MessageBox] ");
  if (box != std::string::npos) {
    run->message_box_note = platform::GbkToUtf8(fresh.substr(box, fresh.find('\n', box) - box));
  }
}

std::string StatusLine(Run* run) {
  int played = 0;
  int total = 0;
  std::string status = "t=" + std::to_string(run->testbed->Now()) + " ms";
  if (run->testbed->ScenarioProgress(&played, &total)) {
    status += "  scenario step " + std::to_string(played) + "/" + std::to_string(total);
  }
  const auto& stats = run->host->stats();
  if (!stats.empty()) {
    status += "  ReportStat:";
    for (size_t i = stats.size() > 4 ? stats.size() - 4 : 0; i < stats.size(); ++i) {
      status += " " + std::to_string(stats[i].first) + "/" + std::to_string(stats[i].second);
    }
  }
  return status;
}

void ShowFrame(Run* run) {
  CollectDebugLines(run);
  const std::string frame = launcher::DrawScreen(run->testbed, run->window);
  if (run->interactive) {
    IUILayoutEngine* dialog = run->testbed->FindEngineByWindow(launcher::kProxyDialogWindow);
    const bool in_dialog = dialog != nullptr && run->testbed->InModalRun(dialog);
    const std::string keys = in_dialog
                                 ? "[0/1/2] type  [a] address  [t] port  [u] user  [w] password  [d] domain  " +
                                       launcher::KeyLine(run->testbed, dialog, launcher::kDialogKeys)
                                 : launcher::KeyLine(run->testbed, run->window, launcher::kWindowKeys) + "[q] quit";
    const std::string screen = frame + "\n" + keys + "\n" + StatusLine(run) + "\n" + run->message_box_note + "\n";
    if (screen != run->last_frame) {
      std::printf("\x1b[H\x1b[2J%s", screen.c_str());
      std::fflush(stdout);
      run->last_frame = screen;
    }
    return;
  }
  // Message boxes, as the testbed's message box recorded them.
  const std::string journal = run->testbed->Journal();
  for (size_t at = journal.find("MessageBox.ShowMessage(", run->journal_seen); at != std::string::npos;
       at = journal.find("MessageBox.ShowMessage(", at + 1)) {
    std::printf("=== message box %s\n", journal.substr(at + 22, journal.find('\n', at) - at - 22).c_str());
  }
  run->journal_seen = journal.size();
  if (frame != run->last_frame) {
    std::printf("--- t=%llu ms\n%s", static_cast<unsigned long long>(run->testbed->Now()), frame.c_str());
    run->last_frame = frame;
  }
}

bool RunEnded(void* context) {
  auto* run = static_cast<Run*>(context);
  ShowFrame(run);
  return run->host->start_game() || run->quit;
}

// A control of the window, or else of the open proxy dialog.
IUILayoutEngine* EngineWith(Run* run, const std::string& control) {
  testbed::ControlState state{};
  if (run->testbed->GetControlState(run->window, control.c_str(), &state)) return run->window;
  return run->testbed->FindEngineByWindow(launcher::kProxyDialogWindow);
}

void DoAction(Run* run, const launcher::ScriptAction& action) {
  IUILayoutEngine* engine = EngineWith(run, action.control);
  bool done = false;
  if (action.verb == "click") {
    done = run->testbed->Click(engine, action.control.c_str());
  } else if (action.verb == "choose") {
    done = run->testbed->SelectComboItem(engine, action.control.c_str(), std::atoi(action.text.c_str()));
  } else {
    done = run->testbed->TypeText(engine, action.control.c_str(), action.text.c_str());
  }
  std::printf("=== %s %s%s%s\n", action.verb.c_str(), action.control.c_str(),
              action.text.empty() ? "" : (" " + action.text).c_str(), done ? "" : " (not possible now)");
}

struct ActionTask {
  Run* run;
  launcher::ScriptAction action;
};

void DoActionTask(void* context) {
  auto* task = static_cast<ActionTask*>(context);
  ShowFrame(task->run);
  DoAction(task->run, task->action);
  delete task;
}

int AnswerAtConsole(void* context, const char* caption, const char* text, std::uint32_t style) {
  auto* run = static_cast<Run*>(context);
  const unsigned buttons = style & 0xF;
  std::printf("\x1b[H\x1b[2J%s\n+--- %s ---\n| %s\n+--- %s\n", run->last_frame.c_str(), caption, text,
              buttons == 4 || buttons == 3 ? "[y] Yes  [n] No" : buttons == 1 ? "[o] OK  [x] Cancel" : "[o] OK");
  std::fflush(stdout);
  run->last_frame.clear();
  for (;;) {
    const int key = run->keys->Read(1000);
    if ((buttons == 4 || buttons == 3) && (key == 'y' || key == '\n' || key == '\r')) return 6;
    if ((buttons == 4 || buttons == 3) && key == 'n') return 7;
    if (buttons == 1 && key == 'x') return 2;
    if (key == 'o' || key == '\n' || key == '\r') return 1;
  }
}

bool ReadKeys(void* context) {
  auto* run = static_cast<Run*>(context);
  ShowFrame(run);
  const int key = run->keys->Read(50);
  if (key < 0) return true;
  IUILayoutEngine* dialog = run->testbed->FindEngineByWindow(launcher::kProxyDialogWindow);
  if (dialog != nullptr && run->testbed->InModalRun(dialog)) {
    static const struct {
      char key;
      const char* control;
      const char* prompt;
    } kFields[] = {{'a', "Dlg_Adress_Edt", "address"}, {'t', "Dlg_Port_Edt", "port"},
                   {'u', "Dlg_User_Edt", "user"},      {'w', "Dlg_Pass_Edt", "password"},
                   {'d', "Dlg_Domain_Edt", "domain"}};
    if (key >= '0' && key <= '2') run->testbed->SelectComboItem(dialog, "Dlg_Type_Combo", key - '0');
    for (const auto& field : kFields) {
      if (key == field.key) {
        std::printf("%s: ", field.prompt);
        std::fflush(stdout);
        run->testbed->TypeText(dialog, field.control, run->keys->ReadLine().c_str());
        run->last_frame.clear();
      }
    }
    for (const launcher::Key& k : launcher::kDialogKeys) {
      if (key == k.key) run->testbed->Click(dialog, k.control);
    }
    return true;
  }
  if (key == 'q') {
    run->quit = true;
    return false;
  }
  for (const launcher::Key& k : launcher::kWindowKeys) {
    if (key == k.key) run->testbed->Click(run->window, k.control);
  }
  return true;
}

// Checks the scenario's expectations; prints each one that does not hold.
int CheckExpectations(Run* run) {
  int failed = 0;
  for (const launcher::Expectation& e : run->script.expectations) {
    bool holds = true;
    std::string seen;
    if (e.kind == "start-game") {
      holds = run->host->start_game();
      seen = "the game was not started";
    } else if (e.kind == "no-start-game") {
      holds = !run->host->start_game();
      seen = "the window said the game may start";
    } else if (e.kind == "shows") {
      holds = run->final_view.find(e.text) != std::string::npos;
      seen = "the last view does not show it";
    } else if (e.kind == "stat") {
      const std::string code = e.text.substr(0, e.text.find(' '));
      const std::string value = e.text.size() > code.size() ? e.text.substr(code.size() + 1) : "*";
      holds = false;
      for (const auto& stat : run->host->stats()) {
        holds = holds || (std::to_string(stat.first) == code && (value == "*" || std::to_string(stat.second) == value));
      }
      seen = "no such statistic";
    }
    if (!holds) {
      ++failed;
      std::printf("EXPECTED (line %d) %s %s: %s\n", e.line, e.kind.c_str(), e.text.c_str(), seen.c_str());
    }
  }
  return failed;
}

void PrintSummary(Run* run) {
  std::printf("=== summary\nReportStat:");
  for (const auto& stat : run->host->stats()) std::printf(" %u/%u", stat.first, stat.second);
  std::printf("\nListener: %s\n", run->host->start_game() ? "OnStartGame" : "not notified");
  std::printf("Final view:\n%s", run->final_view.c_str());
  std::printf("Module's debugger lines:\n%s", platform::GbkToUtf8(run->module_lines).c_str());
  std::string log;
  if (platform::ReadWholeFile(BesideLauncher("launcher.log").c_str(), &log)) {
    std::printf("Log file lines:\n%s", platform::GbkToUtf8(log).c_str());
  }
}

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

  // The scenario: the engine's steps and the launcher's script, both checked before anything runs.
  const std::string scenario_path = ScenarioPath(options.scenario);
  std::string scenario_text;
  if (!platform::ReadWholeFile(scenario_path.c_str(), &scenario_text)) {
    return Error("no scenario \"" + options.scenario + "\" (" + scenario_path + "; see --list)");
  }
  testbed::Scenario steps;
  Run run;
  if (!testbed::ParseScenario(scenario_text, &steps, &error) || !launcher::ParseScript(scenario_text, &run.script, &error)) {
    return Error(scenario_path + ": " + error);
  }
  run.interactive = !options.batch && platform::IsInteractiveTerminal();

  platform::DebugCapture capture;  // the module's debugger lines, for the screen and the summary
  run.capture = &capture;
  std::remove(platform::NativePath(BesideLauncher("launcher.log")).c_str());

  char ini[kPathSize] = {};
  LocateIni(nullptr, ini, sizeof ini);
  char dll[kPathSize] = {};
  FactoryDllPath(ini, dll, sizeof dll);
  platform::ModuleHandle framework = platform::LoadModule(dll);
  if (framework == nullptr) return Error(std::string("cannot load the factory DLL ") + dll + " (named by " + ini + ")");
  auto create = reinterpret_cast<CreateComponentFn>(platform::FindExport(framework, "CreateComponent"));
  auto testbed_of = reinterpret_cast<testbed::OrvFactTestbedFn>(platform::FindExport(framework, "OrvFactTestbed"));
  if (create == nullptr || testbed_of == nullptr) return Error(std::string(dll) + " is not the testbed's factory DLL");
  run.factory = static_cast<IComponentFactory*>(create(kComponentFactoryId, 0));
  run.testbed = testbed_of();
  if (run.factory == nullptr) return Error(std::string(dll) + " has no component factory");
  run.testbed->SetScenario(scenario_text.c_str());

  run.window = run.testbed->CreateWindowEngine("MainWindow");
  launcher::LauncherHost host(run.window, BesideLauncher("proxy.cfg"), 1);
  run.host = &host;
  auto* update = static_cast<IUpdateLogic*>(run.factory->CreateById(kUpdateLogicId, ""));
  if (update == nullptr) {
    CollectDebugLines(&run);
    return Error("the factory could not create the update window (1374): is [1374] DLL= in " + std::string(ini) +
                 " right?\n" + run.module_lines);
  }
  if (update->Init(&host, 0) == 0) {
    run.factory->ReleaseComponent(update);
    return Error("the update window could not load its view (ui\\LayOut\\Container_Update.tpf under " +
                 BesideLauncher("") + ")");
  }
  EventSourceOf(update)->Advise(host.listener(), 0);

  // A target of the launcher's own for the proxy dialog's Test: no internet needed.
  ProxyTestTarget target;
  if (target.Start()) run.testbed->SetProxyTestTarget("127.0.0.1", target.port());

  platform::RawKeys* keys = nullptr;
  if (run.interactive) {
    keys = new platform::RawKeys;
    run.keys = keys;
    run.testbed->SetRealTime(options.speed);
    run.testbed->SetMessageBoxResponder(&AnswerAtConsole, &run);
    run.testbed->SetIdleHandler(&ReadKeys, &run);
  } else {
    for (int answer : run.script.answers) run.testbed->PushMessageBoxAnswer(answer);
  }

  const int started = update->StartUpdate(0);
  if (!run.interactive) std::printf("=== StartUpdate: %d\n", started);
  if (!run.interactive) {
    // Each script action becomes a task due at its time; a click then is a task of its own.
    for (const auto& action : run.script.actions) run.testbed->PostAction(&DoActionTask, new ActionTask{&run, action}, action.at_ms);
  }
  run.testbed->RunUntil(&RunEnded, &run);
  ShowFrame(&run);
  run.final_view = launcher::DrawScreen(run.testbed, run.window);
  run.testbed->SetIdleHandler(nullptr, nullptr);
  run.testbed->SetMessageBoxResponder(nullptr, nullptr);
  delete keys;
  if (run.interactive) std::printf("\n");
  std::printf("%s\n", host.start_game() ? "The update window is done: the launcher would start the game now."
                                        : "The update window was left without starting the game.");

  // Let go of the window and of the module, as a launcher does before it unloads modules.
  if (run.factory->ReleaseComponent(update) == 0) update->Release(0);
  run.window->Release(0);
  run.testbed->RunUntilIdle();
  platform::ModuleHandle module = platform::FindLoadedModule("OrvUpdateUI.dll");
  auto free_map = reinterpret_cast<OrvexDllFreeMapFn>(platform::FindExport(module, "OrvexDllFreeMap"));
  auto can_unload = reinterpret_cast<OrvexDllCanUnloadNowFn>(platform::FindExport(module, "OrvexDllCanUnloadNow"));
  if (free_map != nullptr) free_map();
  int unloadable = 0;
  for (int attempt = 0; can_unload != nullptr && attempt < 10 && !(unloadable = can_unload()); ++attempt) {
    run.testbed->RunUntilIdle();
  }
  std::printf("OrvexDllCanUnloadNow: %d\n", unloadable);
  auto unload = reinterpret_cast<int (*)()>(platform::FindExport(framework, "OrvFactUnloadModules"));
  if (unload != nullptr && unload() != 0) std::printf("the update module could not be unloaded\n");
  CollectDebugLines(&run);
  const bool leaked = run.module_lines.find("Found leak Orvex components") != std::string::npos;
  if (leaked) std::printf("THE MODULE REPORTED LEAKED COMPONENTS (see its debugger lines below)\n");

  int failed = 0;
  if (!run.interactive) {
    PrintSummary(&run);
    failed = CheckExpectations(&run);
    std::printf("=== %s\n", failed == 0 && !leaked ? "the run ended as the scenario expects" : "the run did not end as expected");
  }
  run.testbed->SetProxyTestTarget(nullptr, 0);
  target.Stop();
  platform::UnloadModule(framework);
  return failed == 0 && !leaked ? 0 : 1;
}
