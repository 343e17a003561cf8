// The rotating putimage: a source rectangle stretched by the zoom factor with
// StretchBlt (COLORONCOLOR) into a temporary image, whose pixels other than
// the key are then turned about an integer centre and each set as four
// neighbouring destination pixels under the destination's alpha. Only the
// part of the stretched picture that can land in the destination's viewport
// is made, so a huge zoom costs no more than the destination's size.
// Depends on: state (selectors, change counting), images (magic, DCs),
// pixel access (putpixel_keepalpha).

#include <algorithm>
#include <climits>
#include <cmath>

#include "graphics/state.h"

namespace frond {
namespace {

struct source_rect {
  int x, y, w, h;
};

// Half-open ranges of stretched-picture columns [i0, i1) and rows [j0, j1).
struct pixel_range {
  int64_t i0, j0, i1, j1;
  bool empty() const { return i0 >= i1 || j0 >= j1; }
};

// The stretched pixels (i, j) of a w x h picture whose turned position can
// land in a viewport of vw x vh: the viewport, widened by a margin, mapped
// back by the inverse turn, bounded and cut to the picture.
pixel_range reachable(int64_t w, int64_t h, int64_t cx, int64_t cy, int x, int y, double c, double s, int vw, int vh) {
  constexpr double kMargin = 3;
  const double xs[2] = {-kMargin - x, vw + kMargin - x}, ys[2] = {-kMargin - y, vh + kMargin - y};
  double lo_i = HUGE_VAL, hi_i = -HUGE_VAL, lo_j = HUGE_VAL, hi_j = -HUGE_VAL;
  for (double dx : xs)
    for (double dy : ys) {
      const double i = dx * c + dy * s, j = -dx * s + dy * c;  // the inverse turn
      lo_i = std::min(lo_i, i), hi_i = std::max(hi_i, i), lo_j = std::min(lo_j, j), hi_j = std::max(hi_j, j);
    }
  const auto cut = [](double v, int64_t centre, int64_t size) {
    return std::clamp(std::floor(v) + double(centre), 0.0, double(size));
  };
  return pixel_range{int64_t(cut(lo_i - kMargin, cx, w)), int64_t(cut(lo_j - kMargin, cy, h)),
                     int64_t(cut(hi_i + kMargin + 1, cx, w)), int64_t(cut(hi_j + kMargin + 1, cy, h))};
}

// A whole number from a single-precision product, truncated; false when it
// is not finite or does not fit an int.
bool truncated(float value, int64_t* out) {
  const double t = std::trunc(double(value));
  if (!(std::fabs(t) <= double(INT_MAX))) return false;
  *out = int64_t(t);
  return true;
}

void splat(IMAGE* dst_arg, IMAGE* src_arg, int x, int y, const source_rect* given, int centerx, int centery,
           argb_color key, float angle, float zoom) {
  IMAGE* dst = resolve_image_counting(dst_arg);
  if (dst == nullptr) return;
  dst->check_magic(L"IMAGE::putimage");
  IMAGE* src = resolve_image(src_arg);
  if (src == nullptr) return;
  src->check_magic(L"IMAGE::putimage");
  const source_rect r = given != nullptr ? *given : source_rect{0, 0, src->width, src->height};
  int64_t w, h, cx, cy;
  if (!std::isfinite(angle) || !truncated(float(r.w) * zoom, &w) || !truncated(float(r.h) * zoom, &h) ||
      !truncated(float(int64_t(centerx) - r.x) * zoom, &cx) ||
      !truncated(float(int64_t(centery) - r.y) * zoom, &cy) || w < 1 || h < 1)
    return;
  const float c = std::cos(angle), s = std::sin(angle);
  const int vw = dst->viewport.right - dst->viewport.left, vh = dst->viewport.bottom - dst->viewport.top;
  const pixel_range reach = reachable(w, h, cx, cy, x, y, c, s, vw, vh);
  if (reach.empty()) return;
  IMAGE* stretched = newimage(int(reach.i1 - reach.i0), int(reach.j1 - reach.j0));
  SetStretchBltMode(stretched->dc, COLORONCOLOR);
  StretchBlt(stretched->dc, int(-reach.i0), int(-reach.j0), int(w), int(h), src->dc, r.x, r.y, r.w, r.h, SRCCOPY);
  for (int64_t i = reach.i0; i < reach.i1; ++i)
    for (int64_t j = reach.j0; j < reach.j1; ++j) {
      const argb_color p = stretched->pixels[size_t(j - reach.j0) * size_t(stretched->width) + size_t(i - reach.i0)];
      if (p == key) continue;
      const float dx = float(i - cx), dy = float(j - cy);
      const float X = dx * c - dy * s + float(x), Y = dx * s + dy * c + float(y);
      putpixel_keepalpha(int(X), int(Y), p, dst);
      putpixel_keepalpha(int(X + 0.5f), int(Y), p, dst);
      putpixel_keepalpha(int(X), int(Y + 0.5f), p, dst);
      putpixel_keepalpha(int(X + 0.5f), int(Y + 0.5f), p, dst);
    }
  delimage(stretched);
}

}  // namespace

int putimage(IMAGE* dst, IMAGE* src, int x, int y, int xsrc, int ysrc, int wsrc, int hsrc, int centerx, int centery,
             argb_color key, float angle, float zoom) {
  const source_rect r{xsrc, ysrc, wsrc, hsrc};
  splat(dst, src, x, y, &r, centerx, centery, key, angle, zoom);
  return 0;
}

int putimage(IMAGE* dst, IMAGE* src, int x, int y, int centerx, int centery, argb_color key, float angle, float zoom) {
  splat(dst, src, x, y, nullptr, centerx, centery, key, angle, zoom);
  return 0;
}

}  // namespace frond
