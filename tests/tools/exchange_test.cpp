// quillfern-exchange, started as the real program on a free loopback port:
// pairing, statuses, limits, hostile input and a bounded load.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

#include "tools/tool_process.h"

namespace {

const std::string kToken = "0123456789abcdef";

// Starts the server, waits for its "listening" line, and stops it with
// SIGTERM at the end, expecting a clean exit (a crash would show as 128+n).
class Exchange : public ::testing::Test {
 protected:
  void SetUp() override { start({}); }
  void TearDown() override { EXPECT_EQ(stop(), 0); }

  void start(std::vector<std::string> extra, const std::string& pairs = "alice bob\ncarol carol\n") {
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

  int stop() {
    if (pid_ <= 0) return 0;
    kill(pid_, SIGTERM);
    const int status = wait_program(pid_);
    pid_ = -1;
    return status;
  }

  httplib::Result request(const std::string& method, const std::string& path, const std::string& body) {
    httplib::Client client("127.0.0.1", port_);
    client.set_url_encode(false);
    client.set_connection_timeout(5);
    client.set_read_timeout(10);
    client.set_write_timeout(10);
    httplib::Request r;
    r.method = method;
    r.path = path;
    r.body = body;
    if (!body.empty()) r.set_header("Content-Type", "application/octet-stream");
    return client.send(r);
  }
  httplib::Result swap(const std::string& user, const std::string& body) {
    return request("PATCH", "/v1/swap/" + user, body);
  }
  // Status and body of a swap, "no reply" as status -1.
  std::pair<int, std::string> exchange(const std::string& user, const std::string& body) {
    httplib::Result result = swap(user, body);
    if (!result) return {-1, ""};
    return {result->status, result->body};
  }

  // The log once it holds `lines` lines: the server writes a request's line
  // just after the reply, so it may come a moment after the client has it.
  std::string log_with(long lines) {
    std::string log;
    for (int waited = 0; waited < 5000; waited += 10) {
      log = read_file(dir / "log.txt");
      if (std::count(log.begin(), log.end(), '\n') >= lines) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return log;
  }

  // Sends raw bytes on a fresh connection; with `wait_for_reply`, returns the
  // head and body of the first reply (empty when none comes in two seconds).
  std::string raw(const std::string& bytes, bool wait_for_reply = true) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port_));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string reply;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
      }
      pollfd p{fd, POLLIN, 0};
      char buffer[4096];
      while (wait_for_reply && !complete_reply(reply) && poll(&p, 1, 2000) > 0) {
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        reply.append(buffer, static_cast<std::size_t>(n));
      }
    }
    close(fd);
    return reply;
  }
  static bool complete_reply(const std::string& reply) {
    const std::size_t head_end = reply.find("\r\n\r\n");
    if (head_end == std::string::npos) return false;
    const std::size_t length = reply.find("Content-Length: ");
    const std::size_t body = length < head_end ? std::stoul(reply.substr(length + 16)) : 0;
    return reply.size() >= head_end + 4 + body;
  }

  ScratchFolder dir;
  pid_t pid_ = -1;
  int port_ = 0;
};

TEST_F(Exchange, PartnersReceiveEachOthersLatestBodyAndUnknownUsersGet201) {
  EXPECT_EQ(exchange("alice", "A1" + kToken), std::make_pair(200, std::string()));
  EXPECT_EQ(exchange("mallory", "M" + kToken), std::make_pair(201, std::string()));
  EXPECT_EQ(exchange("Alice", "M" + kToken).first, 201);  // names are case-sensitive
  EXPECT_EQ(exchange("bob", "B1" + kToken), std::make_pair(200, "A1" + kToken));
  EXPECT_EQ(exchange("alice", "A2" + kToken), std::make_pair(200, "B1" + kToken));
  EXPECT_EQ(exchange("alice", "A3" + kToken), std::make_pair(200, "B1" + kToken));
  EXPECT_EQ(exchange("bob", "B2" + kToken), std::make_pair(200, "A3" + kToken));
  // A self-paired user receives its own latest body.
  EXPECT_EQ(exchange("carol", "C1" + kToken), std::make_pair(200, "C1" + kToken));
  EXPECT_EQ(exchange("carol", "C2" + kToken), std::make_pair(200, "C2" + kToken));
}

TEST_F(Exchange, BodiesMustEndInAHexadecimalToken) {
  EXPECT_EQ(exchange("alice", "0123456789abcde").first, 400);
  EXPECT_EQ(exchange("alice", "picture0123456789abcdeg").first, 400);
  EXPECT_EQ(exchange("alice", "picture 123456789abcdef").first, 400);
  EXPECT_EQ(exchange("mallory", "short").first, 400);
  EXPECT_EQ(exchange("bob", "B" + kToken), std::make_pair(200, std::string()));  // nothing was stored
  EXPECT_EQ(exchange("alice", kToken).first, 200);                              // the token alone is enough
  EXPECT_EQ(exchange("alice", "picture0123456789ABCDEF").first, 200);
  EXPECT_EQ(exchange("bob", "B" + kToken).second, "picture0123456789ABCDEF");
}

