// Axis mapping of blits. A translation keeps the source positions implicit;
// a stretch or mirror gets a table with one source column per destination
// column, computed once above the pixel loops.
// Depends on: display/stretch_sampling (the shared stretch rule). Touches no pixels.
#include "gdi/blit_geometry.h"

#include <algorithm>

#include "display/stretch_sampling.h"

namespace platform::gdi {
namespace {

int64_t span_start(int64_t origin, int64_t extent) { return extent < 0 ? origin + extent : origin; }
int64_t span_length(int64_t extent) { return extent < 0 ? -extent : extent; }

}  // namespace

AxisMap span_axis(int64_t origin, int64_t extent, int64_t bound_lo, int64_t bound_hi) {
  AxisMap m;
  const int64_t start = span_start(origin, extent);
  m.lo = std::max(start, bound_lo);
  m.hi = std::min(start + span_length(extent), bound_hi);
  return m;
}

AxisMap map_axis(int64_t origin, int64_t extent, int64_t bound_lo, int64_t bound_hi, int64_t s_origin,
                 int64_t s_extent, int64_t s_size) {
  AxisMap m = span_axis(origin, extent, bound_lo, bound_hi);
  if (extent == s_extent) {
    m.shift = span_start(s_origin, s_extent) - span_start(origin, extent);
    m.lo = std::max(m.lo, -m.shift);
    m.hi = std::min(m.hi, s_size - m.shift);
    return m;
  }
  if (m.empty()) return m;
  // Offsets count from each span's start in its own direction: a negative
  // extent starts at origin - 1 and runs towards lower positions.
  m.table.reserve(static_cast<size_t>(m.hi - m.lo));
  for (int64_t p = m.lo; p < m.hi; ++p) {
    const int64_t i = extent > 0 ? p - origin : origin - 1 - p;
    const int64_t j = display::stretch_source_offset(i, extent, s_extent);
    const int64_t s = s_extent > 0 ? s_origin + j : s_origin - 1 - j;
    m.table.push_back(s >= 0 && s < s_size ? static_cast<int32_t>(s) : -1);
  }
  // Source positions are monotonic in p, so the valid ones are contiguous.
  const auto first = std::find_if(m.table.begin(), m.table.end(), [](int32_t s) { return s >= 0; });
  const auto last = std::find_if(m.table.rbegin(), m.table.rend(), [](int32_t s) { return s >= 0; }).base();
  if (first >= last) {
    m.hi = m.lo;
    m.table.clear();
    return m;
  }
  m.lo += first - m.table.begin();
  m.hi = m.lo + (last - first);
  m.table.erase(last, m.table.end());
  m.table.erase(m.table.begin(), first);
  return m;
}

RECT clipped_area(const RECT& clip, const AxisMap& mx, const AxisMap& my) {
  return RECT{static_cast<LONG>(std::max<int64_t>(clip.left, mx.lo)), static_cast<LONG>(std::max<int64_t>(clip.top, my.lo)),
              static_cast<LONG>(std::min<int64_t>(clip.right, mx.hi)),
              static_cast<LONG>(std::min<int64_t>(clip.bottom, my.hi))};
}

}  // namespace platform::gdi
