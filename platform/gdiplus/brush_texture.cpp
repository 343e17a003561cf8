// Texture and hatch brushes. A texture brush keeps its own copy of the image
// part it was made from, so later changes to the image (or its release) do
// not reach it, as in GDI+.
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

bool GpHatch::foreground_at(int x, int y) const {
  switch (style) {
    case HatchStyleHorizontal:
      return y == 0;
    case HatchStyleVertical:
      return x == 0;
    case HatchStyleForwardDiagonal:
      return x == y;
    case HatchStyleBackwardDiagonal:
      return x == 7 - y;
    case HatchStyleCross:
      return x == 0 || y == 0;
    case HatchStyleDiagonalCross:
      return x == y || x == 7 - y;
  }
  return false;
}

GpStatus GdipCreateTexture(GpImage* image, GpWrapMode wrap, GpTexture** texture) {
  if (image == nullptr) return InvalidParameter;
  return create_texture(image, wrap, 0, 0, INT(image->width), INT(image->height), texture);
}

GpStatus GdipCreateTexture2(GpImage* image, GpWrapMode wrap, REAL x, REAL y, REAL width, REAL height,
                            GpTexture** texture) {
  if (!(std::fabs(x) < 1e9f && std::fabs(y) < 1e9f && std::fabs(width) < 1e9f && std::fabs(height) < 1e9f))
    return InvalidParameter;
  return create_texture(image, wrap, INT(std::lround(x)), INT(std::lround(y)), INT(std::lround(width)),
                        INT(std::lround(height)), texture);
}

GpStatus GdipCreateHatchBrush(HatchStyle style, ARGB foreground, ARGB background, GpHatch** brush) {
  if (brush == nullptr || !detail::in_range(style, HatchStyleHorizontal, HatchStyleDiagonalCross)) return InvalidParameter;
  return detail::guard_allocation([&] {
    *brush = new GpHatch(style, foreground, background);
    return Ok;
  });
}

}  // namespace Gdiplus
