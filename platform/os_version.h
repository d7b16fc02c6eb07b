// The operating system's version.
#pragma once

namespace orv::platform {

// GetVersionExA's major version (6 from Vista on); on POSIX the kernel's major version.
// 0 when the system does not say.
int OsMajorVersion();

}  // namespace orv::platform
