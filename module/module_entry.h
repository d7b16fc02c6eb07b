// What the module does when the process attaches and detaches it. Called by the platform's
// entry point: DllMain on Windows, load and unload hooks on POSIX.
#pragma once

#include "platform/module_handle.h"

namespace orv {

// Stores the module handle, then makes sure the module lock exists.
void OnProcessAttach(platform::ModuleHandle module);

// Writes the leak report and deletes the module lock. The live-component map itself is
// destroyed afterwards, by static destruction.
void OnProcessDetach();

}  // namespace orv
