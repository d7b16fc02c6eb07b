#include "module/debug_print.h"

#include <cstdarg>

#include "framework/bounded_string.h"
#include "platform/debug_output.h"

namespace orv {

void DebugPrint(const char* format, ...) {
  char text[kMessageSize] = {};
  va_list args;
  va_start(args, format);
  VFormatAll(text, sizeof text, format, args);
  va_end(args);
  platform::WriteDebugOutput(text);
}

}  // namespace orv
