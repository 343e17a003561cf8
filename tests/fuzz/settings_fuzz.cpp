// libFuzzer target: the client's settings parser on arbitrary text. Any
// result but a crash: what it accepts and every error line are pinned by
// tests/client.
// Depends on: the client library's settings parser.
#include <sstream>
#include <string>

#include "Client/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  quillfern::client_settings parsed;
  quillfern::parse_settings(in, parsed);
  return 0;
}
