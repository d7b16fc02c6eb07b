// What the fuzz targets share: a check that stays on in optimised builds and ends the run
// the way libFuzzer records as a crash (the input is saved), ASCII lower case as the module
// knows it, and a scratch file for the readers that only take a path.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/process_info.h"

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

namespace orv::fuzz {

inline std::string Lower(std::string text) {
  for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

// One file per process, rewritten for each input and removed at exit (libFuzzer runs one
// input at a time). It lives in memory (/dev/shm) where the system has that: on a disk the
// rewriting is the slowest part of a run, by a factor of twenty.
class ScratchFile {
 public:
  explicit ScratchFile(const char* name) {
    const auto folder = std::filesystem::is_directory("/dev/shm")
                            ? std::filesystem::path("/dev/shm")
                            : std::filesystem::temp_directory_path();
    path_ = (folder / ("orv-fuzz-" + std::to_string(platform::CurrentProcessId()) + "-" + name))
                .string();
  }
  ~ScratchFile() { std::remove(path_.c_str()); }
  const std::string& Write(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
    return path_;
  }

 private:
  std::string path_;
};

}  // namespace orv::fuzz
