#include "framework/runtime/logger.h"

#include <atomic>
#include <cstring>

#include "framework/bounded_string.h"
#include "framework/interfaces/component_factory.h"
#include "framework/runtime/factory_access.h"
#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/process_info.h"

namespace orv {
namespace {

// Shared by every logger of the module.
std::uint32_t g_process_id = 0xFFFFFFFFu;  // stored by the first logger constructed
// Incremented after each line written to the file; atomic, since a factory may hand out no
// lock while loggers write from several threads (the proxy test's callbacks).
std::atomic<std::int32_t> g_file_line_counter{0};

constexpr int kTemplateSize = 256;

// A template cut at its bound may end inside a directive ("...%l", "...%I6"), which is no
// format at all: the unfinished directive goes with the rest of the cut.
void DropUnfinishedDirective(char* text) {
  for (char* p = text; *p != '\0'; ++p) {
    if (*p != '%') continue;
    char* const start = p++;
    if (*p == '%') continue;
    while (*p != '\0' && std::strchr("-+ #'$0123456789.*hlLqjztI", *p) != nullptr) ++p;
    if (*p == '\0') {
      *start = '\0';
      return;
    }
  }
}

class FileLockHold {
 public:
  explicit FileLockHold(platform::NativeLock* lock) : lock_(lock) {
    platform::EnterNativeLock(lock_);
  }
  ~FileLockHold() { platform::LeaveNativeLock(lock_); }
  FileLockHold(const FileLockHold&) = delete;
  FileLockHold& operator=(const FileLockHold&) = delete;

 private:
  platform::NativeLock* lock_;
};

}  // namespace

Logger::Logger(std::uint32_t module_id) : module_id_(module_id) {
  if (g_process_id == 0xFFFFFFFFu) g_process_id = platform::CurrentProcessId();
  IComponentFactory* factory = AcquireLoadedFactory();
  if (factory == nullptr) return;
  LogFileRecord* record = nullptr;
  factory->GetLogConfig("", module_id_, &debug_mask_, &file_mask_, &record);
  if (record != nullptr) {
    file_lock_ = record->lock;
    file_ = record->file;
  }
}

void Logger::Trace(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Write(kLogTrace, "Trace", format, args);
  va_end(args);
}

void Logger::Error(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Write(kLogError, "Error", format, args);
  va_end(args);
}

void Logger::Write(std::uint32_t level, const char* level_name, const char* format, va_list args) {
  const bool to_debugger = (debug_mask_ & level) != 0;
  const bool to_file = (file_mask_ & level) != 0;
  if (!to_debugger && !to_file) return;

  char line_template[kTemplateSize] = {};
  Format(line_template, sizeof line_template, kTemplateSize - 1, "[T%d][M%d][%s]%s\n",
         static_cast<int>(platform::CurrentThreadId()), static_cast<int>(module_id_), level_name,
         format ? format : "");
  DropUnfinishedDirective(line_template);
  char line[kMessageSize] = {};
  VFormatAll(line, sizeof line, line_template, args);

  if (to_debugger) platform::WriteDebugOutput(line);
  if (to_file) AppendToFile(line);
}

void Logger::AppendToFile(const char* line) {
  FileLockHold hold(file_lock_);
  if (file_ == platform::kInvalidFile) return;
  std::uint32_t error_code = 0;
  if (!platform::SeekToEnd(file_, &error_code)) {
    char message[kMessageSize] = {};
    // Kept as written, spacing included: log readers match this line.
    FormatAll(message, sizeof message, "Set log file pointer at end fail , error id = %d !\n",
              static_cast<int>(error_code));
    platform::WriteDebugOutput(message);
    return;
  }
  const platform::TimeOfDay now = platform::LocalTimeOfDay();
  char file_line[kMessageSize] = {};
  FormatAll(file_line, sizeof file_line, "%d\t%02d:%02d:%02d\t[P%d]%s",
            g_file_line_counter.fetch_add(1), now.hour, now.minute, now.second,
            static_cast<int>(g_process_id), line);
  platform::WriteAll(file_, file_line, static_cast<int>(std::strlen(file_line)));
}

}  // namespace orv
