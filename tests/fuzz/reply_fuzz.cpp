// libFuzzer target: the evaluation of an exchange reply. The first two bytes
// pick the status (one of a few that matter, or any) and whether a reply
// came, the rest is the body. Any outcome but a crash: what each reply leads
// to is pinned by tests/client.
// Depends on: the client library's reply evaluation.
#include <string>

#include "Client/exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static const int statuses[] = {200, 201, 204, 404, 500};
  const int status = data[0] < 5 ? statuses[data[0]] : data[0] * 4 + data[1];
  quillfern::evaluate_reply(data[1] != 0, status, std::string(reinterpret_cast<const char*>(data + 2), size - 2));
  return 0;
}
