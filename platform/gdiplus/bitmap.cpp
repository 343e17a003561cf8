// Bitmaps: creation over caller memory or owned memory, and single-pixel
// access with conversion between straight ARGB and the stored format.
// Depends on: image, status. Decodes no files (bitmap_decode) and draws nothing.
#include <algorithm>
#include <climits>
#include <cstring>

#include "gdiplus/image.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace detail {

UINT supported_bits_per_pixel(PixelFormat format) {
  switch (format) {
    case PixelFormat24bppRGB:
      return 24;
    case PixelFormat32bppRGB:
    case PixelFormat32bppARGB:
    case PixelFormat32bppPARGB:
      return 32;
    default:
      return 0;
  }
}

}  // namespace detail

namespace {

ARGB compose(UINT a, UINT r, UINT g, UINT b) { return (a << 24) | (r << 16) | (g << 8) | b; }

ARGB premultiply(ARGB color) {
  const UINT a = color >> 24;
  auto scale = [a](UINT c) { return (c * a + 127) / 255; };
  return compose(a, scale((color >> 16) & 0xFF), scale((color >> 8) & 0xFF), scale(color & 0xFF));
}

ARGB unpremultiply(ARGB color) {
  const UINT a = color >> 24;
  if (a == 0) return 0;
  auto scale = [a](UINT c) { return std::min<UINT>(255, (c * 255 + a / 2) / a); };
  return compose(a, scale((color >> 16) & 0xFF), scale((color >> 8) & 0xFF), scale(color & 0xFF));
}

}  // namespace

ARGB GpBitmap::get_pixel(INT x, INT y) const {
  const BYTE* p = row(y) + std::ptrdiff_t(x) * (detail::supported_bits_per_pixel(format) / 8);
  if (format == PixelFormat24bppRGB) return compose(0xFF, p[2], p[1], p[0]);
  ARGB word;
  std::memcpy(&word, p, sizeof word);
  switch (format) {
    case PixelFormat32bppPARGB:
      return unpremultiply(word);
    case PixelFormat32bppRGB:
      return word | 0xFF000000u;
    default:
      return word;
  }
}

void GpBitmap::set_pixel(INT x, INT y, ARGB color) {
  BYTE* p = row(y) + std::ptrdiff_t(x) * (detail::supported_bits_per_pixel(format) / 8);
  if (format == PixelFormat24bppRGB) {
    p[0] = BYTE(color);
    p[1] = BYTE(color >> 8);
    p[2] = BYTE(color >> 16);
    return;
  }
  const ARGB word = format == PixelFormat32bppPARGB ? premultiply(color)
                    : format == PixelFormat32bppRGB ? (color | 0xFF000000u)
                                                     : color;
  std::memcpy(p, &word, sizeof word);
}

// With `scan0` the stride must be a multiple of 4 (either sign) covering a
// whole row; without it the stride argument is ignored and rows are padded to 4 bytes.
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                   GpBitmap** bitmap) {
  const UINT bits = detail::supported_bits_per_pixel(format);
  if (bitmap == nullptr || width <= 0 || height <= 0 || bits == 0) return InvalidParameter;
  const long long row_bytes = static_cast<long long>(width) * (bits / 8);
  if (scan0 != nullptr) {
    const long long span = stride < 0 ? -static_cast<long long>(stride) : stride;
    if (stride % 4 != 0 || span < row_bytes) return InvalidParameter;
    return detail::guard_allocation([&] {
      *bitmap = new GpBitmap(width, height, format, scan0, stride, nullptr);
      return Ok;
    });
  }
  const long long padded = (row_bytes + 3) / 4 * 4;
  if (padded * height > INT_MAX) return OutOfMemory;
  return detail::guard_allocation([&] {
    std::unique_ptr<BYTE[]> storage(new BYTE[size_t(padded * height)]());
    BYTE* first_row = storage.get();
    *bitmap = new GpBitmap(width, height, format, first_row, INT(padded), std::move(storage));
    return Ok;
  });
}

}  // namespace Gdiplus
