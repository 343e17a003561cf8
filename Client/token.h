// Cycle tokens: 16 lower-case hexadecimal digits of a 64-bit Mersenne
// Twister draw whose top bit carries the sender's chat flag.
// Depends on the C++ library only.
#pragma once

#include <random>
#include <string>

namespace quillfern {

// The next token of `engine` with bit 63 set exactly when `chat`.
std::string make_token(std::mt19937_64& engine, bool chat);
// The token of a partner who was chatting: its first digit is 8 to f.
bool token_says_chat(const std::string& token);

}  // namespace quillfern
