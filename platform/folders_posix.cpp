#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/folders.h"
#include "platform/windows_path_posix.h"

namespace orv::platform {

bool GetAppDataFolder(char* out) {
  if (out == nullptr) return false;
  out[0] = '\0';
  std::string folder;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
    folder = config;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    folder = std::string(home) + "/.config";
  } else {
    return false;
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  const std::string windows_form = ToWindowsPath(folder);
  if (windows_form.size() >= 260) return false;
  std::memcpy(out, windows_form.c_str(), windows_form.size() + 1);
  return true;
}

bool PathExists(const char* path) {
  return path != nullptr && access(ToPosixPath(path).c_str(), F_OK) == 0;
}

bool CreateFolder(const char* path) {
  return path != nullptr && mkdir(ToPosixPath(path).c_str(), 0755) == 0;
}

}  // namespace orv::platform
