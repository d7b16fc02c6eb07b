// Scenarios of the testbed's update engine: what the engine reports after a successful start,
// written as text a person can edit. One step per line; '#' starts a comment:
//
//   <delay ms>  need
//   <delay ms>  progress  phase=1 percent=40 size=10485760 speed=524288 version=2.1.0
//                         [kind=2] [valid=0]
//   <delay ms>  success
//   <delay ms>  fail      code=<error code, decimal, may be negative>
//   <delay ms>  finish
//   <delay ms>  timing
//
// The delay counts from the step before. Options change how the engine answers the start:
//
//   option params=0     SetUpdateParams refuses the start record
//   option run=0        RunUpdate refuses to start
//
// A line "next-start" ends the steps of one start: the engine of the next start (a Retry's)
// plays the steps after it; the last part plays for every later start.
//
// Every other line (its first word neither a delay nor a keyword above) belongs to the
// launcher's script (what the person does and how the run must end, see
// testbed/launcher/launcher_script.h); the engine passes over them, the launcher checks them.
#pragma once

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "framework/interfaces/update_engine.h"

namespace orv::testbed {

enum class StepKind { kNeedUpdate, kProgress, kSuccess, kFail, kFinish, kStageTiming };

struct ScenarioStep {
  std::uint32_t delay_ms = 0;
  StepKind kind = StepKind::kFinish;
  UpdateProgressInfo progress{};  // kProgress
  std::uint32_t error_code = 0;   // kFail
};

struct Scenario {
  std::vector<ScenarioStep> steps;  // the chosen start's
  int starts = 1;                   // how many starts the text has steps for
  bool accept_params = true;
  bool accept_run = true;
};

// False, with the line and the reason in `error`, when the text is not a scenario. The steps
// are those of the start numbered `start` (0: the first), or of the last part the text has.
bool ParseScenario(const std::string& text, Scenario* scenario, std::string* error, int start = 0);

// Calls `each`(line number, first word, the rest's words) for every line of a scenario text
// that has words, with comments ('#' on) and line ends removed. `each` answers why the line
// is wrong, or "" when it is fine; the first reason ends the reading, as "line N: reason" in
// `error`.
bool ForEachScenarioLine(
    const std::string& text,
    const std::function<std::string(int, const std::string&, std::istringstream&)>& each,
    std::string* error);

// Whether a line with this first word is the engine's (a step, an option, a part's end).
bool IsEngineLine(const std::string& first);

// A whole text as a decimal number (optional sign); false for anything else.
bool ParseDecimal(const std::string& text, long long* value);

// One line describing a step, as the engine records it.
std::string DescribeStep(const ScenarioStep& step);

}  // namespace orv::testbed
