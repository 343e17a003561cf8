// Cycle tokens: 16 lower-case hexadecimal digits drawn from the generator, the top bit saying whether
// the cycle carries a chat line, and that bit read back from a token.
// Depends on: the standard library only. Takes no lock: the cycle holds the state's lock around it.

#include "Client/token.h"

namespace quillfern {

std::string make_token(std::mt19937_64& engine, bool chat) {
  uint64_t value = engine();
  value = chat ? value | (uint64_t{1} << 63) : value & ~(uint64_t{1} << 63);
  static const char digits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) text[size_t(i)] = digits[value & 15];
  return text;
}

bool token_says_chat(const std::string& token) {
  const char first = token.empty() ? '0' : token[0];
  return (first >= '8' && first <= '9') || (first >= 'a' && first <= 'f');
}

}  // namespace quillfern
