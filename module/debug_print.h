// The module runtime's raw debugger output: the "Orvex[Error]:" messages go through here.
#pragma once

namespace orv {

// Formats into a zero-filled 1024-byte buffer, at most 1023 characters, and sends the text to
// the debugger output. Adds nothing: prefixes and line ends belong to each message.
void DebugPrint(const char* format, ...);

}  // namespace orv
