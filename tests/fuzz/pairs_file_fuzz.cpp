// libFuzzer target: the exchange server's pairs file on arbitrary text.
// Whatever it accepts pairs every user both ways.
// Depends on: the exchange server's pairs_file.cpp.
#include <cstdlib>
#include <sstream>
#include <string>

#include "exchange/pairs_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  PartnerMap partners;
  std::string error;
  if (read_pairs(in, partners, error))
    for (const auto& [user, partner] : partners)
      if (partners.count(partner) == 0 || partners.at(partner) != user) std::abort();
  percent_decode(text);
  return 0;
}
