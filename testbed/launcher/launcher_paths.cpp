#include "testbed/launcher/launcher_paths.h"

#include "framework/bounded_string.h"
#include "framework/component_paths.h"
#include "platform/native_path.h"

namespace orv::launcher {

std::string Shown(const std::string& windows_path) { return platform::NativePath(windows_path); }

std::string BesideLauncher(const std::string& relative) {
  char path[kPathSize] = {};
  ExecutablePath(relative.c_str(), path, sizeof path);
  return path;
}

std::string ConfiguredPath(const std::string& ini, const std::string& value) {
  if (!IsRelativePath(value.c_str())) return value;
  char path[kPathSize] = {};
  JoinToDir(ini.c_str(), value.c_str(), path, sizeof path);
  return path;
}

}  // namespace orv::launcher
