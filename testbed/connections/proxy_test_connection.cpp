#include "testbed/connections/proxy_test_connection.h"

#include <cstring>
#include <vector>

#include "platform/tcp_socket.h"
#include "testbed/common/call_journal.h"
#include "testbed/common/factory_config.h"

namespace orv::testbed {
namespace {

using platform::TcpSocket;

template <size_t kSize>
std::string FieldText(const char (&field)[kSize]) {
  return std::string(field, strnlen(field, kSize));
}

int ConnectError(TcpSocket::Result result) {
  return result == TcpSocket::Result::kTimeout ? kProxyTimeout : kProxyRefused;
}

// Reads exactly `size` bytes, or reports why not.
int ReadExactly(TcpSocket& socket, unsigned char* out, size_t size, int timeout_ms) {
  size_t have = 0;
  while (have < size) {
    const int got = socket.Receive(out + have, size - have, timeout_ms);
    if (got < 0) return kProxyTimeout;
    if (got == 0) return kProxyMalformedReply;
    have += static_cast<size_t>(got);
  }
  return 0;
}

std::string Base64(const std::string& text) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t i = 0;
  for (; i + 2 < text.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(text[i]) << 16 |
                       static_cast<unsigned char>(text[i + 1]) << 8 |
                       static_cast<unsigned char>(text[i + 2]);
    out += {kDigits[v >> 18], kDigits[v >> 12 & 63], kDigits[v >> 6 & 63], kDigits[v & 63]};
  }
  if (i + 1 == text.size()) {
    const unsigned v = static_cast<unsigned char>(text[i]) << 16;
    out += {kDigits[v >> 18], kDigits[v >> 12 & 63], '=', '='};
  } else if (i + 2 == text.size()) {
    const unsigned v =
        static_cast<unsigned char>(text[i]) << 16 | static_cast<unsigned char>(text[i + 1]) << 8;
    out += {kDigits[v >> 18], kDigits[v >> 12 & 63], kDigits[v >> 6 & 63], '='};
  }
  return out;
}

std::mutex g_status_mutex;
ProxyTestStatus g_status;

std::mutex g_target_mutex;
std::string g_target_host;
std::uint16_t g_target_port = 0;

}  // namespace

ProxyTestStatus NewestProxyTest() {
  std::lock_guard<std::mutex> hold(g_status_mutex);
  return g_status;
}

void SetProxyTestTarget(const std::string& host, std::uint16_t port) {
  std::lock_guard<std::mutex> hold(g_target_mutex);
  g_target_host = host;
  g_target_port = port;
}

int TestHttpProxy(const ProxyEntry& proxy, const std::string& host, std::uint16_t port,
                  int timeout_ms) {
  TcpSocket socket;
  const auto connected = socket.Connect(FieldText(proxy.address), proxy.port, timeout_ms);
  if (connected != TcpSocket::Result::kOk) return ConnectError(connected);
  const std::string target = host + ":" + std::to_string(port);
  std::string request = "CONNECT " + target + " HTTP/1.1\r\nHost: " + target + "\r\n";
  const std::string user = FieldText(proxy.user);
  if (!user.empty()) {
    request +=
        "Proxy-Authorization: Basic " + Base64(user + ":" + FieldText(proxy.password)) + "\r\n";
  }
  request += "\r\n";
  if (!socket.SendAll(request.data(), request.size())) return kProxyMalformedReply;

  std::string reply;
  char chunk[512];
  while (reply.find("\r\n\r\n") == std::string::npos && reply.size() < 16384) {
    const int got = socket.Receive(chunk, sizeof chunk, timeout_ms);
    if (got < 0) return kProxyTimeout;
    if (got == 0) break;
    reply.append(chunk, static_cast<size_t>(got));
  }
  // "HTTP/1.x <status> ..."
  if (reply.compare(0, 7, "HTTP/1.") != 0 || reply.size() < 12) return kProxyMalformedReply;
  const int status = std::atoi(reply.c_str() + 9);
  if (status == 200) return 0;
  // 407 is the standard answer; some proxies (tinyproxy) answer 401.
  if (status == 407 || status == 401) return kProxyAuthenticationRejected;
  if (status >= 400 && status < 600) return kProxyTargetUnreachable;
  return kProxyMalformedReply;
}

