// quillfern-exchange against hostile peers: slow and idle connections,
// oversized heads, smuggled and pipelined requests, a log nobody reads,
// SIGTERM under load, half-closed requests and the budget for bodies.
// Depends on: the exchange fixture.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <thread>

#include "tools/exchange_fixture.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using Clock = std::chrono::steady_clock;

std::vector<std::unique_ptr<RawConnection>> open_connections(int port, int count, const std::string& source) {
  std::vector<std::unique_ptr<RawConnection>> connections;
  for (int i = 0; i < count; ++i) connections.push_back(std::make_unique<RawConnection>(port, source));
  return connections;
}

// Connections that hold the server's attention without ever finishing a
// request: idle ones, heads sent a byte at a time, bodies that stall.
std::vector<std::unique_ptr<RawConnection>> slow_peers(int port, int count, const std::string& source) {
  auto connections = open_connections(port, count, source);
  for (std::size_t i = 0; i < connections.size(); ++i) {
    if (i % 3 == 1) connections[i]->send_all("PATCH /v1/swap/alice HTTP/1.1\r\nHo");
    if (i % 3 == 2) connections[i]->send_all("PATCH /v1/swap/alice HTTP/1.1\r\nHost: x\r\nContent-Length: 1000\r\n\r\nslow");
  }
  return connections;
}

TEST_F(Exchange, SlowAndIdlePeersShutNoOneElseOut) {
  auto attackers = slow_peers(port_, 120, "127.0.0.1");
  for (int n = 0; n < 20; ++n) {
    RawConnection client(port_, "127.0.0.2");
    const std::string user = n % 2 ? "bob" : "alice";
    ASSERT_TRUE(client.send_all(patch_request(user, user + std::to_string(n) + kToken)));
    const std::string reply = client.read_reply(seconds(4));
    EXPECT_EQ(reply_status(reply), 200) << n;
    if (n > 0) {
      EXPECT_EQ(reply_body(reply), (n % 2 ? "alice" : "bob") + std::to_string(n - 1) + kToken);
    }
  }
}

TEST_F(Exchange, AWholeRequestHasADeadlineThatBytesDoNotRestart) {
  ASSERT_EQ(stop(), 0);
  start({"--deadline", "2"});
  RawConnection dribbler(port_);
  const std::string head = "PATCH /v1/swap/alice HTTP/1.1\r\nX-Slow: " + std::string(100, 'z');
  const auto began = Clock::now();
  bool closed = false;
  for (std::size_t i = 0; i < head.size() && !closed && Clock::now() - began < seconds(8); ++i)
    closed = !dribbler.send_all(head.substr(i, 1)) || dribbler.closed_within(milliseconds(250));
  EXPECT_TRUE(closed);
  EXPECT_LT(Clock::now() - began, seconds(5));
  // A connection that finishes its requests in time keeps being served.
  RawConnection steady(port_);
  for (int n = 0; n < 4; ++n) {
    ASSERT_TRUE(steady.send_all(patch_request("alice", "A" + kToken)));
    EXPECT_EQ(reply_status(steady.read_reply()), 200);
    std::this_thread::sleep_for(milliseconds(700));
  }
}

TEST_F(Exchange, RequestHeadsAreBoundedInMemory) {
  const long before = resident_kib(std::to_string(pid_));
  reset_peak_resident(std::to_string(pid_));
  {
    RawConnection long_line(port_);
    long_line.send_all("PATCH /v1/swap/alice HTTP/1.1\r\nX-Long: ");
    const std::string chunk(1u << 20, 'h');
    for (int i = 0; i < 64 && long_line.send_all(chunk); ++i) {
    }
    EXPECT_TRUE(long_line.closed_within(seconds(2)));
  }
  {
    RawConnection many(port_);
    many.send_all("PATCH /v1/swap/alice HTTP/1.1\r\n");
    std::string headers;
    for (int i = 0; i < 100000; ++i) headers += "X-" + std::to_string(i) + ": v\r\n";
    for (int i = 0; i < 20 && many.send_all(headers); ++i) {
    }
    EXPECT_TRUE(many.closed_within(seconds(2)));
  }
  EXPECT_LT(peak_resident_kib(std::to_string(pid_)) - before, 16 * 1024 + sanitizer_allowance_kib);
  EXPECT_EQ(exchange("alice", "A" + kToken).first, 200);
}

