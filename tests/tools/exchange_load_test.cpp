// quillfern-exchange under load: 200 pairs swap as fast as they can, each
// request on a new connection as the client sends it, for a few seconds
// (QUILLFERN_LOAD_SECONDS to run longer). Every reply must be the partner's
// body, whole, and never older than the partner's last answered request;
// the server's memory must stay bounded. The rate is printed, not asserted.
// Depends on: the exchange fixture and the standard threads.
#include <atomic>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "tools/exchange_fixture.h"

namespace {

constexpr int kPairs = 200;
constexpr int kClients = 2 * kPairs;
constexpr std::size_t kPadding = 20000;

std::string user_name(int client) { return "u" + std::to_string(client); }

// "<user>#<sequence>#" then padding derived from both, then the token.
std::string body_of(int client, long sequence) {
  std::string body = user_name(client) + "#" + std::to_string(sequence) + "#";
  body.append(kPadding, static_cast<char>('a' + (client + sequence) % 26));
  return body + kToken;
}

// The partner's sequence number in a reply body that is whole and from the
// partner, or -1.
long partner_sequence(const std::string& body, int partner) {
  const std::string prefix = user_name(partner) + "#";
  if (body.compare(0, prefix.size(), prefix) != 0) return -1;
  const long sequence = std::atol(body.c_str() + prefix.size());
  return body == body_of(partner, sequence) ? sequence : -1;
}

TEST_F(Exchange, TwoHundredPairsSwapWithoutLossOrStaleness) {
  std::string pairs;
  for (int c = 0; c < kClients; c += 2) pairs += user_name(c) + " " + user_name(c + 1) + "\n";
  ASSERT_EQ(stop(), 0);
  start({}, pairs);
  const char* configured = std::getenv("QUILLFERN_LOAD_SECONDS");
  const auto duration = std::chrono::seconds(configured ? std::atoi(configured) : 3);

  // answered[c]: the sequence of client c's last request the server answered.
  std::vector<std::atomic<long>> answered(kClients);
  for (auto& a : answered) a = -1;
  std::atomic<long> requests{0}, failures{0}, wrong{0}, stale{0};
  const auto began = std::chrono::steady_clock::now();
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c)
    clients.emplace_back([&, c] {
      const int partner = c ^ 1;
      // Spread over loopback addresses, as clients come from many.
      const std::string source = "127.0.1." + std::to_string(1 + c % 100);
      for (long sequence = 0; std::chrono::steady_clock::now() - began < duration; ++sequence) {
        const long partner_before = answered[partner];
        RawConnection connection(port_, source);
        const std::string reply =
            connection.send_all(patch_request(user_name(c), body_of(c, sequence))) ? connection.read_reply() : "";
        ++requests;
        if (reply_status(reply) != 200) {
          ++failures;
          continue;
        }
        answered[c] = sequence;
        const std::string body = reply_body(reply);
        const long seen = body.empty() ? -1 : partner_sequence(body, partner);
        wrong += !body.empty() && seen < 0;
        stale += seen < partner_before;
      }
    });
  for (std::thread& t : clients) t.join();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  std::cout << "[ load     ] " << requests << " requests in " << seconds << " s: " << long(requests / seconds)
            << " a second, server resident at most " << peak_resident_kib(std::to_string(pid_)) / 1024 << " MiB\n";
  EXPECT_GT(requests, kClients);
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(stale, 0);
  // 400 stored bodies of 20 KB and the connections' buffers; far below this.
  EXPECT_LT(peak_resident_kib(std::to_string(pid_)), 256 * 1024 + sanitizer_allowance_kib);
}

}  // namespace
