// encfile's format: an 8-byte magic, the stream header, then 64 KiB chunks
// sealed with XChaCha20-Poly1305, the last one short and tagged final; and
// telling plain input from encrypted or damaged encrypted input by its magic.
// Depends on libsodium; opens no file itself.
#include "secret_stream.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kSealed = kChunk + crypto_secretstream_xchacha20poly1305_ABYTES;

}  // namespace

InputKind classify_input(const unsigned char* head, std::size_t size) {
  constexpr std::size_t kMinimumCompared = 4, kMostDifferences = 2;
  const std::size_t compared = std::min(size, sizeof kEncryptedMagic);
  std::size_t differences = 0;
  for (std::size_t i = 0; i < compared; ++i) differences += head[i] != kEncryptedMagic[i];
  if (compared == sizeof kEncryptedMagic && differences == 0) return InputKind::Encrypted;
  // Shorter than the magic and all of it matching is a cut magic.
  const bool damaged = compared >= kMinimumCompared && differences <= kMostDifferences &&
                       (differences > 0 || compared < sizeof kEncryptedMagic);
  return damaged ? InputKind::DamagedEncrypted : InputKind::Plain;
}

InputKind classify_input(FILE* in) {
  unsigned char head[sizeof kEncryptedMagic];
  return classify_input(head, std::fread(head, 1, sizeof head, in));
}

bool encrypt_stream(FILE* in, FILE* out, const StreamKey& key) {
  crypto_secretstream_xchacha20poly1305_state state;
  unsigned char header[crypto_secretstream_xchacha20poly1305_HEADERBYTES];
  crypto_secretstream_xchacha20poly1305_init_push(&state, header, key.data());
  if (std::fwrite(kEncryptedMagic, 1, sizeof kEncryptedMagic, out) != sizeof kEncryptedMagic ||
      std::fwrite(header, 1, sizeof header, out) != sizeof header)
    return false;

  std::vector<unsigned char> plain(kChunk), sealed(kSealed);
  for (;;) {
    const std::size_t n = std::fread(plain.data(), 1, kChunk, in);
    if (std::ferror(in)) return false;
    const bool last = n < kChunk;
    unsigned long long sealed_size = 0;
    crypto_secretstream_xchacha20poly1305_push(
        &state, sealed.data(), &sealed_size, plain.data(), n, nullptr, 0,
        last ? crypto_secretstream_xchacha20poly1305_TAG_FINAL : crypto_secretstream_xchacha20poly1305_TAG_MESSAGE);
    if (std::fwrite(sealed.data(), 1, sealed_size, out) != sealed_size) return false;
    if (last) return true;
  }
}

bool decrypt_stream(FILE* in, FILE* out, const StreamKey& key) {
  unsigned char head[sizeof kEncryptedMagic + crypto_secretstream_xchacha20poly1305_HEADERBYTES];
  if (std::fread(head, 1, sizeof head, in) != sizeof head ||
      std::memcmp(head, kEncryptedMagic, sizeof kEncryptedMagic) != 0)
    return false;
  crypto_secretstream_xchacha20poly1305_state state;
  if (crypto_secretstream_xchacha20poly1305_init_pull(&state, head + sizeof kEncryptedMagic, key.data()) != 0)
    return false;

  std::vector<unsigned char> sealed(kSealed), plain(kChunk);
  for (;;) {
    const std::size_t n = std::fread(sealed.data(), 1, kSealed, in);
    if (std::ferror(in) || n < crypto_secretstream_xchacha20poly1305_ABYTES) return false;
    unsigned long long plain_size = 0;
    unsigned char tag = 0;
    if (crypto_secretstream_xchacha20poly1305_pull(&state, plain.data(), &plain_size, &tag, sealed.data(), n,
                                                   nullptr, 0) != 0)
      return false;
    const bool last = tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL;
    // Only a short chunk may end the stream, and it must be the end of the file.
    if (last != (n < kSealed)) return false;
    if (std::fwrite(plain.data(), 1, plain_size, out) != plain_size) return false;
    if (last) return std::fgetc(in) == EOF && !std::ferror(in);
  }
}
