// Format recognition by signature (BMP, JPEG, GIF, TIFF, PNG) and the pixel
// allocation every decoder shares, refused when the header announces more
// pixels than the file's bytes could fill. Depends on: the format decoders.
// Decodes nothing itself.
#include "imaging/decoder.h"

#include <cstring>
#include <new>

namespace platform::imaging {
namespace {

bool starts_with(const uint8_t* data, size_t size, const char* signature, size_t length) {
  return size >= length && std::memcmp(data, signature, length) == 0;
}

}  // namespace

bool fits_data(uint64_t width, uint64_t height, size_t data_size, uint64_t pixels_per_byte) {
  return width * height <= uint64_t(data_size) * pixels_per_byte;
}

bool allocate(ArgbImage& image, uint64_t width, uint64_t height, size_t data_size, uint64_t pixels_per_byte) {
  if (width == 0 || height == 0 || width > max_side || height > max_side) return false;
  if (!fits_data(width, height, data_size, pixels_per_byte)) return false;
  image.pixels.reset(new (std::nothrow) uint8_t[size_t(width) * size_t(height) * 4]);
  if (!image.pixels) return false;
  image.width = uint32_t(width);
  image.height = uint32_t(height);
  return true;
}

decode_result decode(const uint8_t* data, size_t size, ArgbImage& image) {
  bool (*decoder)(const uint8_t*, size_t, ArgbImage&) = nullptr;
  if (starts_with(data, size, "BM", 2))
    decoder = decode_bmp;
  else if (starts_with(data, size, "\xFF\xD8\xFF", 3))
    decoder = decode_jpeg;
  else if (starts_with(data, size, "GIF87a", 6) || starts_with(data, size, "GIF89a", 6))
    decoder = decode_gif;
  else if (starts_with(data, size, "II*\0", 4) || starts_with(data, size, "MM\0*", 4))
    decoder = decode_tiff;
  else if (starts_with(data, size, "\x89PNG\r\n\x1A\n", 8))
    decoder = decode_png;
  if (decoder == nullptr) return decode_result::unknown_format;
  return decoder(data, size, image) ? decode_result::ok : decode_result::failed;
}

}  // namespace platform::imaging
