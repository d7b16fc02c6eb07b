#include <windows.h>

#include "platform/process_info.h"

namespace orv::platform {

int GetExecutableFileName(char* out, int size) {
  if (out == nullptr || size < 1) return 0;
  const DWORD written = GetModuleFileNameA(nullptr, out, static_cast<DWORD>(size));
  out[size - 1] = '\0';  // older systems leave a cut path unterminated
  return static_cast<int>(written < static_cast<DWORD>(size) ? written : size - 1);
}

std::uint32_t CurrentProcessId() { return GetCurrentProcessId(); }
std::uint32_t CurrentThreadId() { return GetCurrentThreadId(); }

}  // namespace orv::platform