TEST_F(Exchange, PipelinedRequestsAreAnsweredInOrder) {
  RawConnection connection(port_);
  std::string requests;
  for (int n = 0; n < 100; ++n)
    requests += patch_request("alice", "A" + std::to_string(n) + kToken) +
                patch_request("bob", "B" + std::to_string(n) + kToken);
  ASSERT_TRUE(connection.send_all(requests));
  int right = 0;
  for (int n = 0; n < 100; ++n) {
    const std::string to_alice = connection.read_reply(), to_bob = connection.read_reply();
    right += reply_status(to_alice) == 200 && reply_body(to_alice) == (n ? "B" + std::to_string(n - 1) + kToken : "");
    right += reply_status(to_bob) == 200 && reply_body(to_bob) == "A" + std::to_string(n) + kToken;
  }
  EXPECT_EQ(right, 200);
}

TEST_F(Exchange, AHalfClosedRequestIsStillAnswered) {
  RawConnection connection(port_);
  connection.send_all(patch_request("alice", "A" + kToken));
  connection.half_close();
  EXPECT_EQ(reply_status(connection.read_reply()), 200);
  EXPECT_EQ(exchange("bob", "B" + kToken).second, "A" + kToken);
}

TEST_F(Exchange, BodiesBeingReceivedHaveABudget) {
  // Sixteen bodies of the largest size fill the budget for bodies being
  // received; the next is refused until they are gone.
  auto large = open_connections(port_, 16, "127.0.0.1");
  for (auto& c : large) c->send_all("PATCH /v1/swap/alice HTTP/1.1\r\nHost: x\r\nContent-Length: 33554432\r\n\r\n");
  for (auto& c : large) EXPECT_EQ(c->read_reply(milliseconds(200)), "");
  EXPECT_EQ(exchange("alice", "A" + kToken).first, 503);
  large.clear();
  int status = 0;
  for (const auto began = Clock::now(); status != 200 && Clock::now() - began < seconds(3);)
    status = exchange("alice", "A" + kToken).first;
  EXPECT_EQ(status, 200);
}

TEST_F(Exchange, SigtermEndsItPromptlyWhateverItsClientsDo) {
  auto attackers = slow_peers(port_, 60, "127.0.0.1");
  auto more = slow_peers(port_, 60, "127.0.0.3");
  const auto began = Clock::now();
  kill(pid_, SIGTERM);
  int status = -1;
  while (Clock::now() - began < seconds(5) && waitpid(pid_, &status, WNOHANG) == 0)
    std::this_thread::sleep_for(milliseconds(10));
  EXPECT_LT(Clock::now() - began, seconds(2));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  if (!WIFEXITED(status)) kill(pid_, SIGKILL), waitpid(pid_, &status, 0);
  pid_ = -1;
}

// Reads `fd` until `until` has come or five seconds have passed.
std::string read_until(int fd, const std::string& until) {
  std::string text;
  char buffer[65536];
  for (const auto began = Clock::now(); text.find(until) == std::string::npos && Clock::now() - began < seconds(5);) {
    pollfd p{fd, POLLIN, 0};
    const ssize_t n = poll(&p, 1, 100) > 0 ? read(fd, buffer, sizeof buffer) : 0;
    if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;
}

class ExchangeOnAPipe : public Exchange {
 protected:
  void SetUp() override {}
};

TEST_F(ExchangeOnAPipe, ALogNobodyReadsDoesNotStopServing) {
  // The server's standard output is a pipe that the test leaves unread.
  const std::string fifo = dir / "log.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  write_file(dir / "pairs.txt", "alice bob\n");
  pid_ = start_program({EXCHANGE_PROGRAM, "--port", "0", "--pairs", dir / "pairs.txt"}, dir.path(), fifo);
  std::string first = read_until(reader, "\n");
  first.resize(first.find('\n') == std::string::npos ? first.size() : first.find('\n'));
  port_ = std::atoi(first.substr(first.rfind(' ') + 1).c_str());
  ASSERT_NE(port_, 0) << first;

  RawConnection connection(port_);
  int answered = 0;
  for (int n = 0; n < 6000; ++n) {
    connection.send_all(patch_request(n % 2 ? "bob" : "alice", "P" + kToken));
    answered += reply_status(connection.read_reply(seconds(2))) == 200;
  }
  EXPECT_EQ(answered, 6000);

  // Once read again, the log says how many lines it had to drop.
  const std::string log = read_until(reader, "log lines dropped: the output was not read");
  EXPECT_NE(log.find("log lines dropped: the output was not read"), std::string::npos);
  EXPECT_EQ(stop(), 0);
  close(reader);
}

}  // namespace
