// A fresh folder under the system's temporary folder, removed with everything in it at the
// end. Paths are handed out in Windows form, as the module sees them on every system.
#pragma once

#include <string>

namespace orv::testing {

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
  void MakeFolder(const std::string& relative) const;
  // The same file as the test's own file functions name it.
  std::string native_path_of(const std::string& relative) const;

 private:
  std::string native_path_;
  std::string windows_path_;
};

}  // namespace orv::testing
