#include "tests/support/launcher_files.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/support/loaded_module.h"

namespace orv::testing {

LauncherFiles::~LauncherFiles() {
  for (const std::string& name : written_) std::remove(NativePath(BesideExecutable(name.c_str())).c_str());
}

void LauncherFiles::Write(const std::string& name, const std::string& bytes) {
  std::ofstream(NativePath(BesideExecutable(name.c_str())), std::ios::binary | std::ios::trunc) << bytes;
  written_.push_back(name);
}

void LauncherFiles::Remove(const std::string& name) {
  std::remove(NativePath(BesideExecutable(name.c_str())).c_str());
}

}  // namespace orv::testing
