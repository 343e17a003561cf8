// The exchange server fixture (see exchange_fixture.h): requests built,
// replies cut into status, head and body, the server started with its
// standard output on a named pipe and stopped with SIGTERM.
// Depends on: POSIX named pipes and signals, the tool process helpers.
// Parses no reply header beyond the status line.
#include "tools/exchange_fixture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

std::string http_request(const std::string& method, const std::string& path, const std::string& body) {
  return method + " " + path + " HTTP/1.1\r\nHost: x\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\n\r\n" + body;
}

Reply read_reply(RawConnection& connection, std::chrono::milliseconds wait) {
  const std::string message = connection.read_message(wait);
  const std::size_t head_end = message.find("\r\n\r\n");
  if (message.compare(0, 9, "HTTP/1.1 ") != 0) return {};
  return {std::atoi(message.c_str() + 9), message.substr(0, head_end + 2), message.substr(head_end + 4)};
}

Reply ask(RawConnection& connection, const std::string& request, std::chrono::milliseconds wait) {
  return connection.send_all(request) ? read_reply(connection, wait) : Reply();
}

void Exchange::start(std::vector<std::string> extra, const std::string& pairs) {
  signal(SIGPIPE, SIG_IGN);  // a server that closes on a client mid-send fails a check, not the run
  write_file(dir / "pairs.txt", pairs);
  mkfifo((dir / "log").c_str(), 0600);  // already there when restarted
  log_ = open((dir / "log").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  log_text_.clear();
  std::vector<std::string> argv = {EXCHANGE_PROGRAM, "--port", "0", "--pairs", dir / "pairs.txt"};
  argv.insert(argv.end(), extra.begin(), extra.end());
  pid_ = start_program(argv, dir.path(), dir / "log");
  ASSERT_GT(pid_, 0);
  const std::size_t port = log_until("\n").find(" port ");
  port_ = port == std::string::npos ? 0 : std::atoi(log_text_.c_str() + port + 6);
  ASSERT_NE(port_, 0) << log_text_;
}

int Exchange::stop() {
  if (pid_ <= 0) return 0;
  kill(pid_, SIGTERM);
  const int status = wait_program(pid_);
  pid_ = -1;
  close(log_);
  return status;
}

Reply Exchange::exchange(const std::string& user, const std::string& body) {
  RawConnection connection(port_);
  return ask(connection, patch_request(user, body), std::chrono::seconds(10));
}

const std::string& Exchange::log_until(const std::string& text) {
  // Five seconds of waiting, however many reads the text takes to arrive.
  char buffer[65536];
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (log_text_.find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    const ssize_t n = read(log_, buffer, sizeof buffer);
    if (n > 0) log_text_.append(buffer, static_cast<std::size_t>(n));
    if (n <= 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return log_text_;
}
