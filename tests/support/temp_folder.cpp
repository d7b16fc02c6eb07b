#include "tests/support/temp_folder.h"

#include <algorithm>
#include <cstdio>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "tests/support/loaded_module.h"

namespace orv::testing {
namespace {

namespace fs = std::filesystem;

std::string WindowsForm(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

fs::path Native(const std::string& root, std::string relative) {
  std::replace(relative.begin(), relative.end(), '\\', '/');
  return fs::path(root) / relative;
}

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path folder = fs::temp_directory_path() /
                          ("orv-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(folder);
  native_path_ = folder.string();
  windows_path_ = WindowsForm(native_path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(native_path_, ignored);
}

std::string TempFolder::PathOf(const std::string& relative) const {
  return windows_path_ + "\\" + WindowsForm(relative);
}

void TempFolder::Write(const std::string& relative, const std::string& bytes) const {
  const fs::path file = Native(native_path_, relative);
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

void LauncherFiles::Write(const std::string& name, const std::string& bytes) {
  std::ofstream(NativePath(BesideExecutable(name.c_str())), std::ios::binary | std::ios::trunc) << bytes;
  written_.push_back(name);
}

void LauncherFiles::Remove(const std::string& name) {
  std::remove(NativePath(BesideExecutable(name.c_str())).c_str());
}

}  // namespace orv::testing
