// What the two systems' sockets share: ownership moves.
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

}  // namespace orv::platform
