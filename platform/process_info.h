// Facts about the running process.
#pragma once

#include <cstdint>

namespace orv::platform {

// GetModuleFileNameA(NULL): the executable's full path in Windows form, cut to size - 1
// characters and terminated. Returns the number of characters written, 0 on failure.
int GetExecutableFileName(char* out, int size);

std::uint32_t CurrentProcessId();
std::uint32_t CurrentThreadId();

}  // namespace orv::platform
