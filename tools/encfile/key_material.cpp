// The stream key from the 64 hexadecimal digits of the command line, in
// either letter case. Depends on libsodium's key size; reads no file.
#include "key_material.h"

static_assert(crypto_secretstream_xchacha20poly1305_KEYBYTES == 32, "64 hex characters make the key");

namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool parse_key_material(const std::string& hex, StreamKey& key) {
  if (hex.size() != key.size() * 2) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    int high = hex_value(hex[2 * i]);
    int low = hex_value(hex[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    key[i] = static_cast<unsigned char>(high << 4 | low);
  }
  return true;
}
