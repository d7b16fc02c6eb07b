// Captures what the modules of this process write to the debugger output, so that tests and
// the testbed can show it or compare it byte for byte.
//
// On Windows a vectored exception handler receives every OutputDebugStringA of the process.
// On POSIX the capture points ORVEX_DEBUG_OUTPUT at a file of its own and reads that file.
// One capture may be active at a time.
#pragma once

#include <string>

namespace orv::platform {

class DebugCapture {
 public:
  DebugCapture();
  ~DebugCapture();
  DebugCapture(const DebugCapture&) = delete;
  DebugCapture& operator=(const DebugCapture&) = delete;

  // Everything written since the capture began or since the last Take(), then forgotten.
  std::string Take();

 private:
  void* state_;
};

}  // namespace orv::platform
