// TCP over IPv4 for the testbed's proxy test connections and their tests: a client socket
// with time-outs and a loopback listener. Never linked into a module.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orv::platform {

class TcpSocket {
 public:
  TcpSocket() = default;
  ~TcpSocket();
  TcpSocket(TcpSocket&& other) noexcept;
  TcpSocket& operator=(TcpSocket&& other) noexcept;
  TcpSocket(const TcpSocket&) = delete;
  TcpSocket& operator=(const TcpSocket&) = delete;

  enum class Result { kOk, kRefused, kTimeout, kFailed };

  // Resolves `host` and connects, giving up after `timeout_ms`.
  Result Connect(const std::string& host, std::uint16_t port, int timeout_ms);
  bool SendAll(const void* data, std::size_t size);
  // Waits up to `timeout_ms` for data: the byte count, 0 when the peer closed, -1 on a
  // time-out or an error.
  int Receive(void* buffer, std::size_t size, int timeout_ms);
  void Close();
  bool open() const { return handle_ != -1; }

 private:
  friend class TcpListener;
  explicit TcpSocket(std::intptr_t handle) : handle_(handle) {}
  std::intptr_t handle_ = -1;
};

// Listens on 127.0.0.1.
class TcpListener {
 public:
  TcpListener() = default;
  ~TcpListener();
  TcpListener(const TcpListener&) = delete;
  TcpListener& operator=(const TcpListener&) = delete;

  // Port 0 picks a free one; port() tells which.
  bool Listen(std::uint16_t port);
  std::uint16_t port() const { return port_; }
  // A connection within `timeout_ms`, or a closed socket.
  TcpSocket Accept(int timeout_ms);
  void Close();

 private:
  std::intptr_t handle_ = -1;
  std::uint16_t port_ = 0;
};

}  // namespace orv::platform
