// quillfern-exchange against hostile peers and under load: slow and idle
// connections, SIGTERM among them, a deadline for whole requests, oversized
// heads, pipelined and half-closed requests, the budget for bodies, a log
// nobody reads, and 200 pairs swapping at once without loss or staleness.
// Depends on: the exchange fixture.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>

#include "tools/exchange_fixture.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using Clock = std::chrono::steady_clock;

// Connections from `source` that hold the server's attention without ever
// finishing a request: idle ones, heads sent in part, bodies that stall.
std::vector<std::unique_ptr<RawConnection>> slow_peers(int port, int count, const std::string& source) {
  std::vector<std::unique_ptr<RawConnection>> connections;
  for (int i = 0; i < count; ++i) {
    connections.push_back(std::make_unique<RawConnection>(port, source));
    if (i % 3 == 1) connections.back()->send_all("PATCH /v1/swap/alice HTTP/1.1\r\nHo");
    if (i % 3 == 2) connections.back()->send_all(patch_request("alice", std::string(1000, 'x')).substr(0, 90));
  }
  return connections;
}

TEST_F(Exchange, SlowAndIdlePeersShutNoOneElseOutNorHoldOffSigterm) {
  auto attackers = slow_peers(port_, 120, "127.0.0.1");
  auto more = slow_peers(port_, 60, "127.0.0.3");
  for (int n = 0; n < 20; ++n) {
    RawConnection client(port_, "127.0.0.2");
    const std::string user = n % 2 ? "bob" : "alice";
    const Reply reply = ask(client, patch_request(user, user + std::to_string(n) + kToken), seconds(4));
    EXPECT_EQ(reply.status, 200) << n;
    EXPECT_EQ(reply.body, n ? (n % 2 ? "alice" : "bob") + std::to_string(n - 1) + kToken : "") << n;
  }
  const auto began = Clock::now();
  EXPECT_EQ(stop(), 0);
  EXPECT_LT(Clock::now() - began, seconds(2));
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
    EXPECT_EQ(ask(steady, patch_request("alice", "A" + kToken)).status, 200);
    std::this_thread::sleep_for(milliseconds(700));
  }
}

TEST_F(Exchange, RequestHeadsAreBoundedInMemory) {
  const long before = resident_kib(std::to_string(pid_));
  reset_peak_resident(std::to_string(pid_));
  std::string headers;
  for (int i = 0; i < 100000; ++i) headers += "X-" + std::to_string(i) + ": v\r\n";
  const struct {
    std::string head, piece;
    int most;
  } floods[] = {{"PATCH /v1/swap/alice HTTP/1.1\r\nX-Long: ", std::string(1u << 20, 'h'), 64},  // one long line
                {"PATCH /v1/swap/alice HTTP/1.1\r\n", headers, 20}};                            // many lines
  for (const auto& flood : floods) {
    RawConnection connection(port_);
    connection.send_all(flood.head);
    for (int i = 0; i < flood.most && connection.send_all(flood.piece); ++i) {
    }
    EXPECT_TRUE(connection.closed_within(seconds(2)));
  }
  EXPECT_LT(peak_resident_kib(std::to_string(pid_)) - before, 16 * 1024 + sanitizer_allowance_kib);
  EXPECT_EQ(exchange("alice", "A" + kToken).status, 200);
}

// All sent at once and the sending side closed: every request is still
// answered, in order.
TEST_F(Exchange, PipelinedAndHalfClosedRequestsAreAnsweredInOrder) {
  RawConnection connection(port_);
  std::string requests;
  for (int n = 0; n < 100; ++n)
    requests += patch_request("alice", "A" + std::to_string(n) + kToken) +
                patch_request("bob", "B" + std::to_string(n) + kToken);
  ASSERT_TRUE(connection.send_all(requests));
  connection.half_close();
  int right = 0;
  for (int n = 0; n < 100; ++n) {
    const Reply to_alice = read_reply(connection), to_bob = read_reply(connection);
    right += to_alice.status == 200 && to_alice.body == (n ? "B" + std::to_string(n - 1) + kToken : "");
    right += to_bob.status == 200 && to_bob.body == "A" + std::to_string(n) + kToken;
  }
  EXPECT_EQ(right, 200);
}

