// Where the pixels of a blit go, one axis at a time: which destination device
// positions receive a pixel and which source position each one reads. All
// arithmetic is in 64 bits, so no argument can overflow; the result never
// names a position outside the bounds or the source.
// Depends on: gdi32.h types only. Touches no pixels and knows nothing of clips or DCs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi32.h"

namespace platform::gdi {

struct AxisMap {
  int64_t lo = 0, hi = 0;      // destination positions [lo, hi) that receive a pixel
  int64_t shift = 0;           // without a table: the source of position p is p + shift
  std::vector<int32_t> table;  // stretched or mirrored: the source of position lo + k is table[k]

  bool empty() const { return lo >= hi; }
  bool translated() const { return table.empty(); }
  int64_t source(int64_t p) const { return translated() ? p + shift : table[static_cast<size_t>(p - lo)]; }
};

// The destination span at `origin` of `extent` pixels ([origin + extent, origin)
// for a negative extent) within [bound_lo, bound_hi), with no source.
AxisMap span_axis(int64_t origin, int64_t extent, int64_t bound_lo, int64_t bound_hi);

// The same span sampling the source span at `s_origin` of `s_extent` pixels
// (negative extents run the other way, which mirrors when the signs differ)
// by the rule of stretch_sampling.h, keeping the positions whose source lies
// in [0, s_size). Equal extents translate.
AxisMap map_axis(int64_t origin, int64_t extent, int64_t bound_lo, int64_t bound_hi, int64_t s_origin,
                 int64_t s_extent, int64_t s_size);

// The part of the mapped area [mx.lo, mx.hi) x [my.lo, my.hi) inside `clip`;
// right <= left or bottom <= top when there is none.
RECT clipped_area(const RECT& clip, const AxisMap& mx, const AxisMap& my);

}  // namespace platform::gdi
