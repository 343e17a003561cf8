// libFuzzer target: encfile's format on arbitrary bytes with a fixed key:
// what the input is taken for, and its decryption. Any result but a crash:
// round trips and what the tool refuses are pinned by tests/tools.
// Depends on: tools/encfile's secret_stream and libsodium.
#include <cstdio>

#include "encfile/secret_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = sodium_init() >= 0;
  FILE* in = ready && size > 0 ? fmemopen(const_cast<uint8_t*>(data), size, "rb") : nullptr;
  if (in == nullptr) return 0;
  StreamKey key{};
  for (size_t i = 0; i < key.size(); ++i) key[i] = static_cast<unsigned char>(i * 7);
  classify_input(data, size);
  FILE* sink = std::fopen("/dev/null", "wb");
  decrypt_stream(in, sink, key);
  std::fclose(sink);
  std::fclose(in);
  return 0;
}
