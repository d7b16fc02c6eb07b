#include "platform/native_path.h"
#include "platform/windows_path_posix.h"

namespace orv::platform {

std::string NativePath(const std::string& windows_path) {
  return ToPosixPath(windows_path.c_str());
}

}  // namespace orv::platform
