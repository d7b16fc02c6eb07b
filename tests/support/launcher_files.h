// Files that the module looks for beside the launcher's executable ("liveupdateinfo.ini",
// "taskinfo.ini"): in tests that is the test executable's folder. Written on request and
// removed at the end, so that no test sees another's.
#pragma once

#include <string>
#include <vector>

#include "platform/native_path.h"

namespace orv::testing {

using platform::NativePath;

class LauncherFiles {
 public:
  LauncherFiles() = default;
  ~LauncherFiles();
  LauncherFiles(const LauncherFiles&) = delete;
  LauncherFiles& operator=(const LauncherFiles&) = delete;

  void Write(const std::string& name, const std::string& bytes);
  void Remove(const std::string& name);

 private:
  std::vector<std::string> written_;
};

}  // namespace orv::testing
