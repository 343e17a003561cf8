// libFuzzer target: pngslim's reading and writing on arbitrary bytes. A file
// it can read must come back, after its rewrite, with the same pixels.
// Depends on: pngslim's png_decode and common/png_encode. The tool's files and exit statuses are left
// to tests/tools.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/png_encode.h"
#include "pngslim/png_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FILE* in = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  RgbaImage image;
  const bool decoded = in != nullptr && decode_png(in, image);
  if (in) std::fclose(in);
  if (!decoded || size_t(image.width) * image.height > (1u << 20)) return 0;
  const RgbaImage original = image;
  const int channels = drop_opaque_alpha(image);
  char* buffer = nullptr;
  size_t length = 0;
  FILE* out = open_memstream(&buffer, &length);
  const bool encoded = encode_png(out, image.pixels.data(), image.width, image.height, channels);
  std::fclose(out);
  RgbaImage again;
  FILE* written = encoded ? fmemopen(buffer, length, "rb") : nullptr;
  const bool reread = written != nullptr && decode_png(written, again);
  if (written) std::fclose(written);
  std::free(buffer);
  if (!encoded || !reread || again.width != original.width || again.height != original.height ||
      again.pixels != original.pixels)
    std::abort();
  return 0;
}