TEST_F(Exchange, BinaryBodiesTravelUnchanged) {
  std::string picture;
  for (int i = 0; i < 70000; ++i) picture += static_cast<char>(i * 7 % 256);
  exchange("alice", picture + kToken);
  EXPECT_TRUE(exchange("bob", "B" + kToken).second == picture + kToken);
}

TEST_F(Exchange, OtherPathsAre404AndOtherMethods405) {
  for (const std::string method : {"GET", "POST", "PUT", "DELETE", "OPTIONS"}) {
    SCOPED_TRACE(method);
    // GET and OPTIONS bodies are never read by the library: send none.
    const bool reads_body = method != "GET" && method != "OPTIONS";
    httplib::Result r = request(method, "/v1/swap/alice", reads_body ? "A" + kToken : "");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 405);
    EXPECT_EQ(r->get_header_value("Allow"), "PATCH");
  }
  for (const std::string path : {"/", "/v1/swap", "/v1/swap/", "/v2/swap/alice", "/v1/swapalice", "/V1/swap/alice"}) {
    SCOPED_TRACE(path);
    httplib::Result r = request("PATCH", path, "A" + kToken);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 404);
  }
  EXPECT_EQ(request("GET", "/index.html", "")->status, 404);
  EXPECT_EQ(exchange("bob", "B" + kToken).second, "");  // none of them stored a body
}

TEST_F(Exchange, BodiesAbove32MiBAre413) {
  const std::string limit(32u << 20, 'p');
  EXPECT_EQ(exchange("alice", limit.substr(kToken.size()) + kToken).first, 200);
  EXPECT_EQ(exchange("alice", limit + kToken).first, 413);
  EXPECT_EQ(exchange("bob", "B" + kToken).second.size(), limit.size());
}

TEST_F(Exchange, BodiesThatCannotBeBoundedAreRefusedUnread) {
  const std::string head = "PATCH /v1/swap/alice HTTP/1.1\r\n";
  for (const auto& [request_text, status] : std::vector<std::pair<std::string, std::string>>{
           {head + "Transfer-Encoding: chunked\r\n\r\n14\r\npicture0123456789abcdef\r\n0\r\n\r\n", "411"},
           {head + "\r\n", "411"},
           {head + "Content-Encoding: gzip\r\nContent-Length: 16\r\n\r\n" + kToken, "415"},
           {head + "Range: bytes=0-,0-,0-\r\nContent-Length: 16\r\n\r\n" + kToken, "416"}})
    EXPECT_EQ(raw(request_text).substr(0, 12), "HTTP/1.1 " + status) << request_text;
  EXPECT_EQ(exchange("bob", "B" + kToken).second, "");
}

TEST_F(Exchange, PercentEncodedNamesAreDecoded) {
  ASSERT_EQ(stop(), 0);
  start({}, "bob%20smith dave\na%2Bb c\n%C3%A9mile zoe\n");
  EXPECT_EQ(exchange("bob%20smith", "S" + kToken).first, 200);
  EXPECT_EQ(exchange("dave", "D" + kToken).second, "S" + kToken);
  EXPECT_EQ(exchange("bob+smith", "X" + kToken).first, 201);  // '+' is not a blank in a path
  EXPECT_EQ(exchange("a%2Bb", "P" + kToken).first, 200);
  EXPECT_EQ(exchange("c", "C" + kToken).second, "P" + kToken);
  EXPECT_EQ(exchange("%C3%A9mile", "E" + kToken).first, 200);
  EXPECT_EQ(exchange("zoe", "Z" + kToken).second, "E" + kToken);
  EXPECT_EQ(exchange("%00", "N" + kToken).first, 201);
}

TEST_F(Exchange, LogsOneLinePerRequest) {
  exchange("alice", "A" + kToken);
  exchange("mallory", "M" + kToken);
  request("GET", "/x", "");
  const std::string log = log_with(4);
  EXPECT_NE(log.find(" listening on 127.0.0.1 port " + std::to_string(port_) + "\n"), std::string::npos);
  EXPECT_NE(log.find(" PATCH /v1/swap/alice 200 in=17 out=0\n"), std::string::npos);
  EXPECT_NE(log.find(" PATCH /v1/swap/mallory 201 in=17 out=0\n"), std::string::npos);
  EXPECT_NE(log.find(" GET /x 404 in=0 out=0\n"), std::string::npos);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4);
}

