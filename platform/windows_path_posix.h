// How a Windows-form path reaches the POSIX file system: every '\' becomes '/', and a leading
// drive letter with its colon ("C:") is dropped.
#pragma once

#include <string>

namespace orv::platform {

inline std::string ToPosixPath(const char* windows_path) {
  std::string path = windows_path ? windows_path : "";
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    path.erase(0, 2);
  }
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

inline std::string ToWindowsPath(const std::string& posix_path) {
  std::string path = posix_path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace orv::platform
