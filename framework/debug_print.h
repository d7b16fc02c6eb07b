// Debugger output of formatted text: the runtime's "Orvex[Error]:" messages, the factory
// access's "[Orvex_Error]" messages and the configuration's trace lines all go through here.
// Each message has a buffer size of its own, which bounds how much of it survives.
#pragma once

#include <cstdarg>

namespace orv {

// Formats into a zero-filled buffer of `capacity` bytes (1 to 1024), so at most capacity - 1
// characters, and sends the text to the debugger output. Adds nothing: prefixes and line ends
// belong to each message.
void VDebugPrintIn(int capacity, const char* format, va_list args);
void DebugPrintIn(int capacity, const char* format, ...);

// In 1024 bytes.
void DebugPrint(const char* format, ...);

}  // namespace orv
