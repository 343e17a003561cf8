// Texture brushes (GdipCreateTexture2). A texture brush keeps its own copy
// of the image part it was made from, so later changes to the image (or its
// release) do not reach it, as in GDI+. Depends on: the brush kinds and
// bitmaps. Paints nothing: paint.cpp tiles the copy.
#include <cmath>

#include "gdiplus/brush_kinds.h"
#include "gdiplus/image.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

GpStatus create_texture(GpImage* image, WrapMode wrap, INT x, INT y, INT width, INT height, GpTexture** texture) {
  auto* bitmap = dynamic_cast<GpBitmap*>(image);
  if (bitmap == nullptr || texture == nullptr || !detail::valid_wrap(wrap)) return InvalidParameter;
  if (x < 0 || y < 0 || width <= 0 || height <= 0 || INT(bitmap->width) - x < width || INT(bitmap->height) - y < height)
    return OutOfMemory;  // GDI+'s answer for a part outside the image
  return detail::guard_allocation([&] {
    auto* made = new GpTexture;
    made->width = width;
    made->height = height;
    made->wrap = wrap;
    made->pixels.reserve(size_t(width) * size_t(height));
    for (INT row = 0; row < height; ++row)
      for (INT col = 0; col < width; ++col) made->pixels.push_back(bitmap->get_pixel(x + col, y + row));
    *texture = made;
    return Ok;
  });
}

}  // namespace

GpStatus GdipCreateTexture2(GpImage* image, GpWrapMode wrap, REAL x, REAL y, REAL width, REAL height,
                            GpTexture** texture) {
  if (!(std::fabs(x) < 1e9f && std::fabs(y) < 1e9f && std::fabs(width) < 1e9f && std::fabs(height) < 1e9f))
    return InvalidParameter;
  return create_texture(image, wrap, INT(std::lround(x)), INT(std::lround(y)), INT(std::lround(width)),
                        INT(std::lround(height)), texture);
}

}  // namespace Gdiplus
