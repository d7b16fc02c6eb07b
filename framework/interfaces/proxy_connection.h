// The framework's proxy test connections (SOCKS5 56, HTTP 55) and the sink they call back.
// A connection may call back on a thread of its own.
#pragma once

#include <cstdint>

#include "framework/interfaces/component_interfaces.h"
#include "framework/interfaces/event_sink.h"
#include "framework/interfaces/proxy_config.h"

namespace orv {

class IConnectionSink : public ISink {
 public:
  virtual void OnConnected() = 0;                                     // slot 1
  virtual void OnCennetFail(int error_code) = 0;                      // slot 2, kept as written
  virtual void OnConnectionNotice(std::uint32_t, std::uint32_t) = 0;  // slot 3, ignored
  virtual void OnConnectionState(std::uint32_t) = 0;                  // slot 4, ignored

 protected:
  ~IConnectionSink() = default;
};

class IProxyConnection : public IComponent {
 public:
  // Nonzero: set up for this proxy, calling back `sink`.
  virtual int Init(const ProxyEntry* proxy, IConnectionSink* sink) = 0;  // slot 8
  virtual void Unused9() {}                                              // slot 9
  // Nonzero: the attempt has started; its outcome arrives through the sink.
  virtual int Connect(const char* host, std::uint16_t port) = 0;  // slot 10
  virtual int Close() = 0;                                        // slot 11

 protected:
  ~IProxyConnection() = default;
};

}  // namespace orv
