#include "module/call_depth_guard.h"

namespace orv {

CallDepthGuard::CallDepthGuard(std::int32_t* call_depth, std::int32_t* alive, IComponent* component)
    : call_depth_(call_depth), alive_(alive), component_(component) {
  if (call_depth_ != nullptr) ++*call_depth_;
}

CallDepthGuard::~CallDepthGuard() {
  if (call_depth_ == nullptr || alive_ == nullptr) return;
  --*call_depth_;
  if (*call_depth_ == 0 && *alive_ == 0 && component_ != nullptr) component_->Release(0);
}

}  // namespace orv
