// Reading a whole file named by a Windows-form path (for the testbed's data files).
#pragma once

#include <string>

namespace orv::platform {

// False when the file cannot be read.
bool ReadWholeFile(const char* path, std::string* content);

}  // namespace orv::platform
