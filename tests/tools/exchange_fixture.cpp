// The exchange server fixture and the raw connections of the server tests.
// Depends on: POSIX sockets and the tool process helpers.
#include "tools/exchange_fixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace {

// Where the head of a reply ends and how long the whole reply is, or npos.
std::size_t reply_length(const std::string& bytes) {
  const std::size_t head_end = bytes.find("\r\n\r\n");
  if (head_end == std::string::npos) return std::string::npos;
  const std::size_t length = bytes.find("Content-Length: ");
  const std::size_t body = length < head_end ? std::strtoul(bytes.c_str() + length + 16, nullptr, 10) : 0;
  return head_end + 4 + body;
}

}  // namespace

RawConnection::RawConnection(int port, const std::string& source, const std::string& server_address) {
  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  inet_pton(AF_INET, source.c_str(), &local.sin_addr);
  sockaddr_in server{};
  server.sin_family = AF_INET;
  server.sin_port = htons(static_cast<std::uint16_t>(port));
  inet_pton(AF_INET, server_address.c_str(), &server.sin_addr);
  if (bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
      connect(fd_, reinterpret_cast<sockaddr*>(&server), sizeof server) != 0) {
    close(fd_);
    fd_ = -1;
  }
}

RawConnection::~RawConnection() {
  if (fd_ >= 0) close(fd_);
}

bool RawConnection::send_all(const std::string& bytes) {
  for (std::size_t sent = 0; sent < bytes.size();) {
    pollfd p{fd_, POLLOUT, 0};
    if (poll(&p, 1, 5000) <= 0) return false;
    const ssize_t n = send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n <= 0 && errno != EAGAIN) return false;
    if (n > 0) sent += static_cast<std::size_t>(n);
  }
  return true;
}

void RawConnection::half_close() { shutdown(fd_, SHUT_WR); }

int RawConnection::receive(std::chrono::steady_clock::time_point until) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
  pollfd p{fd_, POLLIN, 0};
  if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return -1;
  char buffer[65536];
  const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
  if (n > 0) pending_.append(buffer, static_cast<std::size_t>(n));
  return n > 0 ? 1 : 0;
}

std::string RawConnection::read_reply(std::chrono::milliseconds wait) {
  const auto until = std::chrono::steady_clock::now() + wait;
  while (reply_length(pending_) == std::string::npos || pending_.size() < reply_length(pending_))
    if (receive(until) <= 0) return {};
  const std::size_t length = reply_length(pending_);
  std::string reply = pending_.substr(0, length);
  pending_.erase(0, length);
  return reply;
}

bool RawConnection::closed_within(std::chrono::milliseconds wait) {
  const auto until = std::chrono::steady_clock::now() + wait;
  for (int got = receive(until);; got = receive(until)) {
    if (got <= 0) return got == 0;
    pending_.clear();
  }
}

int reply_status(const std::string& reply) {
  return reply.compare(0, 9, "HTTP/1.1 ") == 0 ? std::atoi(reply.c_str() + 9) : 0;
}

std::string reply_body(const std::string& reply) {
  const std::size_t head_end = reply.find("\r\n\r\n");
  return head_end == std::string::npos ? std::string() : reply.substr(head_end + 4);
}

std::string http_request(const std::string& method, const std::string& path, const std::string& body) {
  return method + " " + path + " HTTP/1.1\r\nHost: x\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\n\r\n" + body;
}

void Exchange::start(std::vector<std::string> extra, const std::string& pairs) {
  signal(SIGPIPE, SIG_IGN);  // a server that closes on a client mid-send fails a check, not the run
  write_file(dir / "pairs.txt", pairs);
  write_file(dir / "log.txt", "");
  port_ = 0;
  std::vector<std::string> argv = {EXCHANGE_PROGRAM, "--port", "0", "--pairs", dir / "pairs.txt"};
  argv.insert(argv.end(), extra.begin(), extra.end());
  pid_ = start_program(argv, dir.path(), dir / "log.txt");
  ASSERT_GT(pid_, 0);
  for (int waited = 0; waited < 10000 && port_ == 0; waited += 10) {
    std::istringstream log(read_file(dir / "log.txt"));
    std::string word;
    while (log >> word)
      if (word == "port" && log >> port_) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_NE(port_, 0) << read_file(dir / "log.txt");
}

int Exchange::stop() {
  if (pid_ <= 0) return 0;
  kill(pid_, SIGTERM);
  const int status = wait_program(pid_);
  pid_ = -1;
  return status;
}

std::pair<int, std::string> Exchange::exchange(const std::string& user, const std::string& body) {
  RawConnection connection(port_);
  const std::string reply = connection.connected() && connection.send_all(patch_request(user, body))
                                ? connection.read_reply(std::chrono::seconds(10))
                                : std::string();
  if (reply.empty()) return {-1, ""};
  return {reply_status(reply), reply_body(reply)};
}

std::string Exchange::log_with(long lines) {
  std::string log;
  for (int waited = 0; waited < 5000; waited += 10) {
    log = read_file(dir / "log.txt");
    if (std::count(log.begin(), log.end(), '\n') >= lines) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return log;
}
