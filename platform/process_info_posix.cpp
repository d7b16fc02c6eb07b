#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/process_info.h"
#include "platform/windows_path_posix.h"

namespace orv::platform {

int GetExecutableFileName(char* out, int size) {
  if (out == nullptr || size < 1) return 0;
  char buffer[4096];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) {
    out[0] = '\0';
    return 0;
  }
  buffer[length] = '\0';
  const std::string path = ToWindowsPath(buffer);
  const size_t written = path.size() < static_cast<size_t>(size) ? path.size() : size - 1;
  std::memcpy(out, path.data(), written);
  out[written] = '\0';
  return static_cast<int>(written);
}

std::uint32_t CurrentProcessId() { return static_cast<std::uint32_t>(getpid()); }

std::uint32_t CurrentThreadId() { return static_cast<std::uint32_t>(syscall(SYS_gettid)); }

}  // namespace orv::platform
