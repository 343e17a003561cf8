// Triangle mapping on pixel buffers: a destination triangle is filled row by
// row, each row sampling the source along the matching texture span, by one
// of eight span kernels (nearest or bilinear; zero samples skipped or not;
// copied or blended with a constant alpha). Colour arithmetic works on packed
// words, red with blue and green apart, with divisions by 256 as shifts.
// Depends on: images (buffers only). No GDI, no viewport, no selectors.

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "graphics/rotate_internal.h"

namespace frond {
namespace {

constexpr uint32_t kRedBlue = 0x00FF00FF, kGreen = 0x0000FF00;

struct texture {
  const argb_color* pixels;
  int width, height;
};

// A row of the destination from x = left to x = right, with the texel
// positions (in source pixels) at its two ends.
struct span {
  int row;
  float left, right;
  float ul, vl, ur, vr;
};

#if !defined(__SSE2__)
// w0 * a + w1 * b per channel, each divided by 256 rounding down (w0 + w1 <= 255).
inline uint32_t mix(uint32_t a, uint32_t b, uint32_t w0, uint32_t w1) {
  const uint32_t rb = (((a & kRedBlue) * w0 + (b & kRedBlue) * w1) >> 8) & kRedBlue;
  const uint32_t g = (((a & kGreen) * w0 + (b & kGreen) * w1) >> 8) & kGreen;
  return rb | g;
}
#endif

// The colour blended over the destination pixel with `alpha` (0..255); alpha byte 0.
inline uint32_t blend(uint32_t color, uint32_t pixel, uint32_t alpha) {
  const uint32_t rb = ((((color & kRedBlue) * alpha) >> 8) & kRedBlue) +
                      ((((pixel & kRedBlue) * (255 - alpha)) >> 8) & kRedBlue);
  const uint32_t g = ((((color & kGreen) * alpha) >> 8) & kGreen) + ((((pixel & kGreen) * (255 - alpha)) >> 8) & kGreen);
  return rb | g;
}

// Bilinear sample at (u, v) with weights 255 - f and f; the 2x2 block read is
// kept inside the source (which is at least 2x2). Alpha byte 0. With SSE2
// the four channels go through 16-bit lanes, which round exactly alike.
template <bool Clamp>
inline uint32_t sample_bilinear(const texture& t, float u, float v) {
  const int x0 = Clamp ? std::clamp(int(u), 0, t.width - 2) : int(u);
  const int y0 = Clamp ? std::clamp(int(v), 0, t.height - 2) : int(v);
  const int fxi = int((u - float(x0)) * 256.0f), fyi = int((v - float(y0)) * 256.0f);
  const uint32_t fx = uint32_t(Clamp ? std::clamp(fxi, 0, 255) : fxi);
  const uint32_t fy = uint32_t(Clamp ? std::clamp(fyi, 0, 255) : fyi);
  const argb_color* p = t.pixels + size_t(y0) * size_t(t.width) + size_t(x0);
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i top = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), zero);
  const __m128i bottom = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + t.width)), zero);
  const short l = short(255 - fx), r = short(fx);
  const __m128i wx = _mm_set_epi16(r, r, r, r, l, l, l, l);
  const __m128i tw = _mm_mullo_epi16(top, wx), bw = _mm_mullo_epi16(bottom, wx);
  const __m128i ts = _mm_srli_epi16(_mm_add_epi16(tw, _mm_srli_si128(tw, 8)), 8);
  const __m128i bs = _mm_srli_epi16(_mm_add_epi16(bw, _mm_srli_si128(bw, 8)), 8);
  const __m128i mixed = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(ts, _mm_set1_epi16(short(255 - fy))),
                                                     _mm_mullo_epi16(bs, _mm_set1_epi16(short(fy)))),
                                       8);
  return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(mixed, mixed))) & 0x00FFFFFF;
#else
  const uint32_t top = mix(p[0], p[1], 255 - fx, fx);
  const uint32_t bottom = mix(p[t.width], p[t.width + 1], 255 - fx, fx);
  return mix(top, bottom, 255 - fy, fy);
#endif
}

// The texel under (u, v), positions already offset by one half; kept inside the source.
template <bool Clamp>
inline uint32_t sample_nearest(const texture& t, float u, float v) {
  const int x = Clamp ? std::clamp(int(u), 0, t.width - 1) : int(u);
  const int y = Clamp ? std::clamp(int(v), 0, t.height - 1) : int(v);
  return t.pixels[size_t(y) * size_t(t.width) + size_t(x)];
}

