// Facts about the running process.
#pragma once

namespace orv::platform {

// GetModuleFileNameA(NULL): the executable's full path in Windows form, cut to size - 1
// characters and terminated. Returns the number of characters written, 0 on failure.
int GetExecutableFileName(char* out, int size);

}  // namespace orv::platform
