// The exchange with the server: one PATCH request a cycle carrying the
// encrypted picture and the cycle token; the reply brings the partner's.
// Depends on: exchange_client.h (cpp-httplib); exchange.cpp also on the state, settings, tools and log.
// Takes no picture of the screen and draws nothing on the window.
#pragma once

#include <memory>
#include <string>

#include "Client/exchange_client.h"

namespace quillfern {

// "/v1/swap/" + the user name, every byte outside A-Z a-z 0-9 - . _ ~
// percent-encoded.
std::string swap_path(const std::string& user);

// What a reply (or its absence) means for the flags and the picture.
struct reply_outcome {
  enum picture_step { none, show_black, decrypt_partner } step = none;
  bool network_error = false;
  bool file_invalid = false;
  bool user_not_found = false;
  std::string partner_token;    // lower-cased, with decrypt_partner
  std::string partner_picture;  // the encrypted picture, with decrypt_partner
};
reply_outcome evaluate_reply(bool replied, int status, const std::string& body);

// The exchange step of a cycle. `token` is this cycle's token. Returns the
// seconds spent loading the partner's decrypted picture (0 when none came).
double exchange(exchange_client& client, const std::string& token);

// The client for the configured server, with the exchange's time-outs and
// bounds; an exchange in progress ends when the window closes.
std::unique_ptr<exchange_client> make_http_client();

}  // namespace quillfern
