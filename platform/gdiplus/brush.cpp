// The flat brush calls for solid fills and deleting any brush. Depends on: the brush classes and status helpers.
// The other brush kinds are made in brush_gradient.cpp and brush_texture.cpp.
#include "gdiplus/brush.h"

#include "gdiplus/status.h"

namespace Gdiplus {

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush) {
  if (brush == nullptr) return InvalidParameter;
  return detail::guard_allocation([&] {
    *brush = new GpSolidFill(color);
    return Ok;
  });
}

GpStatus GdipDeleteBrush(GpBrush* brush) {
  if (brush == nullptr) return InvalidParameter;
  delete brush;
  return Ok;
}

}  // namespace Gdiplus
