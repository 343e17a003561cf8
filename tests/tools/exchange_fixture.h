// The exchange server started as the real program on a free loopback port,
// and plain sockets to talk to it byte by byte.
// Depends on: the built quillfern-exchange and POSIX sockets;
// links none of the server's code.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "support/resident_memory.h"
#include "tools/tool_process.h"

inline const std::string kToken = "0123456789abcdef";

// A TCP connection to the server from a chosen loopback source address (the
// server limits connections per address). Every wait is bounded.
class RawConnection {
 public:
  RawConnection(int port, const std::string& source = "127.0.0.1", const std::string& server = "127.0.0.1");
  ~RawConnection();
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  bool connected() const { return fd_ >= 0; }
  // False once the peer stopped taking bytes (reset or closed).
  bool send_all(const std::string& bytes);
  void half_close();
  // The next whole reply (head and body) within `wait`; empty when none.
  std::string read_reply(std::chrono::milliseconds wait = std::chrono::seconds(5));
  // True when the server closes the connection within `wait`; unread
  // replies are skipped.
  bool closed_within(std::chrono::milliseconds wait);

 private:
  int fd_ = -1;
  std::string pending_;  // received bytes not yet handed out
};

// The status of a reply ("HTTP/1.1 200 OK..." gives 200), or 0; the body.
int reply_status(const std::string& reply);
std::string reply_body(const std::string& reply);

// A request with Host and Content-Length, and one to swap as `user`.
std::string http_request(const std::string& method, const std::string& path, const std::string& body);
inline std::string patch_request(const std::string& user, const std::string& body) {
  return http_request("PATCH", "/v1/swap/" + user, body);
}

// Starts the server, waits for its "listening" line, and stops it with
// SIGTERM at the end, expecting a clean exit (a crash would show as 128+n).
class Exchange : public ::testing::Test {
 protected:
  void SetUp() override { start({}); }
  void TearDown() override { EXPECT_EQ(stop(), 0); }

  void start(std::vector<std::string> extra, const std::string& pairs = "alice bob\ncarol carol\n");
  int stop();

  // Status and body of a swap on a fresh connection, "no reply" as status -1.
  std::pair<int, std::string> exchange(const std::string& user, const std::string& body);

  // The log once it holds `lines` lines: the server writes a request's line
  // just after the reply, so it may come a moment after the client has it.
  std::string log_with(long lines);

  ScratchFolder dir;
  pid_t pid_ = -1;
  int port_ = 0;
};
