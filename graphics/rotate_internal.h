// Triangle mapping: the engine behind the rotating and zooming blits.
// Internal to the library.
// Depends on: frond.h. Does no selector or counting work; the callers do.
#pragma once

#include "graphics/frond.h"

namespace frond {

struct map_point {
  float x, y;
};

// How each sample is drawn: nearest texel or bilinear, zero samples skipped
// or not, and a constant alpha (0..255 blends; any other value copies).
struct map_flags {
  bool transparent;
  int alpha;
  bool smooth;
};

// Fills the destination triangle (pixel coordinates, corners on whole
// pixels) row by row from the source triangle (fractions of the source's
// size: 0 = left or top edge, 1 = right or bottom edge). Both images are
// live; rows and spans are clipped to the destination's buffer and every
// read stays inside the source's.
void maptriangle(IMAGE* dst, const IMAGE* src, const map_point dst_triangle[3], const map_point src_triangle[3],
                 map_flags flags);

}  // namespace frond
