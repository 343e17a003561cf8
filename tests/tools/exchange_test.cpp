// quillfern-exchange, started as the real program on a free loopback port:
// pairing, names, the status of every refused request, the body limit, the
// log and the command line. (Requests the HTTP library cannot parse are its
// part; requests that never finish are the hostile tests'.)
// Depends on: the exchange fixture.
#include <algorithm>

#include "tools/exchange_fixture.h"

namespace {

// Partners receive each other's latest body, a self-paired user its own,
// an unknown user 201; names are percent-decoded (a malformed escape is
// kept as it is) and case-sensitive, and '+' is no blank in a path; a token
// may be alone, and of either case (the body "P" carries it in capitals).
TEST_F(Exchange, SwapsGiveEachTheirPartnersLatestBody) {
  const struct {
    const char* user;
    std::string body;
    int status;
    std::string reply;
  } swaps[] = {
      {"alice", "A1", 200, ""},          {"mallory", "M", 201, ""},       {"Alice", "M", 201, ""},
      {"bob", "B1", 200, "A1"},          {"alice", "A2", 200, "B1"},      {"alice", "A3", 200, "B1"},
      {"bob", "B2", 200, "A3"},          {"carol", "C1", 200, "C1"},      {"carol", "C2", 200, "C2"},
      {"alice", "", 200, "B2"},          {"alice", "P", 200, "B2"},       {"bob", "B", 200, "P"},
      {"bob%20smith", "S", 200, ""},     {"dave", "D", 200, "S"},         {"bob+smith", "X", 201, ""},
      {"a%2Bb", "P", 200, ""},           {"c", "C", 200, "P"},            {"%C3%A9mile", "E", 200, ""},
      {"zoe", "Z", 200, "E"},            {"%00", "N", 201, ""},           {"%zz%%%0", "N", 201, ""},
  };
  for (const auto& s : swaps) {
    SCOPED_TRACE(std::string(s.user) + " sends " + s.body);
    const std::string token = s.body == "P" ? "0123456789ABCDEF" : kToken;
    const Reply reply = exchange(s.user, s.body + token);
    EXPECT_EQ(reply.status, s.status);
    EXPECT_EQ(reply.body, s.reply.empty() ? "" : s.reply + (s.reply == "P" ? "0123456789ABCDEF" : kToken));
  }
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
  for (const auto& [refused, status] : cases) {
    SCOPED_TRACE(refused);
    RawConnection connection(port_);
    const Reply reply = ask(connection, refused + patch_request("bob", "HIDDEN" + kToken), std::chrono::seconds(2));
    EXPECT_EQ(reply.status, status);
    EXPECT_EQ(reply.head.find("\r\nAllow: PATCH\r\n") != std::string::npos, status == 405);
    EXPECT_TRUE(connection.closed_within(std::chrono::seconds(2)));
  }
  EXPECT_EQ(exchange("alice", "A" + kToken).body, "");
}

// 32 MiB, the token included, is the largest body: it travels unchanged,
// one byte more is refused from its Content-Length before any is read.
TEST_F(Exchange, BodiesAbove32MiBAre413) {
  std::string picture(32u << 20, '\0');
  for (std::size_t i = 0; i + kToken.size() < picture.size(); ++i) picture[i] = static_cast<char>(i * 7 % 256);
  picture.replace(picture.size() - kToken.size(), kToken.size(), kToken);
  EXPECT_EQ(exchange("alice", picture).status, 200);
  EXPECT_TRUE(exchange("bob", "B" + kToken).body == picture);
  RawConnection over(port_);
  const std::string head = "PATCH /v1/swap/alice HTTP/1.1\r\nHost: x\r\nContent-Length: " + std::to_string(picture.size() + 1);
  EXPECT_EQ(ask(over, head + "\r\n\r\n", std::chrono::seconds(2)).status, 413);
  EXPECT_TRUE(over.closed_within(std::chrono::seconds(2)));
}

TEST_F(Exchange, LogsOneLinePerRequest) {
  exchange("alice", "A" + kToken);
  exchange("mallory", "M" + kToken);
  RawConnection get(port_);
  EXPECT_EQ(ask(get, http_request("GET", "/x", "")).status, 404);
  const std::string lines[] = {" listening on 127.0.0.1 port " + std::to_string(port_) + "\n",
                               " PATCH /v1/swap/alice 200 in=17 out=0\n", " PATCH /v1/swap/mallory 201 in=17 out=0\n",
                               " GET /x 404 in=0 out=0\n"};
  for (const std::string& line : lines) EXPECT_NE(log_until(line).find(line), std::string::npos);
  EXPECT_EQ(std::count(log_text_.begin(), log_text_.end(), '\n'), 4);
}

TEST_F(Exchange, ListensOnTheAddressItIsGiven) {
  ASSERT_EQ(stop(), 0);
  start({"--listen", "127.0.0.2"});
  EXPECT_NE(log_text_.find("listening on 127.0.0.2 port"), std::string::npos);
  RawConnection elsewhere(port_, "127.0.0.2", "127.0.0.2");
  EXPECT_EQ(ask(elsewhere, patch_request("alice", "A" + kToken)).status, 200);
  EXPECT_EQ(exchange("bob", "B" + kToken).status, -1);  // nothing on 127.0.0.1
}

// A second server on the first one's port ends with status 2 and the usage
// for a bad command line, with 1 and the reason for a bad pairs file (read
// before the port, so one wrongly accepted ends on the busy port, not never).
TEST_F(Exchange, BadCommandLinesPairsFilesAndABusyPortEndIt) {
  const struct {
    std::vector<std::string> args;
    const char* pairs;
    int status;
    std::string says;
  } runs[] = {
      {{"--port"}, "a b\n", 2, "usage: "},           {{"--port", "70000"}, "a b\n", 2, "usage: "},
      {{"--pairs", "absent"}, "a b\n", 1, "absent"}, {{}, "a b\n", 1, "already in use"},
      {{}, "alice\n", 1, "bad.txt: "},               {{}, "alice bob carol\n", 1, "bad.txt: "},
      {{}, "alice bob\nbob carol\n", 1, "bad.txt: "}, {{}, "a b\nc a\n", 1, "bad.txt: "},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(&run - runs);
    std::vector<std::string> argv = {EXCHANGE_PROGRAM, "--port", std::to_string(port_), "--pairs", "bad.txt"};
    argv.insert(argv.end(), run.args.begin(), run.args.end());
    write_file(dir / "bad.txt", run.pairs);
    write_file(dir / "said.txt", "");
    EXPECT_EQ(wait_program(start_program(argv, dir.path(), dir / "said.txt")), run.status);
    EXPECT_NE(read_file(dir / "said.txt").find(run.says), std::string::npos) << read_file(dir / "said.txt");
  }
}

}  // namespace
