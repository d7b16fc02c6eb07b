// A Windows-form path as this system's own file functions (and the C++ library) name it:
// unchanged on Windows; on POSIX with '/' for '\' and without a leading drive letter.
#pragma once

#include <string>

namespace orv::platform {

std::string NativePath(const std::string& windows_path);

}  // namespace orv::platform
