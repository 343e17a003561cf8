// Reads a PNG with libpng into 8-bit RGB or RGBA pixels (png_decode.h).
// Depends on: libpng. Encodes nothing (common/png_encode).
//
// libpng reports errors by longjmp to the setjmp below; everything with a
// destructor is built before setjmp so that nothing is skipped on the way out.
#include "png_decode.h"

#include <png.h>

namespace {

// Pictures far larger than any screen are refused before memory is committed.
constexpr std::uint32_t kMaxSide = 16384;
constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 26;

}  // namespace

bool decode_png(FILE* in, RgbaImage& image) {
  std::vector<png_bytep> rows;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_init_io(png, in);
  png_read_info(png, info);

  const bool has_alpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0 ||
                         png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_expand(png);
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  image.channels = has_alpha ? 4 : 3;
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  image.width = png_get_image_width(png, info);
  image.height = png_get_image_height(png, info);
  if (std::uint64_t(image.width) * image.height > kMaxPixels) png_error(png, "picture too large");
  const std::size_t stride = std::size_t(image.width) * image.channels;
  if (png_get_rowbytes(png, info) != stride) png_error(png, "unexpected row layout");
  image.pixels.resize(stride * image.height);
  rows.resize(image.height);
  for (std::uint32_t y = 0; y < image.height; ++y) rows[y] = image.pixels.data() + y * stride;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

int drop_opaque_alpha(RgbaImage& image) {
  std::vector<std::uint8_t>& p = image.pixels;
  if (image.channels == 3) return 3;
  for (std::size_t i = 3; i < p.size(); i += 4)
    if (p[i] != 0xFF) return 4;
  std::size_t out = 0;
  for (std::size_t i = 0; i < p.size(); i += 4) {
    p[out++] = p[i];
    p[out++] = p[i + 1];
    p[out++] = p[i + 2];
  }
  p.resize(out);
  image.channels = 3;
  return 3;
}
