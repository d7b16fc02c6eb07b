#include "framework/debug_print.h"

#include <algorithm>

#include "framework/bounded_string.h"
#include "platform/debug_output.h"

namespace orv {

void VDebugPrintIn(int capacity, const char* format, va_list args) {
  char text[kMessageSize] = {};
  VFormatAll(text, std::clamp(capacity, 1, kMessageSize), format, args);
  platform::WriteDebugOutput(text);
}

void DebugPrintIn(int capacity, const char* format, ...) {
  va_list args;
  va_start(args, format);
  VDebugPrintIn(capacity, format, args);
  va_end(args);
}

void DebugPrint(const char* format, ...) {
  va_list args;
  va_start(args, format);
  VDebugPrintIn(kMessageSize, format, args);
  va_end(args);
}

}  // namespace orv
