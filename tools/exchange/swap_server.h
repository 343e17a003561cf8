// The HTTP side of the exchange, on libmicrohttpd: an event-driven server
// (a few threads, each polling many connections with epoll) that bounds
// every connection's memory (request line and headers included), the number
// of connections overall and per address, idle time and the time a whole
// request may take, and that handles pipelining and "Connection: close" as
// HTTP/1.1 says.
// Depends on: libmicrohttpd, swap_store, connection_deadlines and request_log. Reads no pairs file
// (pairs_file.h).
//
// The only route: PATCH /v1/swap/<user> with the picture bytes and a
// 16-character hexadecimal token at the end. 200 with the partner's latest
// body (empty when there is none yet), 201 for a user not in the pairs file.
// Refusals, each answered before any of the body is read, and each closing
// the connection so that nothing after the request is read as another one:
// 404 other paths, 405 other methods on the swap path, 411 a body without a
// Content-Length (chunked included), 413 a Content-Length above 32 MiB, 415
// a compressed body, 416 a Range request, 503 when the bodies being received
// already fill the server's memory budget; 400 after the body for one
// shorter than the token or a token that is not hexadecimal. Malformed
// requests (an HTTP/1.1 request without Host among them, as the library
// parses strictly) and request heads over the memory bound are answered by
// the library itself (400, 414, 431) and closed.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "connection_deadlines.h"
#include "request_log.h"
#include "swap_store.h"

struct MHD_Daemon;
struct MHD_Connection;

struct ServerLimits {
  std::chrono::seconds idle{5};          // no byte in either direction
  std::chrono::seconds whole_request{20};  // from connection start or the last answered request
};

class SwapServer {
 public:
  SwapServer(SwapStore& store, RequestLog& log, ServerLimits limits);
  ~SwapServer();  // stops serving, closing every connection
  SwapServer(const SwapServer&) = delete;
  SwapServer& operator=(const SwapServer&) = delete;

  // Listens on `address` (a numeric IPv4 or IPv6 address or a host name) and
  // starts serving; the actual port (useful with port 0), or -1 on failure.
  int start(const std::string& address, int port);

  struct Pending;

 private:
  int answer_request(MHD_Connection* connection, Pending& pending);
  int refusal(MHD_Connection* connection, Pending& pending);
  int reply(MHD_Connection* connection, Pending& pending, int status,
            std::shared_ptr<const std::string> body = nullptr);
  void completed(MHD_Connection* connection, Pending* pending);
  bool reserve_body(std::size_t size);

  friend struct ServerCallbacks;

  SwapStore& store_;
  RequestLog& log_;
  ServerLimits limits_;
  ConnectionDeadlines deadlines_;
  std::atomic<std::size_t> buffered_{0};  // bytes of bodies being received
  MHD_Daemon* daemon_ = nullptr;
};
