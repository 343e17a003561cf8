// Seeded random blends compared with a straightforward reference: each
// iteration seeds its generator from its number and builds random images,
// viewports, positions, rectangles, alphas and keys (bytes biased towards 0
// and 255, coordinates sometimes at the ends of the 32-bit range, the source
// sometimes the destination itself). The reference walks the requested source
// rectangle pixel by pixel and applies the formula wherever the pixel lands
// inside the source, the destination's viewport and the destination image;
// the whole destination buffer must match, so a write outside the clip fails.
// Premultiplied sources (alpha type 1) take AlphaBlend's formula, stretched
// ones its nearest-neighbour sampling (centre of each destination pixel),
// positions relative to each DC's origin and clipped by the DC's clip.
//
// A failing iteration is reported by number; rerun it alone with
// QUILLFERN_ITERATION=<n> ./test_frond_blend --gtest_filter='BlendRandom.*'
//
// Below, the SSE2 kernel set against the same reference pixel on seeded
// random rows, so that it is tested where AVX2 is chosen at run time
// (QUILLFERN_ITERATION reruns one row there as well).

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "support/blend_reference.h"
#include "support/graphics_fixture.h"
#include "graphics/blend_rows_simd.h"
#include "graphics/frond.h"
#include "support/seeded.h"

using namespace frond;
using namespace blend_reference;

