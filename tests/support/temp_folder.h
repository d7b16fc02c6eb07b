// Files of a test: a fresh folder under the system's temporary folder, and the files the module
// looks for beside the launcher's executable. Both go at the end of the test.
#pragma once

#include <string>
#include <vector>

#include "platform/native_path.h"

namespace orv::testing {

using platform::NativePath;

// Removed with everything in it at the end. Paths are handed out in Windows form, as the
// module sees them on every system.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder itself, without a trailing separator.
  const std::string& path() const { return windows_path_; }
  // path() + "\" + relative, with relative given in either form.
  std::string PathOf(const std::string& relative) const;
  // Writes `bytes` exactly, creating the sub-folders on the way.
  void Write(const std::string& relative, const std::string& bytes) const;

 private:
  std::string native_path_;
  std::string windows_path_;
};

// Files beside the test executable, where the module looks for the launcher's
// "liveupdateinfo.ini" and "taskinfo.ini"; no test sees another's.
class LauncherFiles {
 public:
  LauncherFiles() = default;
  ~LauncherFiles() {
    for (const std::string& name : written_) Remove(name);
  }
  LauncherFiles(const LauncherFiles&) = delete;
  LauncherFiles& operator=(const LauncherFiles&) = delete;

  void Write(const std::string& name, const std::string& bytes);
  void Remove(const std::string& name);

 private:
  std::vector<std::string> written_;
};

}  // namespace orv::testing
