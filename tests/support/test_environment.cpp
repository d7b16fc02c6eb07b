// Keeps the tests away from the user's own folders: on POSIX the application-data folder
// ($XDG_CONFIG_HOME) points at a folder of the test run for the whole process. Under Wine the
// folder already belongs to a throw-away prefix.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace orv::testing {
namespace {

class PrivateAppDataFolder : public ::testing::Environment {
 public:
  void SetUp() override {
#if !defined(_WIN32)
    folder_ = std::filesystem::temp_directory_path() /
              ("orv-appdata-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::create_directories(folder_);
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
#endif
  }
  void TearDown() override {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }

 private:
  std::filesystem::path folder_;
};

const auto* const kRegistered =
    ::testing::AddGlobalTestEnvironment(new PrivateAppDataFolder);

}  // namespace
}  // namespace orv::testing
