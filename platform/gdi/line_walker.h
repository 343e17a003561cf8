// The pixels of a one-pixel (cosmetic) line. The pixel set of a segment is
// worked out from its two end points in a fixed order (left to right along
// the major axis, halves rounded to the smaller minor coordinate), so a line drawn in either
// direction covers the same pixels apart from its end pixel; horizontal,
// vertical and 45-degree lines are exact. Clipping cuts the range of steps,
// found exactly, before the loop, so the pixels inside the clip never change.
// Depends on: gdi32.h types only. Paints nothing itself: the caller's plot function does.
#pragma once

#include <algorithm>
#include <cstdint>
#include <type_traits>

#include "platform/gdi32.h"

namespace platform::gdi {

namespace line_detail {

// floor(a / b) for b > 0.
inline __int128 floor_div(__int128 a, __int128 b) {
  __int128 q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}

// First t in [lo, hi] with pred(t) (pred false then true), or hi + 1.
template <class Pred>
int64_t first_true(int64_t lo, int64_t hi, Pred pred) {
  int64_t a = lo, b = hi + 1;
  while (a < b) {
    const int64_t mid = a + (b - a) / 2;
    if (pred(mid)) b = mid; else a = mid + 1;
  }
  return a;
}

}  // namespace line_detail

// Calls plot(x, y, index) for every pixel of the line from (x0, y0) up to,
// not including, (x1, y1) that lies in `clip` (device coordinates); index
// counts pixels from the start of the line. Nothing for a zero-length line.
template <class Plot>
void walk_line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const RECT& clip, Plot&& plot) {
  using line_detail::first_true;
  using line_detail::floor_div;
  const bool x_major = (x1 > x0 ? x1 - x0 : x0 - x1) >= (y1 > y0 ? y1 - y0 : y0 - y1);
  // Major coordinate u, minor v.
  int64_t ua = x_major ? x0 : y0, va = x_major ? y0 : x0, ub = x_major ? x1 : y1, vb = x_major ? y1 : x1;
  if (ua == ub) return;
  const bool reversed = ua > ub;
  if (reversed) std::swap(ua, ub), std::swap(va, vb);
  const int64_t du = ub - ua, dv = vb - va;
  const int64_t u_lo = x_major ? clip.left : clip.top, u_hi = x_major ? clip.right : clip.bottom;
  const int64_t v_lo = x_major ? clip.top : clip.left, v_hi = x_major ? clip.bottom : clip.right;

  // v(t) = va + floor((2 t dv + du - 1) / (2 du)): rounded to nearest, halves towards smaller v.
  const auto v_at = [&](int64_t t) {
    return va + int64_t(floor_div(__int128(2) * t * dv + du - 1, __int128(2) * du));
  };
  int64_t t0 = reversed ? 1 : 0, t1 = reversed ? du : du - 1;
  t0 = std::max(t0, u_lo - ua);
  t1 = std::min(t1, u_hi - 1 - ua);
  if (t0 > t1) return;
  // The minor coordinate stays between va and vb: search only when the clip cuts that range.
  if (std::min(va, vb) < v_lo || std::max(va, vb) >= v_hi) {
    if (dv >= 0) {
      const int64_t first = first_true(t0, t1, [&](int64_t t) { return v_at(t) >= v_lo; });
      t1 = first_true(first, t1, [&](int64_t t) { return v_at(t) >= v_hi; }) - 1;
      t0 = first;
    } else {
      const int64_t first = first_true(t0, t1, [&](int64_t t) { return v_at(t) < v_hi; });
      t1 = first_true(first, t1, [&](int64_t t) { return v_at(t) < v_lo; }) - 1;
      t0 = first;
    }
  }
  if (t0 > t1) return;

  const __int128 numerator = __int128(2) * t0 * dv + du - 1;
  const int64_t two_du = 2 * du, two_dv = 2 * dv;
  int64_t v = va + int64_t(floor_div(numerator, two_du));
  int64_t rem = int64_t(numerator - __int128(v - va) * two_du);  // 0 <= rem < 2 du
  // One loop per axis and direction keeps the body to a store and one test.
  const auto run = [&](auto x_major_tag, auto up_tag) {
    constexpr bool kXMajor = decltype(x_major_tag)::value, kUp = decltype(up_tag)::value;
    for (int64_t t = t0; t <= t1; ++t) {
      const int64_t index = reversed ? du - t : t;
      if (kXMajor) plot(ua + t, v, index); else plot(v, ua + t, index);
      rem += two_dv;
      if (kUp ? rem >= two_du : rem < 0) {
        rem += kUp ? -two_du : two_du;
        v += kUp ? 1 : -1;
      }
    }
  };
  using yes = std::true_type;
  using no = std::false_type;
  if (x_major) {
    if (dv >= 0) run(yes{}, yes{}); else run(yes{}, no{});
  } else {
    if (dv >= 0) run(no{}, yes{}); else run(no{}, no{});
  }
}

}  // namespace platform::gdi
