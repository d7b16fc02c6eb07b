#include "platform/file_version.h"

namespace orv::platform {

bool ReadFileVersion(const std::string& /*windows_path*/, FileVersion* /*version*/) {
  return false;
}

}  // namespace orv::platform
