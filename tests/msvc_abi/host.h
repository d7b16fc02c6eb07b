// The parts of the MSVC-ABI host: each runs against the module at `module_path` and reports
// through the checks (check.h).
#pragma once

namespace orv::msvc_abi {

// `cycles` loads and unloads, then the footprint compared and the module used once more.
void RunUnloadCycles(const char* module_path, int cycles);

// A launcher's session with the fake framework beside the host (OrvFact.dll).
void RunLauncherSession(const char* module_path);

}  // namespace orv::msvc_abi
