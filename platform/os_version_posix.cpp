#include "platform/os_version.h"

#include <sys/utsname.h>

#include <cstdlib>

namespace orv::platform {

int OsMajorVersion() {
  utsname name{};
  if (uname(&name) != 0) return 0;
  return std::atoi(name.release);
}

}  // namespace orv::platform
