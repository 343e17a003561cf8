// Integer rectangles and points: normalising, intersection, union, growing
// to include points, bounds, clamping and limiting to the 32-bit range.
// Depends on nothing; touches no image and allocates nothing.
//
// Coordinate sums wrap at 32 bits (computed unsigned, so wrapping is
// defined); only clamping and limiting guard against overflow.

#include <algorithm>
#include <climits>

#include "graphics/frond.h"

namespace frond {
namespace {

int32_t add(int32_t a, int32_t b) { return int32_t(uint32_t(a) + uint32_t(b)); }
int32_t sub(int32_t a, int32_t b) { return int32_t(uint32_t(a) - uint32_t(b)); }

bool empty(const intrect& r) { return r.width == 0 || r.height == 0; }

int32_t right(const intrect& r) { return add(r.x, r.width); }
int32_t bottom(const intrect& r) { return add(r.y, r.height); }

// Normalises one axis: a negative extent ends at `origin` inclusive.
void normalize_axis(int32_t& origin, int32_t& extent) {
  if (extent >= 0) return;
  origin = add(add(origin, extent), 1);
  extent = sub(0, extent);
}

// Cuts one axis of a rectangle to lo_bound..hi_bound (inclusive), keeping a
// leftward (negative) extent leftward.
void clamp_axis(int32_t& origin, int32_t& extent, int32_t lo_bound, int32_t hi_bound) {
  if (lo_bound > hi_bound) {
    extent = 0;
    return;
  }
  if (extent == 0) {
    origin = lo_bound;
    return;
  }
  if (extent > 0) {
    // Last covered cell, unless it lies beyond the 32-bit range.
    const bool fits = uint32_t(extent - 1) <= uint32_t(INT32_MAX) - uint32_t(origin);
    const int64_t hi = fits ? std::min<int64_t>(hi_bound, int64_t(origin) + extent - 1) : hi_bound;
    const int64_t lo = std::max(lo_bound, origin);
    origin = int32_t(lo);
    extent = hi < lo ? 0 : int32_t(hi - lo + 1);
  } else {
    // First covered cell, unless it lies below the 32-bit range.
    const bool fits = uint32_t(-int64_t(extent) - 1) <= uint32_t(int64_t(origin) - INT32_MIN);
    const int64_t lo = fits ? std::max<int64_t>(lo_bound, int64_t(origin) + extent + 1) : lo_bound;
    const int64_t hi = std::min(hi_bound, origin);
    origin = int32_t(hi);
    extent = hi < lo ? 0 : int32_t(lo - hi - 1);
  }
}

// Shortens one axis so that every covered cell is a 32-bit coordinate.
void limit_axis(int32_t origin, int32_t& extent) {
  if (extent > 0) {
    const uint32_t room = uint32_t(INT32_MAX) - uint32_t(origin);  // cells after `origin`
    if (uint32_t(extent - 1) > room) extent = int32_t(room + 1);
  } else if (extent < 0) {
    const uint32_t room = uint32_t(int64_t(origin) - INT32_MIN);  // cells before `origin`
    if (uint32_t(-int64_t(extent) - 1) > room) extent = int32_t(-int64_t(room) - 1);
  }
}

}  // namespace

intrect intrect_normalized(const intrect& r) {
  intrect n = r;
  normalize_axis(n.x, n.width);
  normalize_axis(n.y, n.height);
  return n;
}

intrect intrect_intersection(const intrect& a_in, const intrect& b_in) {
  if (empty(a_in) || empty(b_in)) return {0, 0, 0, 0};
  const intrect a = intrect_normalized(a_in), b = intrect_normalized(b_in);
  if (right(a) > b.x && a.x < right(b) && bottom(a) > b.y && a.y < bottom(b)) {
    const int32_t x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    return {x, y, sub(std::min(right(a), right(b)), x), sub(std::min(bottom(a), bottom(b)), y)};
  }
  return {0, 0, 0, 0};
}

intrect& intrect_intersect(intrect& a, const intrect& b) {
  a = intrect_intersection(a, b);
  return a;
}

intrect intrect_union(const intrect& a_in, const intrect& b_in) {
  if (empty(b_in)) return a_in;
  if (empty(a_in)) return b_in;
  const intrect a = intrect_normalized(a_in), b = intrect_normalized(b_in);
  const int32_t x = std::min(a.x, b.x), y = std::min(a.y, b.y);
  return {x, y, sub(std::max(right(a), right(b)), x), sub(std::max(bottom(a), bottom(b)), y)};
}

intrect& intrect_unite(intrect& a, const intrect& b) {
  a = intrect_union(a, b);
  return a;
}

intrect& intrect_unite(intrect& a, int x, int y, int width, int height) {
  return intrect_unite(a, intrect{x, y, width, height});
}

intrect& intrect_include(intrect& a, const intpoint& p) {
  if (empty(a)) {
    a = {p.x, p.y, 1, 1};
    return a;
  }
  if (p.x < a.x) {
    a.width = add(a.width, sub(a.x, p.x));
    a.x = p.x;
  } else if (p.x >= right(a)) {
    a.width = sub(add(p.x, 1), a.x);
  }
  if (p.y < a.y) {
    a.height = add(a.height, sub(a.y, p.y));
    a.y = p.y;
  } else if (p.y >= bottom(a)) {
    a.height = sub(add(p.y, 1), a.y);
  }
  return a;
}

intrect& intrect_include(intrect& a, const intpoint* points, int count) {
  if (points == nullptr || count < 1) return a;
  const intrect bounds = intrect_bounds(points, count);
  a = empty(a) ? bounds : intrect_union(a, bounds);
  return a;
}

intrect intrect_bounds(const intpoint* points, int count) {
  if (points == nullptr || count < 1) return {0, 0, 0, 0};
  intpoint lo = points[0], hi = points[0];
  for (int i = 1; i < count; ++i) {
    lo = {std::min(lo.x, points[i].x), std::min(lo.y, points[i].y)};
    hi = {std::max(hi.x, points[i].x), std::max(hi.y, points[i].y)};
  }
  return {lo.x, lo.y, add(sub(hi.x, lo.x), 1), add(sub(hi.y, lo.y), 1)};
}

intrect intrect_frompoints(const intpoint& p1, const intpoint& p2) {
  const intpoint points[2] = {p1, p2};
  return intrect_bounds(points, 2);
}

intrect& intrect_clampx(intrect& r, int xmin, int xmax) {
  clamp_axis(r.x, r.width, xmin, xmax);
  return r;
}

intrect& intrect_clampy(intrect& r, int ymin, int ymax) {
  clamp_axis(r.y, r.height, ymin, ymax);
  return r;
}

intrect& intrect_clamp(intrect& r, int xmin, int xmax, int ymin, int ymax) {
  return intrect_clampy(intrect_clampx(r, xmin, xmax), ymin, ymax);
}

intrect& intrect_limitwidth(intrect& r) {
  limit_axis(r.x, r.width);
  return r;
}

intrect& intrect_limitheight(intrect& r) {
  limit_axis(r.y, r.height);
  return r;
}

intrect& intrect_limit(intrect& r) { return intrect_limitheight(intrect_limitwidth(r)); }

}  // namespace frond
