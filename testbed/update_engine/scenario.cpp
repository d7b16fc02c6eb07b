#include "testbed/update_engine/scenario.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace orv::testbed {
namespace {

bool ParseField(const std::string& field, ScenarioStep* step, std::string* error) {
  const size_t equals = field.find('=');
  if (equals == std::string::npos) {
    *error = "expected name=value, got \"" + field + "\"";
    return false;
  }
  const std::string name = field.substr(0, equals);
  const std::string value = field.substr(equals + 1);
  UpdateProgressInfo& info = step->progress;
  if (name == "version") {
    if (value.size() >= sizeof info.latest_version) {
      *error = "version longer than 131 characters";
      return false;
    }
    std::memcpy(info.latest_version, value.c_str(), value.size() + 1);
    return true;
  }
  // Every field is the engine's unsigned 32-bit number; an error code may also be written as
  // the negative number it stands for.
  const long long lowest = name == "code" ? -2147483648LL : 0;
  long long number = 0;
  const bool digits =
      !value.empty() &&
      value.find_first_not_of("0123456789", value[0] == '-' ? 1 : 0) == std::string::npos;
  if (!ParseDecimal(value, &number) && !digits) {
    *error = "\"" + value + "\" is not a number";
    return false;
  }
  if (!ParseDecimal(value, &number) || number < lowest || number > 4294967295LL) {
    *error = name + "=" + value + " is out of range (" + std::to_string(lowest) + " to 4294967295)";
    return false;
  }
  const auto u32 = static_cast<std::uint32_t>(number);
  if (name == "phase")
    info.phase = u32;
  else if (name == "percent")
    info.percent = u32;
  else if (name == "size")
    info.file_size = u32;
  else if (name == "speed")
    info.speed = u32;
  else if (name == "kind")
    info.update_kind = u32;
  else if (name == "valid")
    info.valid = u32;
  else if (name == "code")
    step->error_code = u32;
  else {
    *error = "unknown field \"" + name + "\"";
    return false;
  }
  return true;
}

bool ParseStepKind(const std::string& word, StepKind* kind) {
  static const struct {
    const char* word;
    StepKind kind;
  } kKinds[] = {{"need", StepKind::kNeedUpdate}, {"progress", StepKind::kProgress},
                {"success", StepKind::kSuccess}, {"fail", StepKind::kFail},
                {"finish", StepKind::kFinish},   {"timing", StepKind::kStageTiming}};
  for (const auto& entry : kKinds) {
    if (word == entry.word) {
      *kind = entry.kind;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ParseDecimal(const std::string& text, long long* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  *value = std::strtoll(text.c_str(), &end, 10);
  return end != nullptr && *end == '\0' && errno != ERANGE;
}

bool ForEachScenarioLine(
    const std::string& text,
    const std::function<std::string(int, const std::string&, std::istringstream&)>& each,
    std::string* error) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t comment = line.find('#');
    if (comment != std::string::npos) line.erase(comment);
    std::istringstream words(line);
    std::string first;
    if (!(words >> first)) continue;
    const std::string reason = each(number, first, words);
    if (!reason.empty()) {
      *error = "line " + std::to_string(number) + ": " + reason;
      return false;
    }
  }
  return true;
}

bool IsEngineLine(const std::string& first) {
  return first == "option" || first == "next-start" ||
         (!first.empty() &&
          (std::isdigit(static_cast<unsigned char>(first[0])) || first[0] == '-'));
}

bool ParseScenario(const std::string& text, Scenario* scenario, std::string* error, int start) {
  *scenario = Scenario{};
  std::vector<std::vector<ScenarioStep>> parts(1);
  const bool parsed = ForEachScenarioLine(
      text,
      [&](int, const std::string& first, std::istringstream& words) {
        std::string reason;
        if (!IsEngineLine(first)) return reason;  // the launcher's
        if (first == "next-start") {
          parts.emplace_back();
        } else if (first == "option") {
          std::string option;
          while (words >> option) {
            if (option == "params=0")
              scenario->accept_params = false;
            else if (option == "run=0")
              scenario->accept_run = false;
            else
              reason = "unknown option \"" + option + "\"";
          }
        } else {
          ScenarioStep step;
          step.progress.valid = 1;
          long long delay = 0;
          std::string verb;
          if (!ParseDecimal(first, &delay) || delay < 0 || delay > 86400000) {
            reason = "a step starts with its delay in milliseconds (0 to 86400000)";
          } else if (!(words >> verb) || !ParseStepKind(verb, &step.kind)) {
            reason = "unknown step \"" + verb + "\"";
          } else {
            step.delay_ms = static_cast<std::uint32_t>(delay);
            std::string field;
            while (reason.empty() && words >> field) ParseField(field, &step, &reason);
            if (reason.empty()) parts.back().push_back(step);
          }
        }
        return reason;
      },
      error);
  if (!parsed) return false;
  scenario->starts = static_cast<int>(parts.size());
  scenario->steps = parts[static_cast<size_t>(std::min(std::max(start, 0), scenario->starts - 1))];
  return true;
}

std::string DescribeStep(const ScenarioStep& step) {
  const UpdateProgressInfo& p = step.progress;
  switch (step.kind) {
    case StepKind::kNeedUpdate: return "OnNeedUpdate";
    case StepKind::kSuccess: return "OnUpdateSuccess";
    case StepKind::kFinish: return "OnUpdateFinish";
    case StepKind::kStageTiming: return "OnStageTiming";
    case StepKind::kFail:
      return "OnUpdateFail(" + std::to_string(static_cast<std::int32_t>(step.error_code)) + ")";
    case StepKind::kProgress:
      return "OnUpdateProgress(valid=" + std::to_string(p.valid) +
             ",phase=" + std::to_string(p.phase) + ",percent=" + std::to_string(p.percent) +
             ",size=" + std::to_string(p.file_size) + ",speed=" + std::to_string(p.speed) +
             ",kind=" + std::to_string(p.update_kind) + ",version=" + p.latest_version + ")";
  }
  return "";
}

}  // namespace orv::testbed