inline int round_half_away(float v) { return int(std::round(v)); }

// A row ready to draw: its clipped pixels [x, end) and the sample position at x.
struct run {
  argb_color* out;
  int x, end;
  float u, v, u_step, v_step;
};

// The span kernels. prepare() sets a row up: span ends rounded (halves away
// from zero, except in the nearest kernels that skip zero texels, which add
// one half and truncate), u corrected for that rounding, v from vl as given,
// nearest positions offset by one half, and the row clipped; false when it
// draws nothing. advance() draws the row's pixels up to `until`, left to
// right, so a row may be drawn in pieces with the same result.
template <bool Smooth, bool Key, bool Blend>
struct spanfill {
  static bool prepare(IMAGE* dst, const span& s, run* r) {
    constexpr bool kAddHalf = Key && !Smooth;
    const int xl = kAddHalf ? int(s.left + 0.5f) : round_half_away(s.left);
    const int xr = kAddHalf ? int(s.right + 0.5f) : round_half_away(s.right);
    const int n = xr - xl;
    if (n < 1) return false;
    const float du_dx = (s.ur - s.ul) / (s.right - s.left);
    const float u_left = s.ul + (float(xl) - s.left) * du_dx;
    const float u_right = s.ur + (float(xr) - s.right) * du_dx;
    r->u_step = (u_right - u_left) / float(n), r->v_step = (s.vr - s.vl) / float(n);
    r->u = u_left, r->v = s.vl;
    if (!Smooth) r->u += 0.5f, r->v += 0.5f;
    r->x = std::max(xl, 0), r->end = std::min(xr, dst->width);
    if (r->x >= r->end) return false;
    r->u += float(r->x - xl) * r->u_step;
    r->v += float(r->x - xl) * r->v_step;
    r->out = dst->pixels + size_t(s.row) * size_t(dst->width);
    return true;
  }

  // Draws [r.x, stop); positions are clamped to the source only where they may leave it.
  static void advance(run& r, int until, const texture& src, uint32_t alpha) {
    const int stop = std::min(r.end, until);
    if (r.x >= stop) return;
    // Each float step may drift by half a unit in the last place of the
    // largest position; a margin of one pixel plus twice the drift over the
    // piece keeps unclamped reads inside the source.
    const float last = float(stop - 1 - r.x);
    const float u1 = r.u + last * r.u_step, v1 = r.v + last * r.v_step;
    const float margin = 1.0f + float(stop - r.x) * float(std::max(src.width, src.height)) * 0x1p-23f;
    const float reach = Smooth ? 2.0f : 1.0f;
    const bool inside = std::min(r.u, u1) >= margin && std::min(r.v, v1) >= margin &&
                        std::max(r.u, u1) < float(src.width) - reach - margin &&
                        std::max(r.v, v1) < float(src.height) - reach - margin;
    inside ? draw<false>(r, stop, src, alpha) : draw<true>(r, stop, src, alpha);
  }

  template <bool Clamp>
  static void draw(run& r, int stop, const texture& src, uint32_t alpha) {
    float u = r.u, v = r.v;
    for (int x = r.x; x < stop; ++x, u += r.u_step, v += r.v_step) {
      const uint32_t c = Smooth ? sample_bilinear<Clamp>(src, u, v) : sample_nearest<Clamp>(src, u, v);
      if (Key && c == 0) continue;
      r.out[x] = Blend ? blend(c, r.out[x], alpha) : c;
    }
    r.x = stop, r.u = u, r.v = v;
  }
};

struct kernel {
  bool (*prepare)(IMAGE*, const span&, run*);
  void (*advance)(run&, int, const texture&, uint32_t);
};

template <bool Smooth, bool Key, bool Blend>
constexpr kernel kernel_of() {
  return kernel{spanfill<Smooth, Key, Blend>::prepare, spanfill<Smooth, Key, Blend>::advance};
}

kernel choose_kernel(const map_flags& f) {
  static constexpr kernel kernels[8] = {
      kernel_of<false, false, false>(), kernel_of<false, false, true>(), kernel_of<false, true, false>(),
      kernel_of<false, true, true>(),   kernel_of<true, false, false>(), kernel_of<true, false, true>(),
      kernel_of<true, true, false>(),   kernel_of<true, true, true>(),
  };
  const bool blend_on = unsigned(f.alpha) <= 255;
  return kernels[(f.smooth ? 4 : 0) + (f.transparent ? 2 : 0) + (blend_on ? 1 : 0)];
}

