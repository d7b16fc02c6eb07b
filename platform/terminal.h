// The console of the testbed launcher: whether a person is at it, and their keys one at a
// time. Never linked into a module.
#pragma once

namespace orv::platform {

// Standard input and output are both a terminal.
bool IsInteractiveTerminal();

// While it lives, keys arrive one by one without echo; the terminal is restored after.
class RawKeys {
 public:
  RawKeys();
  ~RawKeys();
  RawKeys(const RawKeys&) = delete;
  RawKeys& operator=(const RawKeys&) = delete;

  // The next key within `timeout_ms`, or -1.
  int Read(int timeout_ms);

 private:
  // The terminal's settings before the keys were taken, restored after (POSIX); a Windows
  // console reads keys without echo as it is.
  [[maybe_unused]] void* saved_;
};

}  // namespace orv::platform
