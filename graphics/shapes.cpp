// Helpers of the GDI shape functions: the DC of a drawing call (counting a
// change for selector 0), float-to-int conversion that refuses non-finite
// values and clamps, and the DC's current position.
// Depends on: state (selectors, change counting). Draws nothing.

#include <cmath>

#include "graphics/shapes.h"
#include "graphics/state.h"

namespace frond {

HDC shape_dc(IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  return image ? image->dc : nullptr;
}

bool truncate_to_int(double v, int* out) {
  if (!std::isfinite(v)) return false;
  *out = v <= INT32_MIN ? INT32_MIN : v >= INT32_MAX ? INT32_MAX : int(v);
  return true;
}

POINT current_position(HDC dc) {
  POINT p{0, 0};
  GetCurrentPositionEx(dc, &p);
  return p;
}

}  // namespace frond
