// The parts of the MSVC-ABI host: each runs against the module at `module_path` and reports
// through the checks (check.h).
#pragma once

#include "framework/interfaces/component_interfaces.h"
#include "testbed/msvc_abi/loaded_module.h"

namespace orv::msvc_abi {

// `cycles` loads and unloads, then the footprint compared and the module used once more.
void RunUnloadCycles(const char* module_path, int cycles);

// A launcher's session with the fake framework beside the host (OrvFact.dll).
void RunLauncherSession(const char* module_path);

// Load (loaded_module.h), a failure printed when anything is missing.
bool Loaded(const char* path, LoadedModule* module);
// 1374 created through the exports after checking the component list, as a launcher does.
IComponent* CreateUpdateWindow(const LoadedModule& module);

}  // namespace orv::msvc_abi
