#include <sys/utsname.h>

#include <cstdlib>

#include "platform/os_version.h"

namespace orv::platform {

int OsMajorVersion() {
  utsname name{};
  if (uname(&name) != 0) return 0;
  return std::atoi(name.release);
}

}  // namespace orv::platform
