#include <winsock2.h>
#include <ws2tcpip.h>

#include <mutex>

#include "platform/tcp_socket.h"

namespace orv::platform {
namespace {

void StartWinsock() {
  static std::once_flag once;
  std::call_once(once, [] {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  });
}

SOCKET Native(std::intptr_t handle) { return static_cast<SOCKET>(handle); }

bool WaitFor(SOCKET s, bool write, int timeout_ms) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  fd_set errors;
  FD_ZERO(&errors);
  FD_SET(s, &errors);
  timeval limit{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
  const int ready = select(0, write ? nullptr : &set, write ? &set : nullptr, &errors, &limit);
  return ready > 0 && FD_ISSET(s, &set);
}

}  // namespace

TcpSocket::Result TcpSocket::Connect(const std::string& host, std::uint16_t port, int timeout_ms) {
  StartWinsock();
  Close();
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 ||
      found == nullptr) {
    return Result::kFailed;
  }
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) {
    freeaddrinfo(found);
    return Result::kFailed;
  }
  u_long nonblocking = 1;
  ioctlsocket(s, FIONBIO, &nonblocking);
  const int rc = connect(s, found->ai_addr, static_cast<int>(found->ai_addrlen));
  freeaddrinfo(found);
  if (rc != 0 && WSAGetLastError() != WSAEWOULDBLOCK) {
    const Result result = WSAGetLastError() == WSAECONNREFUSED ? Result::kRefused : Result::kFailed;
    closesocket(s);
    return result;
  }
  if (rc != 0 && !WaitFor(s, true, timeout_ms)) {
    int error = 0;
    int length = sizeof error;
    getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
    closesocket(s);
    if (error == WSAECONNREFUSED) return Result::kRefused;
    return error == 0 ? Result::kTimeout : Result::kFailed;
  }
  nonblocking = 0;
  ioctlsocket(s, FIONBIO, &nonblocking);
  handle_ = static_cast<std::intptr_t>(s);
  return Result::kOk;
}

bool TcpSocket::SendAll(const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const int sent = send(Native(handle_), bytes, static_cast<int>(size), 0);
    if (sent <= 0) return false;
    bytes += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return true;
}

int TcpSocket::Receive(void* buffer, std::size_t size, int timeout_ms) {
  if (handle_ == -1 || !WaitFor(Native(handle_), false, timeout_ms)) return -1;
  const int got = recv(Native(handle_), static_cast<char*>(buffer), static_cast<int>(size), 0);
  return got < 0 ? -1 : got;
}

void TcpSocket::Close() {
  if (handle_ != -1) closesocket(Native(handle_));
  handle_ = -1;
}

bool TcpListener::Listen(std::uint16_t port) {
  StartWinsock();
  Close();
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(s, 16) != 0) {
    closesocket(s);
    return false;
  }
  int length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  handle_ = static_cast<std::intptr_t>(s);
  return true;
}

TcpSocket TcpListener::Accept(int timeout_ms) {
  if (handle_ == -1 || !WaitFor(Native(handle_), false, timeout_ms)) return TcpSocket();
  SOCKET s = accept(Native(handle_), nullptr, nullptr);
  return s == INVALID_SOCKET ? TcpSocket() : TcpSocket(static_cast<std::intptr_t>(s));
}

void TcpListener::Close() {
  if (handle_ != -1) closesocket(Native(handle_));
  handle_ = -1;
}

}  // namespace orv::platform
