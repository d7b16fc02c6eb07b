#include "testbed/launcher/batch_run.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/file_read.h"
#include "platform/text_encoding.h"
#include "testbed/launcher/launcher_paths.h"
#include "testbed/launcher/proxy_test_watch.h"
#include "testbed/launcher/screen_texts.h"
#include "testbed/launcher/window_mode.h"

namespace orv::launcher {
namespace {

// A control of the window, or else of the open proxy dialog.
IUILayoutEngine* EngineWith(const Run& run, const std::string& control) {
  testbed::ControlState state{};
  if (run.setup.testbed->GetControlState(run.setup.window, control.c_str(), &state))
    return run.setup.window;
  return run.setup.testbed->FindEngineByWindow(kProxyDialogWindow);
}

bool Act(Run* run, const ScriptAction& action) {
  testbed::ITestbedControl* testbed = run->setup.testbed;
  IUILayoutEngine* engine = EngineWith(*run, action.control);
  const char* control = action.control.c_str();
  switch (action.verb) {
    case Verb::kPlayCurrent: return run->played_current = CanPlayCurrent(*run);
    case Verb::kClick: return testbed->Click(engine, control);
    case Verb::kChoose:
      return testbed->SelectComboItem(engine, control, std::atoi(action.text.c_str()));
    case Verb::kType: return testbed->TypeText(engine, control, action.text.c_str());
    case Verb::kRealClick:
    case Verb::kRealChoose:
    case Verb::kRealType:
    case Verb::kRealKey:
      return testbed->ActOnScreen(engine, OnScreenAction(action.verb), control,
                                  action.text.c_str());
    case Verb::kWaitProxyTest: {
      const std::string outcome = AwaitProxyTest(run, 30000);
      run->batch.proxy_test_outcomes.push_back(outcome);
      std::printf("=== proxy test: %s\n", outcome.c_str());
      return true;
    }
  }
  return false;
}

struct ActionTask {
  Run* run;
  ScriptAction action;
};

void DoActionTask(void* context) {
  auto* task = static_cast<ActionTask*>(context);
  if (!task->run->ended) {
    // The frame as it was before the action, printed and (with a screenshot folder) pictured:
    // a dialog's frames come only here, inside its modal run.
    PrintFrame(task->run);
    SavePictureIfNew(task->run);
    const bool done = Act(task->run, task->action);
    const ScriptAction& a = task->action;
    // Where a key left the focus, which is what a person sees of it.
    const std::string focus =
        a.verb == Verb::kRealKey && done
            ? std::string(", focus on ") + task->run->setup.testbed->FocusedControl()
            : "";
    std::printf("=== %s%s%s%s%s%s\n", VerbName(a.verb), a.control.empty() ? "" : " ",
                a.control.c_str(), a.text.empty() ? "" : (" " + a.text).c_str(),
                done ? "" : " (not possible now)", focus.c_str());
  }
  delete task;
}

bool StatisticSeen(const Run& run, const Expectation& e) {
  for (const auto& stat : run.setup.host->stats()) {
    if (stat.first == e.stat_code && (e.any_value || stat.second == e.stat_value)) return true;
  }
  return false;
}

// Whether `e` holds; when not, what was seen instead.
bool Holds(const Run& run, const Expectation& e, size_t* proxy_tests, std::string* seen) {
  const bool start_game = run.setup.host->start_game();
  ProxyEntry used{};
  switch (e.kind) {
    case ExpectKind::kStartGame: *seen = "the game was not started"; return start_game;
    case ExpectKind::kNoStartGame: *seen = "the window said the game may start"; return !start_game;
    case ExpectKind::kPlayCurrent:
      *seen = "the person did not go on with the current version";
      return run.played_current;
    case ExpectKind::kShows:
      *seen = "the last view does not show it";
      return run.final_view.find(e.text) != std::string::npos;
    case ExpectKind::kProxy:
      *seen = "the update engine was handed another proxy, or none";
      return run.setup.testbed->LastUsedProxy(&used) && ProxyText(used) == e.text;
    case ExpectKind::kStat: *seen = "no such statistic"; return StatisticSeen(run, e);
    case ExpectKind::kProxyTest: {
      // The proxy-test expectations take the outcomes in order.
      const auto& outcomes = run.batch.proxy_test_outcomes;
      *seen = *proxy_tests < outcomes.size() ? outcomes[*proxy_tests] : "not waited for";
      ++*proxy_tests;
      return *seen == e.text;
    }
  }
  return false;
}

}  // namespace

void ScheduleActions(Run* run) {
  // A click then is a task of its own, as a person's click is a message of its own.
  for (const auto& action : run->setup.script.actions)
    run->setup.testbed->PostAction(&DoActionTask, new ActionTask{run, action}, action.at_ms);
}

void PrintFrame(Run* run) {
  run->TakeModuleLines();
  testbed::ITestbedControl* testbed = run->setup.testbed;
  const std::string frame = DrawScreen(testbed, run->setup.window);
  const std::string journal = testbed->Journal();
  constexpr char kShown[] = "MessageBox.ShowMessage(";
  for (size_t at = journal.find(kShown, run->batch.journal_seen); at != std::string::npos;
       at = journal.find(kShown, at + 1)) {
    const size_t text = at + sizeof kShown - 2;  // from the parenthesis
    std::printf("=== message box %s\n",
                journal.substr(text, journal.find('\n', at) - text).c_str());
  }
  run->batch.journal_seen = journal.size();
  if (frame != run->batch.last_frame) {
    std::printf("--- t=%llu ms\n%s", static_cast<unsigned long long>(testbed->Now()),
                frame.c_str());
    run->batch.last_frame = frame;
  }
}

void PrintSummary(const Run& run) {
  std::printf("=== summary of %s\nStatistics, repeats grouped, in the order they first came:\n",
              run.setup.scenario_name.c_str());
  for (const StatisticGroup& group : GroupStatistics(run.setup.host->stats())) {
    std::printf("  %s\n", StatisticGroupText(group).c_str());
  }
  ProxyEntry used{};
  std::printf("Proxy handed to the update engine: %s\n",
              run.setup.testbed->LastUsedProxy(&used) ? ProxyText(used).c_str() : "none");
  std::printf("Listener: %s\n", run.setup.host->start_game() ? "OnStartGame"
                                : run.played_current
                                    ? "not notified; the person played the current version"
                                    : "not notified");
  std::printf("Final view:\n%s", run.final_view.c_str());
  std::printf("Module's debugger lines:\n%s", platform::GbkToUtf8(run.module_lines).c_str());
  std::string log;
  if (!run.setup.log_file.empty() && platform::ReadWholeFile(run.setup.log_file.c_str(), &log)) {
    std::printf("Log file %s:\n%s", Shown(run.setup.log_file).c_str(),
                platform::GbkToUtf8(log).c_str());
  }
}

int CheckExpectations(const Run& run) {
  int failed = 0;
  size_t proxy_tests = 0;
  for (const Expectation& e : run.setup.script.expectations) {
    std::string seen;
    if (!Holds(run, e, &proxy_tests, &seen)) {
      ++failed;
      std::printf("EXPECTED (line %d) %s %s: %s\n", e.line, ExpectKindName(e.kind), e.text.c_str(),
                  seen.c_str());
    }
  }
  return failed;
}

}  // namespace orv::launcher
