#include "testbed/launcher/proxy_test_target.h"

namespace orv::launcher {

bool ProxyTestTarget::Start() {
  if (!listener_.Listen(0)) return false;
  worker_ = std::thread([this] {
    while (!stop_) listener_.Accept(100);  // accepted, then closed at once
  });
  return true;
}

void ProxyTestTarget::Stop() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

}  // namespace orv::launcher
