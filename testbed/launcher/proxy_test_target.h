// The target the proxy dialog's Test asks a proxy to reach: a loopback server of the
// launcher's own, which takes each connection and closes it, so that no test needs the internet.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "platform/tcp_socket.h"

namespace orv::launcher {

class ProxyTestTarget {
 public:
  ~ProxyTestTarget() { Stop(); }
  // Listens on a free loopback port. False when no port could be had.
  bool Start();
  void Stop();
  std::uint16_t port() const { return listener_.port(); }

 private:
  platform::TcpListener listener_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

}  // namespace orv::launcher
