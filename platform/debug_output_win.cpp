#include <windows.h>

#include <cstdio>

#include "platform/debug_output.h"

namespace orv::platform {

void WriteDebugOutput(const char* text) {
  if (text != nullptr) OutputDebugStringA(text);
}

void DebugAssertFailed(const char* expression, const char* function) {
  char line[512];
  std::snprintf(line, sizeof line, "Orvex[Assert]: %s in %s\n", expression ? expression : "",
                function ? function : "");
  OutputDebugStringA(line);
  if (IsDebuggerPresent()) DebugBreak();
}

}  // namespace orv::platform
