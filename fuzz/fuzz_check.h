// What the fuzz targets share: a check that stays on in optimised builds and ends the run
// the way libFuzzer records as a crash (the input is saved), and a scratch file for the
// readers that only take a path.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/process_info.h"

#define FUZZ_CHECK(condition)                                                          \
  do {                                                                                 \
    if (!(condition)) {                                                                \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)

namespace orv::fuzz {

// One file per process, rewritten for each input and removed at exit (libFuzzer runs one
// input at a time). It lives in memory (/dev/shm) where the system has that: on a disk the
// rewriting is the slowest part of a run, by a factor of twenty.
class ScratchFile {
 public:
  explicit ScratchFile(const char* name)
      : folder_((std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                            : std::filesystem::temp_directory_path()) /
                ("orv-fuzz-" + std::to_string(platform::CurrentProcessId()) + "-" + name)),
        path_((folder_ / name).string()) {
    std::filesystem::create_directories(folder_);
  }
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  const std::string& Write(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
    return path_;
  }

 private:
  std::filesystem::path folder_;
  std::string path_;
};

}  // namespace orv::fuzz
