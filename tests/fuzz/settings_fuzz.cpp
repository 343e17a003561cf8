// libFuzzer target: the client's settings parser on arbitrary text. Accepted
// settings must hold what the parser promises.
// Depends on: the client library's settings parser.
#include <cstdlib>
#include <sstream>
#include <string>

#include "Client/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  quillfern::client_settings parsed;
  const std::string fault = quillfern::parse_settings(in, parsed);
  if (fault.empty()) {
    std::string key = parsed.key;
    if (key.size() != 48 || !quillfern::is_hex(key) || key != parsed.key) std::abort();
    if (parsed.resolution < 1 || parsed.resolution > 3 || parsed.interval < 0 || parsed.interval > 3) std::abort();
  }
  return 0;
}
