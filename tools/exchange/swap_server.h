// The HTTP side of the exchange: cpp-httplib's server and thread pool.
#pragma once

#include <httplib.h>

#include <string>

#include "swap_store.h"

// The only route: PATCH /v1/swap/<user> with the picture bytes and a
// 16-character hexadecimal token at the end. 200 with the partner's latest
// body (empty when there is none yet), 201 for a user not in the pairs file,
// 400 for a body shorter than the token or a token that is not hexadecimal,
// 404 for other paths, 405 for other methods on the swap path, 411 for a
// body without a Content-Length, 413 above 32 MiB, 414 for a path longer than
// any user name needs, 415 for a compressed body, 416 for a Range request.
class SwapServer {
 public:
  explicit SwapServer(SwapStore& store);

  // Binds; the actual port (useful with port 0), or -1 on failure.
  int bind(const std::string& address, int port);
  // Serves until stop(); false when serving could not start.
  bool serve();
  void stop() { http_.stop(); }

 private:
  void answer(const httplib::Request& request, httplib::Response& response);

  // The library listens with a backlog of 5, too short for many clients
  // connecting at once (connections then fail): listen() again, longer.
  class Http : public httplib::Server {
   public:
    bool widen_backlog();
  };

  SwapStore& store_;
  Http http_;
};
