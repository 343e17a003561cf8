// libFuzzer target: encfile's format on arbitrary bytes with a fixed key:
// what the input is taken for, its decryption (which must fail or give back
// what was sealed) and a round trip of the bytes as a plaintext.
// Depends on: tools/encfile's secret_stream and libsodium. The tool's files and exit statuses are left
// to tests/tools.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "encfile/secret_stream.h"

namespace {

// Runs `direction` from `bytes` into memory; false when it fails.
bool run(bool (*direction)(FILE*, FILE*, const StreamKey&), const std::string& bytes, const StreamKey& key,
         std::string& out) {
  FILE* in = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
  if (in == nullptr) return bytes.empty() && direction != decrypt_stream && (out.clear(), true);
  char* buffer = nullptr;
  size_t length = 0;
  FILE* sink = open_memstream(&buffer, &length);
  const bool done = direction(in, sink, key);
  std::fclose(sink);
  std::fclose(in);
  out.assign(buffer, length);
  std::free(buffer);
  return done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = sodium_init() >= 0;
  if (!ready) return 0;
  StreamKey key{};
  for (size_t i = 0; i < key.size(); ++i) key[i] = static_cast<unsigned char>(i * 7);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const InputKind kind = classify_input(data, size);
  if (kind == InputKind::Encrypted && (size < 8 || std::memcmp(data, kEncryptedMagic, 8) != 0)) std::abort();
  std::string opened;
  run(decrypt_stream, bytes, key, opened);
  std::string sealed, back;
  if (!bytes.empty() && (!run(encrypt_stream, bytes, key, sealed) || !run(decrypt_stream, sealed, key, back) ||
                         back != bytes))
    std::abort();
  return 0;
}
