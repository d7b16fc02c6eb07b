// The debugger-output channel and the debug assertion.
#pragma once

namespace orv::platform {

// OutputDebugStringA on Windows. On POSIX the text is appended, in one write, to the file
// named by the environment variable ORVEX_DEBUG_OUTPUT, or to standard error when it is unset.
void WriteDebugOutput(const char* text);

// Reports a failed debug assertion on the debugger output and carries on: it never ends the
// process. On Windows it breaks into a debugger, but only when one is attached.
void DebugAssertFailed(const char* expression, const char* function);

}  // namespace orv::platform

#define ORV_DEBUG_ASSERT(expression) \
  ((expression) ? static_cast<void>(0) : ::orv::platform::DebugAssertFailed(#expression, __func__))
