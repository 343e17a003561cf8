// The 64 hexadecimal characters of a command line as a 32-byte key.
// Depends on libsodium's key size; reads no file.
#pragma once

#include <sodium.h>

#include <array>
#include <string>

using StreamKey = std::array<unsigned char, crypto_secretstream_xchacha20poly1305_KEYBYTES>;

// Exactly 64 characters 0-9, a-f, A-F; false for anything else.
bool parse_key_material(const std::string& hex, StreamKey& key);
