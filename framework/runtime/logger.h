// The component logger: "Trace" and "Error" lines to the debugger output and to the
// framework's shared log file, each level switched on by masks that the component factory
// hands out when the logger is constructed.
//
// The log file belongs to the factory: the logger only appends to the handle it is given,
// under the lock it is given, which every writer of that file in the process shares. When no
// factory DLL is loaded yet at construction, the logger stays silent for its whole life.
#pragma once

#include <cstdarg>
#include <cstdint>

#include "platform/recursive_lock.h"
#include "platform/shared_file.h"

namespace orv {

enum LogLevelBit : std::uint32_t {
  kLogError = 1,
  kLogTrace = 2,
};

class Logger {
 public:
  // `module_id` is passed to the factory and printed in every line ("[M%d]").
  explicit Logger(std::uint32_t module_id);
  Logger(const Logger&) = delete;
  Logger& operator=(const Logger&) = delete;

  // The format is embedded in the line template before formatting, so its directives take
  // the arguments that follow it.
  void Trace(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void Error(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  void Write(std::uint32_t level, const char* level_name, const char* format, va_list args);
  void AppendToFile(const char* line);

  std::uint32_t debug_mask_ = 0;
  std::uint32_t file_mask_ = 0;
  platform::FileHandle file_ = platform::kInvalidFile;
  platform::NativeLock* file_lock_ = nullptr;
  std::uint32_t module_id_;
};

}  // namespace orv
