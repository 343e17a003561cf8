// Texture and hatch brushes. A texture brush keeps its own copy of the image
// part it was made from, so later changes to the image (or its release) do
// not reach it, as in GDI+.
#include <cmath>

#include "gdiplus/brush_kinds.h"
#include "gdiplus/image.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

GpTexture* texture_brush(GpTexture* brush) { return detail::brush_of_kind(brush, BrushTypeTextureFill); }
GpHatch* hatch_brush(GpHatch* brush) { return detail::brush_of_kind(brush, BrushTypeHatchFill); }

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

GpStatus GdipCreateTexture2I(GpImage* image, GpWrapMode wrap, INT x, INT y, INT width, INT height, GpTexture** texture) {
  return create_texture(image, wrap, x, y, width, height, texture);
}

GpStatus GdipSetTextureTransform(GpTexture* brush, const GpMatrix* matrix) {
  GpTexture* texture = texture_brush(brush);
  if (texture == nullptr || matrix == nullptr || !matrix->invertible()) return InvalidParameter;
  texture->transform = *matrix;
  return Ok;
}

GpStatus GdipGetTextureTransform(GpTexture* brush, GpMatrix* matrix) {
  GpTexture* texture = texture_brush(brush);
  if (texture == nullptr || matrix == nullptr) return InvalidParameter;
  *matrix = texture->transform;
  return Ok;
}

GpStatus GdipResetTextureTransform(GpTexture* brush) {
  GpTexture* texture = texture_brush(brush);
  if (texture == nullptr) return InvalidParameter;
  texture->transform = GpMatrix();
  return Ok;
}

GpStatus GdipSetTextureWrapMode(GpTexture* brush, GpWrapMode wrap) {
  GpTexture* texture = texture_brush(brush);
  if (texture == nullptr || !detail::valid_wrap(wrap)) return InvalidParameter;
  texture->wrap = wrap;
  return Ok;
}

GpStatus GdipGetTextureWrapMode(GpTexture* brush, GpWrapMode* wrap) {
  GpTexture* texture = texture_brush(brush);
  if (texture == nullptr || wrap == nullptr) return InvalidParameter;
  *wrap = texture->wrap;
  return Ok;
}

GpStatus GdipCreateHatchBrush(HatchStyle style, ARGB foreground, ARGB background, GpHatch** brush) {
  if (brush == nullptr || !detail::in_range(style, HatchStyleHorizontal, HatchStyleDiagonalCross)) return InvalidParameter;
  return detail::guard_allocation([&] {
    *brush = new GpHatch(style, foreground, background);
    return Ok;
  });
}

GpStatus GdipGetHatchStyle(GpHatch* brush, HatchStyle* style) {
  GpHatch* hatch = hatch_brush(brush);
  if (hatch == nullptr || style == nullptr) return InvalidParameter;
  *style = hatch->style;
  return Ok;
}

GpStatus GdipGetHatchForegroundColor(GpHatch* brush, ARGB* color) {
  GpHatch* hatch = hatch_brush(brush);
  if (hatch == nullptr || color == nullptr) return InvalidParameter;
  *color = hatch->foreground;
  return Ok;
}

GpStatus GdipGetHatchBackgroundColor(GpHatch* brush, ARGB* color) {
  GpHatch* hatch = hatch_brush(brush);
  if (hatch == nullptr || color == nullptr) return InvalidParameter;
  *color = hatch->background;
  return Ok;
}

}  // namespace Gdiplus
