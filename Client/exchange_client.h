// The HTTP client of the exchange: cpp-httplib's client object, bounded so
// that no server, however hostile, can hold the client or fill its memory.
// Depends on: cpp-httplib (its client, stream and stop hooks) and std::thread. Knows no routes and no
// meaning of replies (exchange.h).
//
// The library bounds neither how much a reply's status line and headers may
// hold (it grows a line for as long as bytes come) nor how long a whole
// exchange may take (its read time-out starts again with every byte). Two
// additions close both gaps, each through a hook the library offers:
// - every exchange's bytes pass through a counting stream, installed where
//   the library hands its socket stream to the request: a reply whose head,
//   or any one line, passes `head_limit` bytes, or whose bytes in all pass
//   `reply_limit`, ends the exchange as a failed read;
// - a watchdog thread runs beside each exchange and, once the exchange's
//   deadline passes or the program is closing, calls the library's stop(),
//   which shuts the socket down so that the waiting read or write returns at
//   once. (A connection still being made is bounded by the connection
//   time-out alone: stop() can act only once the library holds a socket.)
#pragma once

#include <httplib.h>

#include <chrono>
#include <cstddef>
#include <functional>

namespace quillfern {

struct exchange_limits {
  std::size_t head_limit = 64u << 10;
  std::size_t reply_limit = (64u << 20) + (1u << 20);  // the largest body and its framing
  // Connection, write and read time-outs of 5 s each, one after the other.
  std::chrono::milliseconds deadline{15000};
};

class exchange_client : public httplib::ClientImpl {
 public:
  // Connection, read and write time-outs of 5 s; paths are sent as given.
  // `keep_going` is asked while an exchange waits; false ends it.
  exchange_client(const std::string& host, int port, exchange_limits limits, std::function<bool()> keep_going);

  // The request, bounded as above; no reply when a bound was reached.
  httplib::Result send_bounded(httplib::Request& request);

 private:
  bool process_socket(const Socket& socket, std::function<bool(httplib::Stream&)> callback) override;

  exchange_limits limits_;
  std::function<bool()> keep_going_;
};

}  // namespace quillfern