int TestSocks5Proxy(const ProxyEntry& proxy, const std::string& host, std::uint16_t port,
                    int timeout_ms) {
  TcpSocket socket;
  const auto connected = socket.Connect(FieldText(proxy.address), proxy.port, timeout_ms);
  if (connected != TcpSocket::Result::kOk) return ConnectError(connected);
  const std::string user = FieldText(proxy.user);
  const std::string password = FieldText(proxy.password);
  const bool with_user = !user.empty();

  // Greeting: the methods offered, then the one chosen.
  std::vector<unsigned char> greeting = {5, 1, 0};
  if (with_user) greeting = {5, 2, 0, 2};
  if (!socket.SendAll(greeting.data(), greeting.size())) return kProxyMalformedReply;
  unsigned char choice[2];
  if (int error = ReadExactly(socket, choice, 2, timeout_ms)) return error;
  if (choice[0] != 5) return kProxyMalformedReply;
  if (choice[1] == 0xFF) return kProxyAuthenticationRejected;
  if (choice[1] == 2) {
    if (!with_user || user.size() > 255 || password.size() > 255)
      return kProxyAuthenticationRejected;
    std::vector<unsigned char> login = {1, static_cast<unsigned char>(user.size())};
    login.insert(login.end(), user.begin(), user.end());
    login.push_back(static_cast<unsigned char>(password.size()));
    login.insert(login.end(), password.begin(), password.end());
    if (!socket.SendAll(login.data(), login.size())) return kProxyMalformedReply;
    unsigned char status[2];
    if (int error = ReadExactly(socket, status, 2, timeout_ms)) return error;
    if (status[0] != 1) return kProxyMalformedReply;
    if (status[1] != 0) return kProxyAuthenticationRejected;
  } else if (choice[1] != 0) {
    return kProxyMalformedReply;
  }

  // CONNECT to the target by name.
  if (host.size() > 255) return kProxyTargetUnreachable;
  std::vector<unsigned char> request = {5, 1, 0, 3, static_cast<unsigned char>(host.size())};
  request.insert(request.end(), host.begin(), host.end());
  request.push_back(static_cast<unsigned char>(port >> 8));
  request.push_back(static_cast<unsigned char>(port & 0xFF));
  if (!socket.SendAll(request.data(), request.size())) return kProxyMalformedReply;
  unsigned char reply[4];
  if (int error = ReadExactly(socket, reply, 4, timeout_ms)) return error;
  if (reply[0] != 5) return kProxyMalformedReply;
  if (reply[1] != 0) return kProxyTargetUnreachable;
  return 0;
}

template <ComponentId kId>
ProxyTestConnection<kId>::~ProxyTestConnection() {
  Join();
}

template <ComponentId kId>
void ProxyTestConnection<kId>::Join() {
  if (!worker_.joinable()) return;
  if (worker_.get_id() == std::this_thread::get_id()) {
    worker_.detach();  // released from its own callback: the thread ends on its own
  } else {
    worker_.join();
  }
}

template <ComponentId kId>
int ProxyTestConnection<kId>::Init(const ProxyEntry* proxy, IConnectionSink* sink) {
  Journal().Record("ProxyTest" + std::to_string(kId) + ".Init");
  if (proxy == nullptr || sink == nullptr || proxy->address[0] == '\0' || proxy->port == 0)
    return 0;
  Join();  // a test still running finishes first
  std::lock_guard<std::mutex> hold(mutex_);
  proxy_ = *proxy;
  sink_ = sink;
  return 1;
}

template <ComponentId kId>
int ProxyTestConnection<kId>::Connect(const char* host, std::uint16_t port) {
  Journal().Record("ProxyTest" + std::to_string(kId) + ".Connect(" + (host ? host : "<null>") +
                   "," + std::to_string(port) + ")");
  if (host == nullptr || sink_ == nullptr || worker_.joinable()) return 0;
  const FactoryConfig& config = DefaultConfig();
  std::string target_host = config.ReadString("ProxyTest", "TargetHost");
  if (target_host.empty()) target_host = host;
  int target_port = config.ReadInt("ProxyTest", "TargetPort", 80);
  {
    std::lock_guard<std::mutex> hold(g_target_mutex);
    if (!g_target_host.empty()) {
      target_host = g_target_host;
      target_port = g_target_port;
    }
  }
  const int timeout_ms = config.ReadInt("ProxyTest", "TimeoutMs", 5000);
  int number = 0;
  {
    std::lock_guard<std::mutex> hold(g_status_mutex);
    g_status = ProxyTestStatus{g_status.started + 1, true, 0};
    number = g_status.started;
  }
  worker_ = std::thread(&ProxyTestConnection::Run, this, target_host,
                        static_cast<std::uint16_t>(target_port), timeout_ms, number);
  return 1;
}

template <ComponentId kId>
int ProxyTestConnection<kId>::Close() {
  Journal().Record("ProxyTest" + std::to_string(kId) + ".Close");
  return 1;
}

template <ComponentId kId>
void ProxyTestConnection<kId>::Run(std::string target_host, std::uint16_t target_port,
                                   int timeout_ms, int number) {
  ProxyEntry proxy;
  IConnectionSink* sink;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    proxy = proxy_;
    sink = sink_;
  }
  const int error = kId == kSocks5TestConnectionId
                        ? TestSocks5Proxy(proxy, target_host, target_port, timeout_ms)
                        : TestHttpProxy(proxy, target_host, target_port, timeout_ms);
  Journal().Record(
      "ProxyTest" + std::to_string(kId) + " -> " +
      (error == 0 ? std::string("OnConnected") : "OnCennetFail(" + std::to_string(error) + ")"));
  {
    std::lock_guard<std::mutex> hold(g_status_mutex);
    // The newest test's state is this test's only while no later one began.
    if (g_status.started == number) g_status.outcome = error;
  }
  if (error == 0) {
    sink->OnConnected();
  } else {
    sink->OnCennetFail(error);
  }
  // Ended once the module has answered: whoever waits for the test sees its box and log line.
  std::lock_guard<std::mutex> hold(g_status_mutex);
  if (g_status.started == number) g_status.running = false;
}

template class ProxyTestConnection<kSocks5TestConnectionId>;
template class ProxyTestConnection<kHttpTestConnectionId>;

}  // namespace orv::testbed
