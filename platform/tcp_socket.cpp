// What the two systems' sockets share: ownership moves, and the free-port probe.
#include "platform/tcp_socket.h"

namespace orv::platform {

TcpSocket::~TcpSocket() { Close(); }

TcpSocket::TcpSocket(TcpSocket&& other) noexcept : handle_(other.handle_) { other.handle_ = -1; }

TcpSocket& TcpSocket::operator=(TcpSocket&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    other.handle_ = -1;
  }
  return *this;
}

TcpListener::~TcpListener() { Close(); }

std::uint16_t FreeLoopbackPort() {
  TcpListener probe;
  return probe.Listen(0) ? probe.port() : 0;
}

}  // namespace orv::platform
