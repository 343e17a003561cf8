// A one-connection-at-a-time loopback server driven by a test's script.
// Depends on: POSIX sockets and poll.
#include "client/scripted_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// Reads a request's head and its Content-Length body; false on a timeout.
bool read_request(int fd) {
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const std::size_t head_end = bytes.find("\r\n\r\n");
    if (head_end != std::string::npos) {
      const std::size_t field = bytes.find("Content-Length: ");
      const std::size_t length = field < head_end ? std::strtoul(bytes.c_str() + field + 16, nullptr, 10) : 0;
      if (bytes.size() >= head_end + 4 + length) return true;
    }
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 5000) <= 0) return false;
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) return false;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace

ScriptedServer::ScriptedServer(Script script) : script_(std::move(script)) {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(listener_, 8) == 0 &&
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

ScriptedServer::~ScriptedServer() {
  stopping_ = true;
  thread_.join();
  close(listener_);
}

bool ScriptedServer::send_bytes(int fd, const std::string& bytes) {
  for (std::size_t sent = 0; sent < bytes.size();) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

void ScriptedServer::serve() {
  while (!stopping_) {
    pollfd p{listener_, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    const int fd = accept(listener_, nullptr, nullptr);
    if (fd < 0) continue;
    if (read_request(fd)) script_(fd);
    close(fd);
  }
}
