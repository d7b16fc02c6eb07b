#include "tests/support/harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/process_info.h"

#if defined(ORV_WITH_LSAN)
#include <sanitizer/lsan_interface.h>
#endif

namespace orv::testing {
namespace {

namespace fs = std::filesystem;

std::string WindowsForm(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

void WriteFile(const std::string& windows_path, const std::string& bytes) {
  const fs::path file = NativePath(windows_path);
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// Keeps the tests away from the user's own folders: on POSIX the application-data folder
// ($XDG_CONFIG_HOME) is a folder of the test run for the whole process. Under Wine the folder
// already belongs to a throw-away prefix.
class PrivateAppDataFolder : public ::testing::Environment {
  void SetUp() override {
#if !defined(_WIN32)
    setenv("XDG_CONFIG_HOME", NativePath(folder_.path()).c_str(), 1);
#endif
  }
  TempFolder folder_;
};

const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new PrivateAppDataFolder);

}  // namespace

std::string BesideExecutable(const char* file_name) {
  char executable[1024] = {};
  platform::GetExecutableFileName(executable, sizeof executable);
  std::string path = executable;
  const size_t cut = path.find_last_of('\\');
  return path.erase(cut == std::string::npos ? 0 : cut + 1) + file_name;
}

void IgnoreDeliberateLeak(const void* object) {
#if defined(ORV_WITH_LSAN)
  __lsan_ignore_object(object);
#else
  (void)object;
#endif
}

LoadedModule::LoadedModule(const std::string& name_or_path)
    : handle_(platform::LoadModule(name_or_path.find('\\') == std::string::npos
                                       ? BesideExecutable(name_or_path.c_str()).c_str()
                                       : name_or_path.c_str())) {}

void LoadedModule::Unload() {
  platform::UnloadModule(handle_);
  handle_ = nullptr;
}

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const fs::path folder =
      fs::temp_directory_path() / ("orv-test-" + std::to_string(platform::CurrentProcessId()) +
                                   "-" + std::to_string(counter++));
  fs::create_directories(folder);
  path_ = WindowsForm(folder.string());
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(NativePath(path_), ignored);
}

std::string TempFolder::PathOf(std::string relative) const {
  return path_ + "\\" + WindowsForm(relative);
}

void TempFolder::Write(const std::string& relative, const std::string& bytes) const {
  WriteFile(PathOf(relative), bytes);
}

void LauncherFiles::Write(const std::string& name, const std::string& bytes) {
  WriteFile(BesideExecutable(name.c_str()), bytes);
  written_.push_back(name);
}

void LauncherFiles::Remove(const std::string& name) {
  std::remove(NativePath(BesideExecutable(name.c_str())).c_str());
}

}  // namespace orv::testing
