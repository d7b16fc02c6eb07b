#include "testbed/launcher/run_checks.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "framework/bounded_string.h"
#include "platform/file_read.h"
#include "platform/folders.h"
#include "platform/profile.h"
#include "testbed/launcher/launcher_paths.h"

namespace orv::launcher {
namespace {

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

std::string ReadConfigured(const std::string& ini, const char* section, const char* key) {
  char configured[kPathSize] = {};
  platform::ReadProfileString(section, key, "", configured, sizeof configured, ini.c_str());
  return configured;
}

}  // namespace

const char* const kLayouts[3] = {"ui\\LayOut\\Container_Update.tpf",
                                 "ui\\LayOut\\Dlg_Connecting.tpf",
                                 "ui\\layout\\Dlg_ProxySetting.tpf"};

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

bool LoadScenario(const std::string& name, std::string* text, testbed::Scenario* steps,
                  RunSetup* setup, std::string* error) {
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
  if (!testbed::ParseScenario(*text, steps, error) || !ParseScript(*text, &setup->script, error)) {
    *error = Shown(path) + ": " + *error;
    return false;
  }
  if (steps->steps.empty() && steps->accept_params && steps->accept_run) {
    *error = Shown(path) + ": has no steps, so there is nothing to play";
    return false;
  }
  setup->scenario_name = name;
  setup->scenario_title = FirstComment(*text);
  for (const auto& step : steps->steps)
    setup->advised = setup->advised || step.progress.update_kind == 2;
  return true;
}

bool CheckLayouts(testbed::ITestbedControl* testbed, const std::string& ini, std::string* error) {
  const std::string configured = ReadConfigured(ini, "Registry", "orvex_rootpath_data");
  // The root folder with its separator (the launcher's own folder when none is configured):
  // each layout is joined to it.
  const std::string root =
      configured.empty() ? BesideLauncher("") : ConfiguredPath(ini, configured) + "\\";
  for (const char* layout : kLayouts) {
    const std::string path = ConfiguredPath(root, layout);
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

std::string CheckLogFile(const std::string& ini) {
  const std::string configured = ReadConfigured(ini, "Log", "File");
  if (configured.empty()) return "";
  const std::string path = ConfiguredPath(ini, configured);
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

}  // namespace orv::launcher
