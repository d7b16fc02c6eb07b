// The framework root, against which layout paths are resolved.
#pragma once

namespace orv {

// From the registry component (991), else the executable's folder. Computed by the first call
// that finds it non-empty, then the same string for the life of the process, even if the
// registry component becomes reachable later.
const char* GetRootPath();

// `path` resolved against the framework root when relative (cut to out_size - 1 characters),
// or taken as it is when absolute (only if it fits). 1 on success, 0 on bad arguments.
int MakeRootPath(const char* path, char* out, int out_size);

}  // namespace orv
