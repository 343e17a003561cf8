// The one nearest-neighbour sampling rule shared by every stretch of the
// platform (StretchBlt in COLORONCOLOR mode, AlphaBlend, GDI+ nearest
// neighbour): destination column i of a span of `dst_extent` pixels takes the
// source column whose centre is nearest to the centre of column i mapped into
// the source span of `src_extent` pixels. Negative extents mirror.
// Depends on nothing; reads no pixels (the callers do).
#pragma once

#include <cstdint>

namespace platform::display {

// Offset into the source span (0 .. |src_extent| - 1, counted from the span's
// start in its own direction) for destination offset i (0 .. |dst_extent| - 1).
// Exact for every extent an int can hold: with |extents| <= 2^31 the product
// (2i + 1) * s stays below 2^63.
inline int64_t stretch_source_offset(int64_t i, int64_t dst_extent, int64_t src_extent) {
  const int64_t d = dst_extent < 0 ? -dst_extent : dst_extent;
  const int64_t s = src_extent < 0 ? -src_extent : src_extent;
  return ((2 * i + 1) * s) / (2 * d);
}

}  // namespace platform::display
