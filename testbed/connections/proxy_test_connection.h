// The framework's proxy test connections as the testbed plays them: SOCKS5 (component 56)
// and HTTP (component 55). Connect starts a test on a thread of the connection's own: reach
// the proxy at the entry's address and port, ask it for a tunnel to the target web host
// (port 80), and call the sink back on that thread with the outcome:
//
//   OnConnected()            the proxy opened the tunnel
//   OnCennetFail(1)          the proxy refused the connection (or its address is unknown)
//   OnCennetFail(2)          time-out: the proxy did not answer in time
//   OnCennetFail(3)          the proxy rejected the user name and password (or wants them)
//   OnCennetFail(4)          the proxy could not reach the target
//   OnCennetFail(5)          the proxy's reply was not its protocol's
//
// HTTP proxies are asked with CONNECT (and Proxy-Authorization: Basic when a user is set);
// SOCKS5 proxies as RFC 1928 says, with RFC 1929 user name and password authentication when
// a user is set. The factory's configuration may send every test to a target of its own
// instead of the web host ([ProxyTest] TargetHost=, TargetPort=), so that tests need no
// internet, and set the time-out ([ProxyTest] TimeoutMs=, 5000 by default).
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "framework/interfaces/proxy_connection.h"
#include "testbed/common/testbed_component.h"

namespace orv::testbed {

enum ProxyTestError : int {
  kProxyRefused = 1,
  kProxyTimeout = 2,
  kProxyAuthenticationRejected = 3,
  kProxyTargetUnreachable = 4,
  kProxyMalformedReply = 5,
};

template <ComponentId kId>
class ProxyTestConnection final : public TestbedComponent<IProxyConnection, kId> {
 public:
  ~ProxyTestConnection() override;

  int Init(const ProxyEntry* proxy, IConnectionSink* sink) override;
  int Connect(const char* host, std::uint16_t port) override;
  int Close() override;

 private:
  // `number`: the test's place among all tests, so that it reports only while it is the newest.
  void Run(std::string target_host, std::uint16_t target_port, int timeout_ms, int number);
  void Join();

  std::mutex mutex_;
  ProxyEntry proxy_{};
  IConnectionSink* sink_ = nullptr;
  std::thread worker_;
};

using Socks5TestConnection = ProxyTestConnection<kSocks5TestConnectionId>;
using HttpTestConnection = ProxyTestConnection<kHttpTestConnectionId>;

// Sends every later test to this target instead (the launcher serves one on loopback, so that
// a person's test needs no internet); an empty host goes back to the configuration.
void SetProxyTestTarget(const std::string& host, std::uint16_t port);

// The newest test of the process, for a person watching: how many were started, whether the
// newest still runs, and its outcome once it ended (0 or a ProxyTestError).
struct ProxyTestStatus {
  int started = 0;
  bool running = false;
  int outcome = 0;
};
ProxyTestStatus NewestProxyTest();

// One test, as the worker runs it: 0 when the tunnel was opened, else a ProxyTestError.
int TestSocks5Proxy(const ProxyEntry& proxy, const std::string& host, std::uint16_t port,
                    int timeout_ms);
int TestHttpProxy(const ProxyEntry& proxy, const std::string& host, std::uint16_t port,
                  int timeout_ms);

}  // namespace orv::testbed