// Sixteen bodies of the largest size fill the budget for bodies being
// received; the next is refused until they are gone.
TEST_F(Exchange, BodiesBeingReceivedHaveABudget) {
  std::vector<std::unique_ptr<RawConnection>> large;
  for (int i = 0; i < 16; ++i) {
    large.push_back(std::make_unique<RawConnection>(port_));
    large.back()->send_all("PATCH /v1/swap/alice HTTP/1.1\r\nHost: x\r\nContent-Length: 33554432\r\n\r\n");
  }
  for (auto& c : large) EXPECT_EQ(read_reply(*c, milliseconds(200)).status, -1);
  EXPECT_EQ(exchange("alice", "A" + kToken).status, 503);
  large.clear();
  int status = 0;
  for (const auto began = Clock::now(); status != 200 && Clock::now() - began < seconds(3);)
    status = exchange("alice", "A" + kToken).status;
  EXPECT_EQ(status, 200);
}

// The server's standard output is a pipe the fixture reads only when asked:
// thousands of lines nobody reads hold up no reply, and once read again the
// log says that it dropped some.
TEST_F(Exchange, ALogNobodyReadsDoesNotStopServing) {
  RawConnection connection(port_);
  int answered = 0;
  for (int n = 0; n < 6000; ++n)
    answered += ask(connection, patch_request(n % 2 ? "bob" : "alice", "P" + kToken), seconds(2)).status == 200;
  EXPECT_EQ(answered, 6000);
  const std::string dropped = "log lines dropped: the output was not read";
  EXPECT_NE(log_until(dropped).find(dropped), std::string::npos);
}

// Under load: 200 pairs swap as fast as they can, each request on a new
// connection as the client sends it, for a few seconds
// (QUILLFERN_LOAD_SECONDS to run longer). Every reply must be the partner's
// body, whole, and never older than the partner's last answered request;
// the server's memory must stay bounded. How fast it serves is no test's to say.
constexpr int kClients = 400;

std::string user_name(int client) { return "u" + std::to_string(client); }

// "<user>#<sequence>#" then 20000 bytes of padding derived from both, then
// the token.
std::string body_of(int client, long sequence) {
  return user_name(client) + "#" + std::to_string(sequence) + "#" +
         std::string(20000, static_cast<char>('a' + (client + sequence) % 26)) + kToken;
}

TEST_F(Exchange, TwoHundredPairsSwapWithoutLossOrStaleness) {
  std::string pairs;
  for (int c = 0; c < kClients; c += 2) pairs += user_name(c) + " " + user_name(c + 1) + "\n";
  ASSERT_EQ(stop(), 0);
  start({}, pairs);
  const char* configured = std::getenv("QUILLFERN_LOAD_SECONDS");
  const auto duration = seconds(configured ? std::atoi(configured) : 3);

  // answered[c]: the sequence of client c's last request the server answered.
  std::vector<std::atomic<long>> answered(kClients);
  for (auto& a : answered) a = -1;
  std::atomic<long> requests{0}, failures{0}, wrong{0}, stale{0};
  const auto began = Clock::now();
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c)
    clients.emplace_back([&, c] {
      const int partner = c ^ 1;
      // Spread over loopback addresses, as clients come from many.
      const std::string source = "127.0.1." + std::to_string(1 + c % 100);
      for (long sequence = 0; Clock::now() - began < duration; ++sequence) {
        const long partner_before = answered[partner];
        RawConnection connection(port_, source);
        const Reply reply = ask(connection, patch_request(user_name(c), body_of(c, sequence)));
        ++requests;
        if (reply.status != 200) {
          ++failures;
          continue;
        }
        answered[c] = sequence;
        // The partner's sequence number when the body is whole and the partner's.
        const std::size_t number = std::min(reply.body.size(), user_name(partner).size() + 1);
        const long seen = reply.body.empty() ? -1 : std::atol(reply.body.c_str() + number);
        wrong += !reply.body.empty() && reply.body != body_of(partner, seen);
        stale += seen < partner_before;
      }
    });
  for (std::thread& t : clients) t.join();
  EXPECT_GT(requests, kClients);
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(stale, 0);
  // 400 stored bodies of 20 KB and the connections' buffers; far below this.
  EXPECT_LT(peak_resident_kib(std::to_string(pid_)), 256 * 1024 + sanitizer_allowance_kib);
}

}  // namespace
