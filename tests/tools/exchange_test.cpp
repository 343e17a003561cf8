// quillfern-exchange, started as the real program on a free loopback port:
// pairing, the status of every refused request, the body limit, names,
// the log, malformed input and the command line.
// Depends on: the exchange fixture.
#include <algorithm>

#include "tools/exchange_fixture.h"

namespace {

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

TEST_F(Exchange, BodiesEndInAHexadecimalTokenOfEitherCase) {
  EXPECT_EQ(exchange("alice", kToken).first, 200);  // the token alone is enough
  EXPECT_EQ(exchange("alice", "picture0123456789ABCDEF").first, 200);
  EXPECT_EQ(exchange("bob", "B" + kToken).second, "picture0123456789ABCDEF");
}

// Every refused request gets its status and ends its connection, and
// nothing sent after it is taken for another request: the swap hidden
// behind each is never stored.
TEST_F(Exchange, RefusedRequestsGetTheirStatusAndEndTheConnection) {
  const std::string head = "PATCH /v1/swap/alice HTTP/1.1\r\nHost: x\r\n";
  std::vector<std::pair<std::string, int>> cases = {
      {patch_request("alice", "0123456789abcde"), 400},  // bodies must end in a 16-digit token
      {patch_request("alice", "picture0123456789abcdeg"), 400},
      {patch_request("alice", "picture 123456789abcdef"), 400},
      {patch_request("mallory", "short"), 400},
      {head + "Content-Length: abc\r\n\r\n", 400},
      {head + "Content-Length: 0\r\nContent-Length: 90\r\n\r\n", 400},
      {head + "Content-Length : 0\r\n\r\n", 411},  // not the length field
      {head + "Transfer-Encoding: chunked\r\n\r\n14\r\npicture0123456789abcdef\r\n0\r\n\r\n", 411},
      {head + "Transfer-Encoding: chunked\r\nContent-Length: 5\r\n\r\n0\r\n\r\n", 411},
      {head + "\r\n", 411},
      {head + "Content-Encoding: gzip\r\nContent-Length: 16\r\n\r\n" + kToken, 415},
      {head + "Range: bytes=0-,0-,0-\r\nContent-Length: 16\r\n\r\n" + kToken, 416},
      {http_request("GET", "/index.html", ""), 404},
  };
  for (const std::string method : {"GET", "POST", "PUT", "DELETE", "OPTIONS"})
    cases.push_back({http_request(method, "/v1/swap/alice", "A" + kToken), 405});
  for (const std::string path : {"/", "/v1/swap", "/v1/swap/", "/v2/swap/alice", "/v1/swapalice", "/V1/swap/alice"})
    cases.push_back({http_request("PATCH", path, "A" + kToken), 404});
  const std::string hidden = patch_request("bob", "HIDDEN" + kToken);
  for (const auto& [refused, status] : cases) {
    SCOPED_TRACE(refused);
    RawConnection connection(port_);
    connection.send_all(refused + hidden);
    const std::string reply = connection.read_reply(std::chrono::seconds(2));
    EXPECT_EQ(reply_status(reply), status);
    if (status == 405) {
      EXPECT_NE(reply.find("\r\nAllow: PATCH\r\n"), std::string::npos);
    }
    EXPECT_TRUE(connection.closed_within(std::chrono::seconds(2)));
  }
  EXPECT_EQ(exchange("alice", "A" + kToken), std::make_pair(200, std::string()));
}

// 32 MiB, the token included, is the largest body: it travels unchanged,
// one byte more is refused from its Content-Length before any is read.
TEST_F(Exchange, BodiesAbove32MiBAre413) {
  std::string picture(32u << 20, '\0');
  for (std::size_t i = 0; i + kToken.size() < picture.size(); ++i) picture[i] = static_cast<char>(i * 7 % 256);
  picture.replace(picture.size() - kToken.size(), kToken.size(), kToken);
  EXPECT_EQ(exchange("alice", picture).first, 200);
  EXPECT_TRUE(exchange("bob", "B" + kToken).second == picture);
  RawConnection over(port_);
  over.send_all("PATCH /v1/swap/alice HTTP/1.1\r\nHost: x\r\nContent-Length: " + std::to_string(picture.size() + 1) +
                "\r\n\r\n");
  EXPECT_EQ(reply_status(over.read_reply(std::chrono::seconds(2))), 413);
  EXPECT_TRUE(over.closed_within(std::chrono::seconds(2)));
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
  RawConnection get(port_);
  get.send_all(http_request("GET", "/x", ""));
  EXPECT_EQ(reply_status(get.read_reply()), 404);
  const std::string log = log_with(4);
  EXPECT_NE(log.find(" listening on 127.0.0.1 port " + std::to_string(port_) + "\n"), std::string::npos);
  EXPECT_NE(log.find(" PATCH /v1/swap/alice 200 in=17 out=0\n"), std::string::npos);
  EXPECT_NE(log.find(" PATCH /v1/swap/mallory 201 in=17 out=0\n"), std::string::npos);
  EXPECT_NE(log.find(" GET /x 404 in=0 out=0\n"), std::string::npos);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4);
}

TEST_F(Exchange, MalformedRequestsDoNotBringItDown) {
  std::vector<std::string> hostile = {
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
  hostile.push_back(many_headers + "\r\n");
  for (const std::string& bytes : hostile) RawConnection(port_).send_all(bytes);
  EXPECT_EQ(exchange("alice", "A" + kToken).first, 200);
  EXPECT_EQ(exchange("bob", "B" + kToken), std::make_pair(200, "A" + kToken));
}

class ExchangeOptions : public Exchange {
 protected:
  void SetUp() override {}
};

TEST_F(ExchangeOptions, ListensOnTheAddressItIsGiven) {
  start({"--listen", "127.0.0.2"});
  EXPECT_NE(read_file(dir / "log.txt").find("listening on 127.0.0.2 port"), std::string::npos);
  RawConnection elsewhere(port_, "127.0.0.2", "127.0.0.2");
  ASSERT_TRUE(elsewhere.send_all(patch_request("alice", "A" + kToken)));
  EXPECT_EQ(reply_status(elsewhere.read_reply()), 200);
  EXPECT_EQ(exchange("bob", "B" + kToken).first, -1);  // nothing on 127.0.0.1
}

TEST_F(ExchangeOptions, APortInUseEndsASecondServerWithTheReason) {
  start({});
  const pid_t second = start_program({EXCHANGE_PROGRAM, "--port", std::to_string(port_), "--pairs", dir / "pairs.txt"},
                                     dir.path(), dir / "second.txt");
  EXPECT_EQ(wait_program(second), 1);
  EXPECT_NE(read_file(dir / "second.txt").find(": Address already in use"), std::string::npos)
      << read_file(dir / "second.txt");
}

TEST_F(ExchangeOptions, BadCommandLinesAndPairsFilesEndIt) {
  EXPECT_EQ(run_program({EXCHANGE_PROGRAM, "--port"}), 2);
  EXPECT_EQ(run_program({EXCHANGE_PROGRAM, "--port", "70000"}), 2);
  EXPECT_EQ(run_program({EXCHANGE_PROGRAM, "--pairs", dir / "absent.txt"}), 1);
  for (const std::string pairs : {"alice\n", "alice bob carol\n", "alice bob\nbob carol\n", "a b\na c\n"}) {
    SCOPED_TRACE(pairs);
    write_file(dir / "bad.txt", pairs);
    EXPECT_EQ(run_program({EXCHANGE_PROGRAM, "--port", "0", "--pairs", dir / "bad.txt"}), 1);
  }
}

}  // namespace
