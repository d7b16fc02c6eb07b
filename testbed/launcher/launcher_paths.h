// The paths the launcher works with: Windows-form, as the framework and the module use them,
// and shown to the person in the form of the system it runs on.
#pragma once

#include <string>

namespace orv::launcher {

// A path as this system writes it, for the launcher's own messages and file operations.
std::string Shown(const std::string& windows_path);

// A file in the launcher's folder.
std::string BesideLauncher(const std::string& relative);

// A path the configuration file `ini` gives: absolute as it is, else beside `ini`.
std::string ConfiguredPath(const std::string& ini, const std::string& value);

}  // namespace orv::launcher
