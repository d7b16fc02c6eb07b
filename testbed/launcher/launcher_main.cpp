// The testbed launcher: a host program that loads the framework's factory as its Orvex.ini
// says, obtains the update window (component 1374) through the factory as a launcher does,
// lets it load its view into the launcher's own window, starts the update and pumps the
// message loop through which the update engine's scenario and the person's keys reach the
// window. At a terminal it draws the window and takes keys; otherwise (or with --batch) it
// plays the scenario's script, prints each new frame and checks how the run ended.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/bounded_string.h"
#include "framework/component_paths.h"
#include "platform/folders.h"
#include "platform/native_window.h"
#include "platform/terminal.h"
#include "testbed/launcher/batch_run.h"
#include "testbed/launcher/launcher_options.h"
#include "testbed/launcher/launcher_paths.h"
#include "testbed/launcher/launcher_session.h"
#include "testbed/launcher/proxy_test_target.h"
#include "testbed/launcher/run_checks.h"
#include "testbed/launcher/screen_texts.h"
#include "testbed/launcher/terminal_mode.h"
#include "testbed/launcher/window_mode.h"

namespace {

using namespace orv;
using namespace orv::launcher;

int Error(const std::string& message) {
  std::fprintf(stderr, "OrvLauncher: %s\n", message.c_str());
  return 2;
}

// Where the update window is shown and whether a person is there, from the options; false
// with the reason when the choice cannot be had.
bool ChooseMode(const Options& options, RunSetup* setup, std::string* error) {
  setup->interactive =
      !options.batch && (options.view == View::kWindow || platform::IsInteractiveTerminal());
  setup->windows =
      options.view == View::kWindow || !options.screenshot_folder.empty() ||
      (options.view == View::kDefault && setup->interactive && platform::NativeWindowsAvailable());
  if (setup->windows && !platform::NativeWindowsAvailable()) {
    *error =
        "windows exist only on Windows builds; this one shows the update window as text "
        "(--console)";
    return false;
  }
  setup->screenshot_folder = options.screenshot_folder;
  std::error_code folder_error;
  if (!setup->screenshot_folder.empty() &&
      !std::filesystem::is_directory(setup->screenshot_folder, folder_error) &&
      !std::filesystem::create_directories(setup->screenshot_folder, folder_error)) {
    *error = "cannot make the screenshot folder " + setup->screenshot_folder;
    return false;
  }
  return true;
}

// The frame as the mode shows it: printed, drawn at the terminal, and pictured.
void ShowFrame(Run* run) {
  if (!run->setup.interactive) {
    PrintFrame(run);
  } else if (!run->setup.windows) {
    DrawInteractive(run);
  }
  SavePictureIfNew(run);
}

bool RunEnded(void* context) {
  auto* run = static_cast<Run*>(context);
  ShowFrame(run);
  return run->setup.host->start_game() || run->played_current || run->quit;
}

// Who answers message boxes and what runs while the loop is idle: the person at a window or
// a terminal, or the script.
void HandOverToTheMode(Run* run, platform::RawKeys* keys) {
  testbed::ITestbedControl* testbed = run->setup.testbed;
  if (run->setup.interactive) testbed->SetRealTime(run->terminal.speed);
  if (run->setup.interactive && run->setup.windows) {
    testbed->SetMessageBoxResponder(&AnswerInWindow, run);
    testbed->SetIdleHandler(&PumpWindowMessages, run);
    std::printf("OrvLauncher: %s - the update window is open; closing it quits.\n",
                run->setup.scenario_name.c_str());
  } else if (run->setup.interactive) {
    run->terminal.keys = keys;
    testbed->SetMessageBoxResponder(&AnswerAtConsole, run);
    testbed->SetIdleHandler(&ReadKeys, run);
  } else if (run->setup.windows) {
    // Pictures are taken: the script's answers are given on the system's box, so that the
    // box is pictured too.
    testbed->SetMessageBoxResponder(&AnswerInWindow, run);
  } else {
    for (int answer : run->setup.script.answers) testbed->PushMessageBoxAnswer(answer);
  }
}

// The line that says how the update window left things for the launcher.
const char* Outcome(const Run& run) {
  if (run.setup.host->start_game()) {
    return "The update window is done: it hid its view and told the launcher that the game may "
           "start; the launcher would start the game now.";
  }
  if (run.played_current) return "The launcher would start the current version of the game now.";
  return "The update window was left without starting the game.";
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

  std::string scenario_text;
  testbed::Scenario steps;
  Run run;
  if (!LoadScenario(options.scenario, &scenario_text, &steps, &run.setup, &error) ||
      !ChooseMode(options, &run.setup, &error)) {
    return Error(error);
  }
  run.terminal.speed = options.speed;

  char ini[kPathSize] = {};
  LocateIni(nullptr, ini, sizeof ini);
  if (!platform::PathExists(ini)) {
    return Error("the configuration " + Shown(ini) +
                 " is missing (it names the factory DLL and the modules)");
  }
  char dll[kPathSize] = {};
  FactoryDllPath(ini, dll, sizeof dll);
  platform::DebugCapture capture;  // the module's debugger lines, for the screen and the summary
  run.setup.capture = &capture;
  run.setup.log_file = CheckLogFile(ini);
  // Batch runs start from a clean proxy record, or the scenario's; at a terminal the person's
  // settings persist unless the scenario sets its own.
  const std::string proxy_file = BesideLauncher("proxy.cfg");
  if (!run.setup.interactive || run.setup.script.sets_proxy) std::remove(Shown(proxy_file).c_str());

  Session session(&run);
  if (!session.Open(ini, dll, proxy_file, &error)) return Error(error);
  run.setup.testbed->SetScenario(scenario_text.c_str());

  // A target of the launcher's own for the proxy dialog's Test: no internet needed.
  ProxyTestTarget target;
  if (run.setup.script.proxy_test_target_closed) {
    run.setup.testbed->SetProxyTestTarget("127.0.0.1", 1);  // nobody listens on port 1
  } else if (target.Start()) {
    run.setup.testbed->SetProxyTestTarget("127.0.0.1", target.port());
  }
  std::unique_ptr<platform::RawKeys> keys;
  if (run.setup.interactive && !run.setup.windows) keys = std::make_unique<platform::RawKeys>();
  HandOverToTheMode(&run, keys.get());

  const int started = session.update()->StartUpdate(0);
  if (!run.setup.interactive) {
    std::printf("=== StartUpdate: %d\n", started);
    ScheduleActions(&run);
  }
  run.setup.testbed->RunUntil(&RunEnded, &run);
  ShowFrame(&run);
  run.final_view = DrawScreen(run.setup.testbed, run.setup.window);
  keys.reset();
  if (run.setup.interactive) std::printf("\n%s\n", run.quit ? "Quit." : "");
  std::printf("%s", WrapText(Outcome(run)).c_str());

  const bool leaked = session.Release();
  target.Stop();
  if (leaked) std::printf("THE MODULE REPORTED LEAKED COMPONENTS (see its debugger lines below)\n");
  int failed = 0;
  if (!run.setup.interactive) {
    PrintSummary(run);
    failed = CheckExpectations(run);
    std::printf("=== %s\n", failed == 0 && !leaked ? "the run ended as the scenario expects"
                                                   : "the run did not end as expected");
  }
  return failed == 0 && !leaked ? 0 : 1;
}
