#include <string>

#include "platform/debug_output.h"
#include "platform/window.h"

namespace orv::platform {

bool IsWindow(WindowHandle window) { return window != nullptr; }

int ShowSystemMessageBox(WindowHandle /*owner*/, const char* text, const char* caption,
                         std::uint32_t /*style*/) {
  const std::string line =
      std::string("[MessageBox] ") + (caption ? caption : "") + " | " + (text ? text : "") + "\n";
  WriteDebugOutput(line.c_str());
  return 1;
}

}  // namespace orv::platform