// A triangle corner: destination position and texel position.
struct corner {
  float x, y, u, v;
};

// The point a fraction f of the way from a to b.
inline corner along(const corner& a, const corner& b, float f) {
  return corner{a.x + f * (b.x - a.x), a.y + f * (b.y - a.y), a.u + f * (b.u - a.u), a.v + f * (b.v - a.v)};
}

// Collects a triangle's rows, then draws them in tiles of 256 rows by 32
// columns, so that the source is read in small neighbourhoods rather than
// along whole turned rows, which keeps its pixels and pages in cache.
struct row_painter {
  static constexpr size_t kBand = 256;
  static constexpr int kColumns = 32;

  IMAGE* dst;
  texture src;
  kernel fill;
  uint32_t alpha;
  std::vector<run> rows;  // adjacent rows next to each other

  void operator()(int row, const corner& left, const corner& right) {
    run r;
    if (fill.prepare(dst, span{row, left.x, right.x, left.u, left.v, right.u, right.v}, &r)) rows.push_back(r);
  }

  void draw() {
    for (size_t band = 0; band < rows.size(); band += kBand) {
      const auto first = rows.begin() + ptrdiff_t(band), last = first + ptrdiff_t(std::min(kBand, rows.size() - band));
      int from = first->x, to = first->end;
      for (auto r = first; r != last; ++r) from = std::min(from, r->x), to = std::max(to, r->end);
      for (int tile = from; tile < to; tile += kColumns)
        for (auto r = first; r != last; ++r)
          if (r->x < tile + kColumns) fill.advance(*r, tile + kColumns, src, alpha);
    }
  }
};

}  // namespace

void maptriangle(IMAGE* dst, const IMAGE* src, const map_point dst_triangle[3], const map_point src_triangle[3],
                 map_flags flags) {
  if (dst == nullptr || src == nullptr || dst->width < 1 || dst->height < 1) return;
  const int reach = flags.smooth ? 2 : 1;
  if (src->width < reach || src->height < reach) return;
  const float su = float(src->width - reach), sv = float(src->height - reach);
  corner p[3];
  for (int i = 0; i < 3; ++i)
    p[i] = corner{dst_triangle[i].x, dst_triangle[i].y, std::round(src_triangle[i].x * su),
                  std::round(src_triangle[i].y * sv)};
  // Sorted by y with three compare-and-swap steps.
  const auto order = [&p](int a, int b) {
    if (p[a].y > p[b].y) std::swap(p[a], p[b]);
  };
  order(1, 2), order(0, 1), order(1, 2);
  const int ytop = round_half_away(p[0].y), ymid = round_half_away(p[1].y), ybot = round_half_away(p[2].y);
  const int height = dst->height;
  row_painter paint{dst, texture{src->pixels, src->width, src->height}, choose_kernel(flags), uint32_t(flags.alpha), {}};

  // Top half: the edges from P0 to P1 and to P2; the edge to P1 is left unless P1 lies right of P2.
  if (ymid - ytop >= 1) {
    const bool p1_left = !(p[1].x > p[2].x);
    for (int r = std::max(ytop, 0); r < std::min(height, ymid); ++r) {
      const corner to1 = along(p[0], p[1], float(r - ytop) / float(ymid - ytop));
      const corner to2 = along(p[0], p[2], float(r - ytop) / float(ybot - ytop));
      p1_left ? paint(r, to1, to2) : paint(r, to2, to1);
    }
  }
  // The middle row: from P1 to the long edge at P1's height.
  if (ymid >= 0 && ymid < std::min(ybot, height)) {
    const corner on_long = along(p[0], p[2], float(ymid - ytop) / float(ybot - ytop));
    p[1].x <= on_long.x ? paint(ymid, p[1], on_long) : paint(ymid, on_long, p[1]);
  }
  // Bottom half, upwards from P2: the edges to P0 and to P1; the edge to P0 is left unless P0 lies right of P1.
  if (ybot > std::min(height, ymid)) {
    const bool p0_left = !(p[0].x > p[1].x);
    const int stop = std::max(ymid, -1);
    for (int r = std::min(ybot, height - 1); r > stop; --r) {
      const corner to0 = along(p[2], p[0], float(ybot - r) / float(ybot - ytop));
      const corner to1 = along(p[2], p[1], float(ybot - r) / float(ybot - ymid));
      p0_left ? paint(r, to0, to1) : paint(r, to1, to0);
    }
  }
  paint.draw();
}

}  // namespace frond
