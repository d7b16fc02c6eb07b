// <windows.h> first: the other Windows headers need its types.
#include <windows.h>

#include <io.h>
#include <shlobj.h>

#include "platform/folders.h"

namespace orv::platform {

bool GetAppDataFolder(char* out) {
  if (out == nullptr) return false;
  return SHGetSpecialFolderPathA(nullptr, out, CSIDL_APPDATA, FALSE) != FALSE;
}

bool PathExists(const char* path) { return path != nullptr && _access(path, 0) == 0; }

bool CreateFolder(const char* path) {
  return path != nullptr && CreateDirectoryA(path, nullptr) != FALSE;
}

}  // namespace orv::platform
