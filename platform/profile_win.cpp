#include <windows.h>

#include "platform/profile.h"

namespace orv::platform {

int ReadProfileString(const char* section, const char* key, const char* default_value, char* out,
                      int size, const char* file) {
  if (out == nullptr || size < 1) return 0;
  return static_cast<int>(
      GetPrivateProfileStringA(section, key, default_value, out, static_cast<DWORD>(size), file));
}

int ReadProfileInt(const char* section, const char* key, int default_value, const char* file) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, default_value, file));
}

}  // namespace orv::platform
