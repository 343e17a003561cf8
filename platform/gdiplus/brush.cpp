// The flat brush calls for solid fills (create, read the colour) and
// deleting any brush. Depends on: the brush classes and status helpers.
// The other brush kinds are made in brush_gradient.cpp and brush_texture.cpp.
#include "gdiplus/brush.h"

#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

// The solid fill behind `brush`, or null when the brush is of another kind.
// The type is read through the common base, which sits at the same address.
GpSolidFill* as_solid_fill(GpSolidFill* brush) {
  if (brush == nullptr || reinterpret_cast<GpBrush*>(brush)->type() != BrushTypeSolidColor) return nullptr;
  return brush;
}

}  // namespace

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush) {
  if (brush == nullptr) return InvalidParameter;
  return detail::guard_allocation([&] {
    *brush = new GpSolidFill(color);
    return Ok;
  });
}

GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color) {
  GpSolidFill* fill = as_solid_fill(brush);
  if (fill == nullptr || color == nullptr) return InvalidParameter;
  *color = fill->color;
  return Ok;
}

GpStatus GdipDeleteBrush(GpBrush* brush) {
  if (brush == nullptr) return InvalidParameter;
  delete brush;
  return Ok;
}

}  // namespace Gdiplus
