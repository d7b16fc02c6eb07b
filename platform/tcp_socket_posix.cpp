#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/tcp_socket.h"

namespace orv::platform {
namespace {

bool WaitFor(int fd, short events, int timeout_ms) {
  pollfd entry{fd, events, 0};
  return poll(&entry, 1, timeout_ms) > 0;
}

}  // namespace

TcpSocket::Result TcpSocket::Connect(const std::string& host, std::uint16_t port, int timeout_ms) {
  Close();
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 ||
      found == nullptr) {
    return Result::kFailed;
  }
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    freeaddrinfo(found);
    return Result::kFailed;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  int rc = connect(fd, found->ai_addr, found->ai_addrlen);
  freeaddrinfo(found);
  if (rc != 0 && errno != EINPROGRESS) {
    const Result result = errno == ECONNREFUSED ? Result::kRefused : Result::kFailed;
    close(fd);
    return result;
  }
  if (rc != 0) {
    if (!WaitFor(fd, POLLOUT, timeout_ms)) {
      close(fd);
      return Result::kTimeout;
    }
    int error = 0;
    socklen_t length = sizeof error;
    getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
    if (error != 0) {
      close(fd);
      return error == ECONNREFUSED ? Result::kRefused : Result::kFailed;
    }
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  handle_ = fd;
  return Result::kOk;
}

bool TcpSocket::SendAll(const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t sent = send(static_cast<int>(handle_), bytes, size, MSG_NOSIGNAL);
    if (sent <= 0) return false;
    bytes += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return true;
}

int TcpSocket::Receive(void* buffer, std::size_t size, int timeout_ms) {
  if (handle_ == -1 || !WaitFor(static_cast<int>(handle_), POLLIN, timeout_ms)) return -1;
  const ssize_t got = recv(static_cast<int>(handle_), buffer, size, 0);
  return got < 0 ? -1 : static_cast<int>(got);
}

void TcpSocket::Close() {
  if (handle_ != -1) close(static_cast<int>(handle_));
  handle_ = -1;
}

bool TcpListener::Listen(std::uint16_t port) {
  Close();
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const int yes = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 16) != 0) {
    close(fd);
    return false;
  }
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  handle_ = fd;
  return true;
}

TcpSocket TcpListener::Accept(int timeout_ms) {
  if (handle_ == -1 || !WaitFor(static_cast<int>(handle_), POLLIN, timeout_ms)) return TcpSocket();
  const int fd = accept(static_cast<int>(handle_), nullptr, nullptr);
  return fd < 0 ? TcpSocket() : TcpSocket(fd);
}

void TcpListener::Close() {
  if (handle_ != -1) close(static_cast<int>(handle_));
  handle_ = -1;
}

}  // namespace orv::platform
