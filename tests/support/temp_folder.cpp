#include "tests/support/temp_folder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>

namespace orv::testing {
namespace {

namespace fs = std::filesystem;

std::string WindowsForm(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

fs::path Native(const std::string& root, const std::string& relative) {
  std::string generic = relative;
  for (char& c : generic) {
    if (c == '\\') c = '/';
  }
  return fs::path(root) / fs::path(generic);
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

std::string TempFolder::native_path_of(const std::string& relative) const {
  return Native(native_path_, relative).string();
}

void TempFolder::MakeFolder(const std::string& relative) const {
  fs::create_directories(Native(native_path_, relative));
}

}  // namespace orv::testing
