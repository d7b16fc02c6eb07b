// The testbed's scenario parser on any text. A rejected text names its line, and the lines
// before it parse; an accepted one has a part per "next-start" line plus one, steps within
// the engine's limits, and survives being written out again and read back: every field a
// step's kind has is written, so two texts written alike come from the same steps.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "fuzz/fuzz_check.h"
#include "testbed/update_engine/scenario.h"

namespace {

using orv::testbed::Scenario;
using orv::testbed::StepKind;

std::string Written(const Scenario& s) {
  std::string text = std::string(s.accept_params ? "" : "option params=0\n") + (s.accept_run ? "" : "option run=0\n");
  for (const auto& step : s.steps) {
    const auto& p = step.progress;
    text += std::to_string(step.delay_ms) + " ";
    switch (step.kind) {
      case StepKind::kNeedUpdate: text += "need"; break;
      case StepKind::kSuccess: text += "success"; break;
      case StepKind::kFinish: text += "finish"; break;
      case StepKind::kStageTiming: text += "timing"; break;
      case StepKind::kFail: text += "fail code=" + std::to_string(step.error_code); break;
      case StepKind::kProgress:
        text += "progress phase=" + std::to_string(p.phase) + " percent=" + std::to_string(p.percent) +
                " size=" + std::to_string(p.file_size) + " speed=" + std::to_string(p.speed) +
                " kind=" + std::to_string(p.update_kind) + " valid=" + std::to_string(p.valid) +
                " version=" + p.latest_version;
        break;
    }
    text += "\n";
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int start = static_cast<int>(size % 5) - 1;
  Scenario scenario;
  std::string error;
  if (!orv::testbed::ParseScenario(text, &scenario, &error, start)) {
    size_t line = 0;
    FUZZ_CHECK(std::sscanf(error.c_str(), "line %zu: ", &line) == 1 && line >= 1);
    size_t cut = 0;
    for (size_t i = 1; i < line; ++i) {
      cut = text.find('\n', cut);
      FUZZ_CHECK(cut != std::string::npos);
      ++cut;
    }
    FUZZ_CHECK(orv::testbed::ParseScenario(text.substr(0, cut), &scenario, &error));
    return 0;
  }
  int starts = 1;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::string first;
    std::istringstream(line.substr(0, line.find('#'))) >> first;
    starts += first == "next-start";
  }
  FUZZ_CHECK(scenario.starts == starts);
  for (const auto& step : scenario.steps) {
    FUZZ_CHECK(step.delay_ms <= 86400000u);
    FUZZ_CHECK(std::memchr(step.progress.latest_version, '\0', sizeof step.progress.latest_version));
  }

  Scenario again;
  FUZZ_CHECK(orv::testbed::ParseScenario(Written(scenario), &again, &error));
  FUZZ_CHECK(again.starts == 1 && Written(again) == Written(scenario));
  return 0;
}
