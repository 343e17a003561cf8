// libFuzzer target: pngslim's reading, and its writing of what it read, on
// arbitrary bytes. Any result but a crash: the pixels it keeps and the
// files it writes are pinned by tests/tools.
// Depends on: pngslim's png_decode and common/png_encode.
#include <cstdio>

#include "common/png_encode.h"
#include "pngslim/png_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* in = size > 0 ? fmemopen(const_cast<uint8_t*>(data), size, "rb") : nullptr;
  if (in == nullptr) return 0;
  RgbaImage image;
  const bool decoded = decode_png(in, image);
  std::fclose(in);
  if (!decoded || size_t(image.width) * image.height > (1u << 20)) return 0;
  const int channels = drop_opaque_alpha(image);
  FILE* out = std::fopen("/dev/null", "wb");
  encode_png(out, image.pixels.data(), image.width, image.height, channels);
  std::fclose(out);
  return 0;
}
