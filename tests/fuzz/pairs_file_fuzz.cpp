// libFuzzer target: the exchange server's pairs file and the decoding of
// names on arbitrary text. Any result but a crash: the pairs it accepts and
// the files it refuses are pinned by tests/tools.
// Depends on: the exchange server's pairs_file.cpp.
#include <sstream>
#include <string>

#include "exchange/pairs_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  PartnerMap partners;
  std::string error;
  read_pairs(in, partners, error);
  percent_decode(text);
  return 0;
}
