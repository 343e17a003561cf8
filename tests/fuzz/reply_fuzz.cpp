// libFuzzer target: the evaluation of an exchange reply. The first two bytes
// pick the status (one of a few that matter, or any), the rest is the body;
// the outcome must be one consistent reading of it.
// Depends on: the client library's reply evaluation.
#include <cstdlib>
#include <string>

#include "Client/exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static const int statuses[] = {200, 201, 204, 404, 500};
  const int status = data[0] < 5 ? statuses[data[0]] : data[0] * 4 + data[1];
  const bool replied = data[1] != 0;
  const std::string body(reinterpret_cast<const char*>(data + 2), size - 2);
  const quillfern::reply_outcome o = quillfern::evaluate_reply(replied, status, body);
  const int flags = o.network_error + o.file_invalid + o.user_not_found;
  if (flags > 1 || (flags == 1 && o.step != quillfern::reply_outcome::none)) std::abort();
  if (o.step == quillfern::reply_outcome::decrypt_partner) {
    if (o.partner_token.size() != 16 || o.partner_picture.size() + 16 != body.size() ||
        body.compare(0, o.partner_picture.size(), o.partner_picture) != 0)
      std::abort();
    for (char c : o.partner_token)
      if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) std::abort();
  }
  return 0;
}
