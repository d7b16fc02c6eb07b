// The version resource of a Windows file, as installers read it. For the programs around the
// module (tests); never linked into a module.
#pragma once

#include <string>

namespace orv::platform {

struct FileVersion {
  unsigned major = 0, minor = 0, patch = 0, build = 0;  // the fixed part's file version
  std::string file_version;                             // "FileVersion" of StringFileInfo\040904B0
  std::string product_name;                             // "ProductName" of the same block
};

// False when the file has no version resource (always on POSIX, where files carry none).
bool ReadFileVersion(const std::string& windows_path, FileVersion* version);

}  // namespace orv::platform
