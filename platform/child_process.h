// A program started by the testbed or a test (a proxy server, say) and stopped with the
// object: it never outlives its owner. Never linked into a module.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv::platform {

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `program` (looked up on the search path) with `arguments`, its standard output and
  // error discarded. False when it could not be started.
  bool Start(const std::string& program, const std::vector<std::string>& arguments);
  // Stops it and waits for it to end.
  void Stop();
  bool running() const { return handle_ != 0; }

 private:
  std::intptr_t handle_ = 0;
};

}  // namespace orv::platform
