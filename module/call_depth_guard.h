// The scope object that every externally called operation of a live component opens.
//
// It counts the calls in progress on the component. When the outermost one closes on a
// component that was released meanwhile (alive already 0), it completes the deferred
// destruction by calling Release again.
#pragma once

#include <cstdint>

#include "framework/interfaces/component_interfaces.h"

namespace orv {

class CallDepthGuard {
 public:
  CallDepthGuard(std::int32_t* call_depth, std::int32_t* alive, IComponent* component);
  ~CallDepthGuard();
  CallDepthGuard(const CallDepthGuard&) = delete;
  CallDepthGuard& operator=(const CallDepthGuard&) = delete;

 private:
  std::int32_t* call_depth_;
  std::int32_t* alive_;
  IComponent* component_;
};

}  // namespace orv
