// The exchange server's pairs file: one pair of percent-encoded names a line,
// each user in at most one pair. Depends on the C++ library only.
#include "pairs_file.h"

#include <sstream>

namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string percent_decode(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex_digit(text[i + 1]) >= 0 && hex_digit(text[i + 2]) >= 0) {
      out += static_cast<char>(hex_digit(text[i + 1]) << 4 | hex_digit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool read_pairs(std::istream& in, PartnerMap& partners, std::string& error) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream fields(line);
    std::string first, second, extra;
    if (!(fields >> first) || first[0] == '#') continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    if (!(fields >> second) || (fields >> extra)) {
      error = where + "expected two user names";
      return false;
    }
    const std::string a = percent_decode(first), b = percent_decode(second);
    if (partners.count(a) || (a != b && partners.count(b))) {
      error = where + "a user is already paired";
      return false;
    }
    partners[a] = b;
    partners[b] = a;
  }
  return true;
}