TEST_F(Exchange, MalformedRequestsDoNotBringItDown) {
  const std::vector<std::string> hostile = {
      "garbage\r\n\r\n",
      std::string("\0\xff\x01\x02", 4) + std::string(5000, '\x80') + "\r\n\r\n",
      "PATCH /v1/swap/alice HTTP/1.1\r\nHost: x\r\nContent-Len",
      "PATCH /v1/swap/alice HTTP/1.1\r\nContent-Length: 100\r\n\r\nshort",
      "PATCH /v1/swap/alice HTTP/1.1\r\nContent-Length: -5\r\n\r\n",
      "PATCH /v1/swap/alice HTTP/1.1\r\nContent-Length: lots\r\n\r\n",
      "PATCH /v1/swap/alice HTTP/1.1\r\nContent-Length: 99999999999999999999999\r\n\r\n",
      "PATCH /v1/swap/alice HTTP/1.1\r\nX-Long: " + std::string(200000, 'h') + "\r\n\r\n",
      "PATCH /v1/swap/" + std::string(20000, 'u') + " HTTP/1.1\r\n\r\n",
      "PATCH /v1/swap/" + std::string(5000, 'u') + " HTTP/1.1\r\nContent-Length: 16\r\n\r\n" + kToken,
      "PATCH /v1/swap/%zz%%%0 HTTP/1.1\r\nContent-Length: 16\r\n\r\n" + kToken,
      "PATCH /v1/swap/alice HTTP/9.9\r\nContent-Length: 16\r\n\r\n" + kToken,
      "PATCH\r\n\r\n",
      "BREW /v1/swap/alice HTTP/1.1\r\n\r\n",
      "CONNECT /v1/swap/alice HTTP/1.1\r\n\r\n",
      "\r\n\r\n\r\n",
  };
  std::string many_headers = "PATCH /v1/swap/alice HTTP/1.1\r\n";
  for (int i = 0; i < 20000; ++i) many_headers += "X-" + std::to_string(i) + ": v\r\n";
  for (const std::string& bytes : hostile) raw(bytes, false);
  raw(many_headers + "\r\n", false);
  EXPECT_EQ(exchange("alice", "A" + kToken).first, 200);
  EXPECT_EQ(exchange("bob", "B" + kToken), std::make_pair(200, "A" + kToken));
}

TEST_F(Exchange, ManyConcurrentClientsAllGetAnswers) {
  constexpr int kClients = 32, kRequests = 50;
  std::string pairs;
  for (int i = 0; i < kClients; i += 2) pairs += "u" + std::to_string(i) + " u" + std::to_string(i + 1) + "\n";
  ASSERT_EQ(stop(), 0);
  start({}, pairs);

  // A reply is empty until the partner has sent once, then always the
  // partner's body: never another user's, never empty again.
  std::atomic<int> answered{0}, wrong{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c)
    clients.emplace_back([&, c] {
      const std::string partner = "u" + std::to_string(c ^ 1) + "#";
      bool partner_seen = false;
      for (int n = 0; n < kRequests; ++n) {
        const std::string body = "u" + std::to_string(c) + "#" + std::string(1000 + 97 * n, 'x') + kToken;
        const auto [status, reply] = exchange("u" + std::to_string(c), body);
        answered += status == 200;
        const bool from_partner = reply.size() >= partner.size() + kToken.size() &&
                                  reply.compare(0, partner.size(), partner) == 0 &&
                                  reply.compare(reply.size() - kToken.size(), kToken.size(), kToken) == 0;
        wrong += from_partner ? 0 : !reply.empty() || partner_seen;
        partner_seen = partner_seen || from_partner;
      }
    });
  for (std::thread& t : clients) t.join();
  EXPECT_EQ(answered, kClients * kRequests);
  EXPECT_EQ(wrong, 0);
  const std::string log = log_with(1 + kClients * kRequests);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1 + kClients * kRequests);
}

class ExchangeOptions : public Exchange {
 protected:
  void SetUp() override {}
};

TEST_F(ExchangeOptions, ListensOnTheAddressItIsGiven) {
  start({"--listen", "127.0.0.2"});
  EXPECT_NE(read_file(dir / "log.txt").find("listening on 127.0.0.2 port"), std::string::npos);
  httplib::Client elsewhere("127.0.0.2", port_);
  httplib::Result r = elsewhere.Patch("/v1/swap/alice", "A" + kToken, "application/octet-stream");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  EXPECT_EQ(exchange("bob", "B" + kToken).first, -1);  // nothing on 127.0.0.1
}

TEST_F(ExchangeOptions, BadCommandLinesAndPairsFilesEndIt) {
  EXPECT_EQ(run_program({EXCHANGE_PROGRAM, "--port"}), 2);
  EXPECT_EQ(run_program({EXCHANGE_PROGRAM, "--port", "70000"}), 2);
  EXPECT_EQ(run_program({EXCHANGE_PROGRAM, "--verbose", "1"}), 2);
  EXPECT_EQ(run_program({EXCHANGE_PROGRAM, "--pairs", dir / "absent.txt"}), 1);
  for (const std::string pairs : {"alice\n", "alice bob carol\n", "alice bob\nbob carol\n", "a b\na c\n"}) {
    SCOPED_TRACE(pairs);
    write_file(dir / "bad.txt", pairs);
    EXPECT_EQ(run_program({EXCHANGE_PROGRAM, "--port", "0", "--pairs", dir / "bad.txt"}), 1);
  }
}

}  // namespace