namespace {

constexpr int kIterations = 4000;

enum class op { transparent, alphablend, alphatransparent, withalpha, alphafilter, premultiplied, stretched, count };

struct params {
  op kind;
  int x, y, xs, ys, w, h;
  int wd, hd;  // destination size of a stretched blend
  uint8_t alpha;
  argb_color key;
};

bool keyed(uint32_t s, argb_color key) { return (s & 0xFFFFFF) == (key & 0xFFFFFF); }

// The new destination pixel, or d itself when the pixel is left alone.
uint32_t reference_pixel(const params& p, uint32_t d, uint32_t s, uint32_t f) {
  switch (p.kind) {
    case op::transparent: return keyed(s, p.key) ? d : (s & 0xFFFFFF) | (d & 0xFF000000);
    case op::alphablend: return p.alpha == 0 ? d : ref_blendover(d, s, round255(byte(s, 3) * p.alpha));
    case op::alphatransparent: return keyed(s, p.key) ? d : ref_blendrgb(d, s, p.alpha);
    case op::withalpha: return ref_blendpacked(d, s, (byte(s, 3) * 256 + 127) / 255);
    case op::premultiplied:
    case op::stretched: return ref_premultiplied(d, s, p.alpha);
    default: return f == 0 ? d : ref_blendover(d, s, round255(byte(f, 0) * byte(s, 3)));
  }
}

// Pixel buffers of the three images as the reference sees them: one vector
// when the source (or filter) is the destination itself.
struct world {
  std::vector<uint32_t>* dst;
  const std::vector<uint32_t>* src;
  const std::vector<uint32_t>* filter;
  int dw, dh, sw, sh, fw, fh;
  int left, top, right, bottom;  // destination viewport
  int origin_x, origin_y;         // destination DC's origin
  int clip[4];                    // destination DC's clip rectangle
  int src_origin_x, src_origin_y; // source DC's origin
};

// Calls visit(u, v, dx, dy) for each source pixel (u, v) of the requested
// rectangle, in row order, that lands on destination pixel (dx, dy).
template <class Visit>
void each_landing(const params& p, const world& w, Visit visit) {
  const int64_t end_x = std::min<int64_t>(p.w > 0 ? int64_t(p.xs) + p.w : w.sw, w.sw);
  const int64_t end_y = std::min<int64_t>(p.h > 0 ? int64_t(p.ys) + p.h : w.sh, w.sh);
  for (int64_t v = std::max(p.ys, 0); v < end_y; ++v)
    for (int64_t u = std::max(p.xs, 0); u < end_x; ++u) {
      const int64_t dx = int64_t(p.x) + w.left + (u - p.xs), dy = int64_t(p.y) + w.top + (v - p.ys);
      if (dx >= std::max(w.left, 0) && dx < std::min(w.right, w.dw) && dy >= std::max(w.top, 0) &&
          dy < std::min(w.bottom, w.dh))
        visit(u, v, dx, dy);
    }
}

// A stretched premultiplied blend: sizes below 1 completed (the source's to
// its image's edge, the destination's to the source's), nothing when the
// source rectangle leaves the source image; then each destination pixel inside
// the image and the DC's clip takes the source pixel under its centre.
void reference_stretch(const params& p, world& w) {
  const int64_t ws = p.w < 1 ? int64_t(w.sw) - p.xs : p.w, hs = p.h < 1 ? int64_t(w.sh) - p.ys : p.h;
  const int64_t wd = p.wd < 1 ? ws : p.wd, hd = p.hd < 1 ? hs : p.hd;
  const int64_t u0 = int64_t(p.xs) + w.src_origin_x, v0 = int64_t(p.ys) + w.src_origin_y;
  if (ws < 1 || hs < 1 || u0 < 0 || v0 < 0 || u0 + ws > w.sw || v0 + hs > w.sh) return;
  for (int64_t j = 0; j < hd; ++j)
    for (int64_t i = 0; i < wd; ++i) {
      const int64_t dx = int64_t(p.x) + w.origin_x + i, dy = int64_t(p.y) + w.origin_y + j;
      if (dx < std::max(w.clip[0], 0) || dx >= std::min(w.clip[2], w.dw) || dy < std::max(w.clip[1], 0) ||
          dy >= std::min(w.clip[3], w.dh))
        continue;
      uint32_t& d = (*w.dst)[size_t(dy * w.dw + dx)];
      const int64_t u = u0 + (2 * i + 1) * ws / (2 * wd), v = v0 + (2 * j + 1) * hs / (2 * hd);
      d = reference_pixel(p, d, (*w.src)[size_t(v * w.sw + u)], 0);
    }
}

void reference_blend(const params& p, world& w) {
  if (p.kind == op::stretched) return reference_stretch(p, w);
  if (p.kind == op::alphafilter) {
    // The filter must cover every source pixel that lands, or nothing is drawn.
    bool covered = true;
    each_landing(p, w, [&](int64_t u, int64_t v, int64_t, int64_t) { covered = covered && u < w.fw && v < w.fh; });
    if (!covered) return;
  }
  each_landing(p, w, [&](int64_t u, int64_t v, int64_t dx, int64_t dy) {
    uint32_t& d = (*w.dst)[size_t(dy * w.dw + dx)];
    const uint32_t s = (*w.src)[size_t(v * w.sw + u)];
    const uint32_t f = w.filter ? (*w.filter)[size_t(v * w.fw + u)] : 0;
    d = reference_pixel(p, d, s, f);
  });
}

// ---- random inputs ---------------------------------------------------------------------------

struct generator {
  std::mt19937& rng;
  int below(int n) { return int(rng() % uint32_t(n)); }
  int between(int lo, int hi) { return seeded::between(rng, lo, hi); }
  uint32_t biased_pixel() { return seeded::biased_word(rng); }
  // A coordinate near the images, now and then one at the end of the range.
  int coordinate(int lo, int hi) {
    if (below(24) == 0) {
      static const int extremes[] = {INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 1};
      return extremes[below(4)];
    }
    return between(lo, hi);
  }
  // A pixel coordinate made relative to a viewport origin (an extreme one wraps).
  static int relative(int coordinate, int origin) { return int(uint32_t(coordinate) - uint32_t(origin)); }
  void fill(IMAGE* img) {
    for (int i = 0; i < img->width * img->height; ++i) img->pixels[i] = biased_pixel();
  }
};

// Runs one iteration; returns an empty string or what went wrong.
std::string run_iteration(std::mt19937& rng) {
  generator g{rng};
  IMAGE dst(g.between(1, 24), g.between(1, 24));
  IMAGE src_image(g.between(1, 24), g.between(1, 24));
  IMAGE filter_image(g.between(1, 28), g.between(1, 28));
  params p{};
  p.kind = op(g.below(int(op::count)));
  const bool through_dc = p.kind == op::premultiplied || p.kind == op::stretched;
  // Blend an image onto itself (AlphaBlend refuses overlapping rectangles).
  const bool same = !through_dc && g.below(6) == 0;
  IMAGE* src = same ? &dst : &src_image;
  IMAGE* filter = p.kind == op::alphafilter && g.below(4) == 0 ? &dst : &filter_image;
  g.fill(&dst);
  g.fill(&src_image);
  g.fill(&filter_image);
  if (g.below(8) == 0) {
    for (int i = 0; i < filter->width * filter->height; i += 1 + g.below(3)) filter->pixels[i] = 0;
  }

  // The destination's viewport: whole, inside, or (set directly, so the DC
  // keeps origin 0 and no clip) reaching past the image or inverted. The
  // source's viewport moves only a stretched blend's source.
  const int viewport_kind = g.below(4);
  switch (viewport_kind) {
    case 0: break;
    case 1:
    case 2: {
      const int l = g.between(0, dst.width), t = g.between(0, dst.height);
      setviewport(l, t, g.between(l, dst.width), g.between(t, dst.height), g.below(2), &dst);
      break;
    }
    default:
      dst.viewport = {g.between(-8, dst.width + 8), g.between(-8, dst.height + 8), g.between(-8, dst.width + 8),
                      g.between(-8, dst.height + 8), 1};
  }
  const bool dc_follows = viewport_kind == 1 || viewport_kind == 2;
  if (!same && g.below(3) == 0) setviewport(g.below(src->width), g.below(src->height), src->width, src->height, 1, src);

  // Source rectangles around the source; positions (viewport-relative)
  // that land across every edge of the destination.
  p.xs = g.coordinate(-6, src->width + 2);
  p.ys = g.coordinate(-6, src->height + 2);
  p.w = g.coordinate(-3, src->width + 6);
  p.h = g.coordinate(-3, src->height + 6);
  p.x = g.relative(g.coordinate(-src->width - 4, dst.width + 4), dst.viewport.left);
  p.y = g.relative(g.coordinate(-src->height - 4, dst.height + 4), dst.viewport.top);
  if (same && g.below(2)) {
    // A copy within one image shifted by a few pixels, so that rows read
    // what the same call has just written.
    p.xs = g.between(0, src->width / 2);
    p.ys = g.between(0, src->height / 2);
    p.x = p.xs - dst.viewport.left + g.between(-4, 4);
    p.y = p.ys - dst.viewport.top + g.between(-1, 1);
  }
  if (p.kind == op::stretched) {
    // Sizes below 1 now and then; source rectangles sometimes leaving the source.
    p.xs = g.between(-2, src->width);
    p.ys = g.between(-2, src->height);
    p.w = g.between(-1, src->width + 2);
    p.h = g.between(-1, src->height + 2);
    p.wd = g.between(-1, 30);
    p.hd = g.between(-1, 30);
    p.x = g.between(-8, dst.width + 2) - (dc_follows ? dst.viewport.left : 0);
    p.y = g.between(-8, dst.height + 2) - (dc_follows ? dst.viewport.top : 0);
  }
  p.alpha = uint8_t(seeded::biased_byte(rng));
  p.key = g.below(2) ? src->pixels[g.below(src->width * src->height)] ^ (g.rng() & 0xFF000000) : g.biased_pixel();
  if (p.kind == op::alphafilter && filter == &filter_image && g.below(2) == 0) {
    // A filter as large as the source, or a column or a row short of it.
    filter_image.resize(src->width - g.below(2), src->height - g.below(2));
    g.fill(&filter_image);
  }

  // The reference, on copies; shared images share one copy.
  const auto& vp = dst.viewport;
  const bool dc_clips = dc_follows && vp.clip;
  std::vector<uint32_t> dst_ref = frond_test::pixels_of(&dst), src_ref = frond_test::pixels_of(src), filter_ref = frond_test::pixels_of(filter);
  world w{&dst_ref,
          same ? &dst_ref : &src_ref,
          p.kind != op::alphafilter ? nullptr : filter == &dst ? &dst_ref : &filter_ref,
          dst.width, dst.height, src->width, src->height, filter->width, filter->height,
          vp.left, vp.top, vp.right, vp.bottom,
          dc_follows ? vp.left : 0, dc_follows ? vp.top : 0,
          {dc_clips ? vp.left : 0, dc_clips ? vp.top : 0, dc_clips ? vp.right : dst.width,
           dc_clips ? vp.bottom : dst.height},
          src->viewport.left, src->viewport.top};
  reference_blend(p, w);

  switch (p.kind) {
    case op::transparent: putimage_transparent(&dst, src, p.x, p.y, p.key, p.xs, p.ys, p.w, p.h); break;
    case op::alphablend: putimage_alphablend(&dst, src, p.x, p.y, p.alpha, p.xs, p.ys, p.w, p.h, 0); break;
    case op::alphatransparent:
      putimage_alphatransparent(&dst, src, p.x, p.y, p.key, p.alpha, p.xs, p.ys, p.w, p.h);
      break;
    case op::withalpha: putimage_withalpha(&dst, src, p.x, p.y, p.xs, p.ys, p.w, p.h); break;
    case op::alphafilter: putimage_alphafilter(&dst, src, p.x, p.y, filter, p.xs, p.ys, p.w, p.h); break;
    case op::premultiplied: putimage_alphablend(&dst, src, p.x, p.y, p.alpha, p.xs, p.ys, p.w, p.h, 1); break;
    default: putimage_alphablend(&dst, src, p.x, p.y, p.wd, p.hd, p.alpha, p.xs, p.ys, p.w, p.h, false, 1); break;
  }

  const std::vector<uint32_t> actual = frond_test::pixels_of(&dst);
  for (size_t i = 0; i < actual.size(); ++i) {
    if (actual[i] != dst_ref[i]) {
      char text[320];
      snprintf(text, sizeof text,
               "op %d, dst %dx%d, src %dx%d%s, (%d,%d,%d,%d) from (%d,%d,%d,%d) alpha %d key %08X: pixel (%zu,%zu) is "
               "%08X, expected %08X",
               int(p.kind), dst.width, dst.height, src->width, src->height, same ? " (itself)" : "", p.x, p.y, p.wd, p.hd, p.xs,
               p.ys, p.w, p.h, p.alpha, p.key, i % size_t(dst.width), i / size_t(dst.width), actual[i], dst_ref[i]);
      return text;
    }
  }
  if (!same && frond_test::pixels_of(&src_image) != src_ref) return "the source changed";
  return "";
}

TEST(BlendRandom, MatchesThePerPixelReference) {
  seeded::iterations(kIterations, [](std::mt19937& rng, int) { ASSERT_EQ(run_iteration(rng), ""); });
}

#if defined(__x86_64__)

// Each kernel of a set on seeded random rows: the pixels it did must match
// the reference pixel, the rest of the row must be left alone.
void check_set(const blend_kernels& k) {
  seeded::iterations(500, [&k](std::mt19937& rng, int) {
    const int n = int(rng() % 40);
    std::vector<uint32_t> d(static_cast<size_t>(n)), s(d), f(d);
    for (std::vector<uint32_t>* row : {&d, &s, &f})
      for (uint32_t& p : *row) p = seeded::biased_word(rng);
    params p{};
    p.alpha = uint8_t(rng() % 3 == 0 ? 255 : rng() & 0xFF);
    p.key = n > 0 && rng() % 2 ? s[rng() % uint32_t(n)] : seeded::biased_word(rng);
    for (op kind : {op::transparent, op::alphablend, op::alphatransparent, op::withalpha, op::alphafilter}) {
      p.kind = kind;
      std::vector<uint32_t> out = d;
      const int done = kind == op::transparent        ? k.transparent(out.data(), s.data(), n, p.key)
                       : kind == op::alphablend       ? k.alphablend(out.data(), s.data(), n, p.alpha)
                       : kind == op::alphatransparent ? k.alphatransparent(out.data(), s.data(), n, p.key, p.alpha)
                       : kind == op::withalpha        ? k.withalpha(out.data(), s.data(), n)
                                                      : k.alphafilter(out.data(), s.data(), f.data(), n);
      ASSERT_LE(done, n);
      ASSERT_GT(done, n - kMaxVectorPixels);
      for (int i = 0; i < n; ++i)
        ASSERT_EQ(out[i], i < done ? reference_pixel(p, d[i], s[i], f[i]) : d[i])
            << "op " << int(kind) << " pixel " << i;
    }
  });
}

// The AVX2 set, chosen whenever the processor has it, is the seeded blend test's.
TEST(BlendKernels, Sse2MatchesTheFormulas) { check_set(*sse2_blend_kernels()); }

#endif

}  // namespace
