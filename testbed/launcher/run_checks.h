// What the launcher checks before anything runs, so that a mistake in the scenario, the
// configuration or the framework root is named in one line instead of leaving an empty window
// or a dialog that never opens.
#pragma once

#include <string>

#include "testbed/factory/testbed_control.h"
#include "testbed/launcher/launcher_run.h"
#include "testbed/update_engine/scenario.h"

namespace orv::launcher {

// The layouts the window and its dialogs load, under the framework root.
extern const char* const kLayouts[3];

// Prints the shipped scenarios, each with its first comment line.
int ListScenarios();

// The scenario file: the engine's steps into `steps`, the launcher's script, name and title
// into `setup`, both parts checked.
bool LoadScenario(const std::string& name, std::string* text, testbed::Scenario* steps,
                  RunSetup* setup, std::string* error);

// Each layout the window will load, loaded once beforehand.
bool CheckLayouts(testbed::ITestbedControl* testbed, const std::string& ini, std::string* error);

// The log file the configuration names (Windows form), or empty. A folder that cannot take
// it is said once; the run goes on without a log.
std::string CheckLogFile(const std::string& ini);

}  // namespace orv::launcher
