#include "platform/native_path.h"

namespace orv::platform {

std::string NativePath(const std::string& windows_path) { return windows_path; }

}  // namespace orv::platform
