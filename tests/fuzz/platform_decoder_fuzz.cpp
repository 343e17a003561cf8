// libFuzzer target: one of the platform's format decoders (chosen when the
// target is built, by FUZZ_DECODER) on arbitrary bytes, directly and through
// the format recognition. Any result but a crash, a read out of bounds or an
// allocation beyond what the bytes could fill.
// Depends on: platform/imaging's decoders. Exact pictures are pinned by tests/platform_imaging.
#include "imaging/decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::imaging::ArgbImage decoded;
  platform::imaging::FUZZ_DECODER(data, size, decoded);
  platform::imaging::ArgbImage recognised;
  platform::imaging::decode(data, size, recognised);
  return 0;
}
