// A loopback TCP connection for tests that speak HTTP byte by byte, on
// either side: connected from a chosen source address, or taken from
// accept(). Every wait is bounded; messages are cut at the head's end plus
// its Content-Length, and nothing else of HTTP is parsed.
// Depends on: POSIX sockets. Asserts nothing itself.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>

class RawConnection {
 public:
  explicit RawConnection(int port, const std::string& source = "127.0.0.1", const std::string& server = "127.0.0.1")
      : fd_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in local{}, remote{};
    local.sin_family = remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<std::uint16_t>(port));
    inet_pton(AF_INET, source.c_str(), &local.sin_addr);  // the server limits connections per address
    inet_pton(AF_INET, server.c_str(), &remote.sin_addr);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        connect(fd_, reinterpret_cast<sockaddr*>(&remote), sizeof remote) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  // Takes over a connection from accept() (-1 for none).
  struct Accepted {
    int fd;
  };
  explicit RawConnection(Accepted accepted) : fd_(accepted.fd) {}
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;
  ~RawConnection() {
    if (fd_ >= 0) close(fd_);
  }

  // False once the peer stopped taking bytes (reset, closed, or five
  // seconds without room).
  bool send_all(const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
      pollfd p{fd_, POLLOUT, 0};
      if (fd_ < 0 || poll(&p, 1, 5000) <= 0) return false;
      const ssize_t n = send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n <= 0 && errno != EAGAIN) return false;
      if (n > 0) sent += static_cast<std::size_t>(n);
    }
    return true;
  }

  void half_close() { shutdown(fd_, SHUT_WR); }

  // The next whole message (head and body) within `wait`; empty when none.
  std::string read_message(std::chrono::milliseconds wait = std::chrono::seconds(5)) {
    const auto until = std::chrono::steady_clock::now() + wait;
    while (message_length() == std::string::npos)
      if (receive(until) <= 0) return {};
    const std::string message = pending_.substr(0, message_length());
    pending_.erase(0, message.size());
    return message;
  }

  // True when the peer closes the connection within `wait`; unread bytes
  // are skipped.
  bool closed_within(std::chrono::milliseconds wait) {
    const auto until = std::chrono::steady_clock::now() + wait;
    for (int got = receive(until);; got = receive(until)) {
      if (got <= 0) return got == 0;
      pending_.clear();
    }
  }

 private:
  // The length of the whole first message in `pending_`, or npos until it
  // is all there.
  std::size_t message_length() const {
    const std::size_t head_end = pending_.find("\r\n\r\n"), field = pending_.find("Content-Length: ");
    if (head_end == std::string::npos) return std::string::npos;
    const std::size_t length = head_end + 4 + (field < head_end ? std::strtoul(pending_.c_str() + field + 16, nullptr, 10) : 0);
    return pending_.size() < length ? std::string::npos : length;
  }

  // Waits for bytes until `until` and appends them: 1, or 0 when the peer
  // closed, -1 on a timeout or an error.
  int receive(std::chrono::steady_clock::time_point until) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    pollfd p{fd_, POLLIN, 0};
    if (fd_ < 0 || left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return -1;
    char buffer[65536];
    const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
    if (n > 0) pending_.append(buffer, static_cast<std::size_t>(n));
    return n > 0 ? 1 : 0;
  }

  int fd_ = -1;
  std::string pending_;  // received bytes not yet handed out
};
