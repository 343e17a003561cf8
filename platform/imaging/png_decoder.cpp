// PNG files through libpng's simplified interface, which reports every
// libpng error as a failed call and converts any PNG to 8-bit BGRA (straight
// alpha, gamma-corrected to sRGB as a display decoder does). The size is
// checked before the pixel memory is taken.
// Depends on: libpng, decoder.h. Keeps no 16-bit depth; reads no text chunks.
#include <png.h>

#include "imaging/decoder.h"

namespace platform::imaging {

bool decode_png(const uint8_t* data, size_t size, ArgbImage& image) {
  png_image png = {};
  png.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&png, data, size) == 0) return false;
  png.format = PNG_FORMAT_BGRA;
  if (!allocate(image, png.width, png.height, size, png_pixels_per_byte)) {
    png_image_free(&png);
    return false;
  }
  // png_image_finish_read frees its own state, on success and on failure.
  return png_image_finish_read(&png, nullptr, image.pixels.get(), png_int_32(image.width * 4), nullptr) != 0;
}

}  // namespace platform::imaging
