// Helpers shared by the GDI shape functions. Internal to the library.
// Depends on: frond.h, GDI. Draws nothing itself.
#pragma once

#include <cstdint>

#include "graphics/frond.h"

namespace frond {

// The image's DC for one drawing call: selector 0 counts one change first;
// null when there is no image or it has no DC.
HDC shape_dc(IMAGE* img);

// Which of the DC's pen and brush take part in a shape.
enum class shape_variant { outline_and_fill, outline_only, fill_only };

// Runs draw() with the stock hollow brush (outline only) or the stock null
// pen (fill only) selected for the call, then selects the DC's own back.
template <class Draw>
void draw_variant(HDC dc, shape_variant variant, Draw draw) {
  if (variant == shape_variant::outline_and_fill) {
    draw();
    return;
  }
  const bool outline = variant == shape_variant::outline_only;
  HGDIOBJ stand_in = GetStockObject(outline ? HOLLOW_BRUSH : NULL_PEN);
  HGDIOBJ previous = SelectObject(dc, stand_in);
  draw();
  SelectObject(dc, previous);
}

// A 64-bit value cut to the int range.
inline int clamp_int(int64_t v) { return int(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v); }

// A float or double truncated toward zero into the int range; false when it is not finite.
bool truncate_to_int(double v, int* out);

// The integer current position of the image's DC.
POINT current_position(HDC dc);

}  // namespace frond
