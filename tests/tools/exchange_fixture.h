// The exchange server started as the real program on a free loopback port,
// its log read from a pipe only when a test asks, and requests and replies
// on raw connections.
// Depends on: the built quillfern-exchange, tests/support's raw connection
// and the tool process helpers; links none of the server's code.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/raw_connection.h"
#include "support/resident_memory.h"
#include "tools/tool_process.h"

inline const std::string kToken = "0123456789abcdef";

// A request with Host and Content-Length, and one to swap as `user`.
std::string http_request(const std::string& method, const std::string& path, const std::string& body);
inline std::string patch_request(const std::string& user, const std::string& body) {
  return http_request("PATCH", "/v1/swap/" + user, body);
}

// A reply's status (-1 when none came), head and body.
struct Reply {
  int status = -1;
  std::string head, body;
};
// The next reply on `connection` within `wait`.
Reply read_reply(RawConnection& connection, std::chrono::milliseconds wait = std::chrono::seconds(5));
// Sends `request` and reads its reply; no reply when it cannot be sent.
Reply ask(RawConnection& connection, const std::string& request,
          std::chrono::milliseconds wait = std::chrono::seconds(5));

// Starts the server, reads its "listening" line, and stops it with SIGTERM
// at the end, expecting a clean exit (a crash would show as 128+n).
class Exchange : public ::testing::Test {
 protected:
  void SetUp() override { start({}); }
  void TearDown() override { EXPECT_EQ(stop(), 0); }

  void start(std::vector<std::string> extra,
             const std::string& pairs = "alice bob\ncarol carol\nbob%20smith dave\na%2Bb c\n%C3%A9mile zoe\n");
  int stop();

  // A swap on a fresh connection.
  Reply exchange(const std::string& user, const std::string& body);

  // The log read so far, read on (for at most five seconds) until it holds
  // `text`. The server writes a request's line just after the reply.
  const std::string& log_until(const std::string& text);

  ScratchFolder dir;
  pid_t pid_ = -1;
  int port_ = 0;
  int log_ = -1;  // the read end of the server's standard output
  std::string log_text_;
};
