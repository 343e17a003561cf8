// msimg32 on DIB sections: AlphaBlend's rejected arguments, 24-bit bitmaps,
// and a seeded random comparison with a plain per-pixel reference (constant
// and per-pixel alpha, saturation, stretching, clipping, viewport origins);
// GradientFill's rectangles and triangles.
// Depends on: the GDI test DIBs, the syslibs header, tests/support/seeded.h
// and blend_reference.h.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "platform/gdi32.h"
#include "platform/kernel32.h"
#include "platform_gdi/gdi_test_util.h"
#include "platform/syslibs.h"
#include "support/blend_reference.h"
#include "support/seeded.h"

namespace {

using Canvas = gdi_test::TestDib;

class Msimg32 : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(alpha_blend, nullptr);
    ASSERT_NE(gradient_fill, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }

  static constexpr BLENDFUNCTION kCopy = {AC_SRC_OVER, 0, 255, 0};

  HMODULE module_ = LoadLibraryA("msimg32.dll");
  AlphaBlend_fn alpha_blend = reinterpret_cast<AlphaBlend_fn>(GetProcAddress(module_, "AlphaBlend"));
  GradientFill_fn gradient_fill = reinterpret_cast<GradientFill_fn>(GetProcAddress(module_, "GradientFill"));
};

TEST_F(Msimg32, RejectsBadArguments) {
  Canvas src(4, 4), dst(4, 4);
  const HDC s = src.dc, d = dst.dc;
  EXPECT_FALSE(alpha_blend(d, 0, 0, -1, 1, s, 0, 0, 1, 1, kCopy));
  EXPECT_FALSE(alpha_blend(d, 0, 0, 1, -1, s, 0, 0, 1, 1, kCopy));
  EXPECT_FALSE(alpha_blend(d, 0, 0, 1, 1, s, 0, 0, -1, 1, kCopy));
  EXPECT_FALSE(alpha_blend(d, 0, 0, 1, 1, s, 0, 0, 1, 5, kCopy));  // past the bottom (sides: the random test)
  EXPECT_FALSE(alpha_blend(d, 0, 0, 1, 1, s, 0, 0, 1, 1, {1, 0, 255, 0}));
  EXPECT_FALSE(alpha_blend(d, 0, 0, 1, 1, s, 0, 0, 1, 1, {AC_SRC_OVER, 1, 255, 0}));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  // Overlapping rectangles on one bitmap.
  EXPECT_FALSE(alpha_blend(d, 0, 0, 2, 2, d, 1, 1, 2, 2, kCopy));
  EXPECT_TRUE(alpha_blend(d, 0, 0, 2, 2, d, 2, 2, 2, 2, kCopy));
}

// A 24-bit source takes constant alpha only (24-bit destinations: the random test).
TEST_F(Msimg32, TwentyFourBitSourcesTakeConstantAlphaOnly) {
  Canvas src24(2, 2, 24, false), dst(2, 2);
  EXPECT_FALSE(alpha_blend(dst.dc, 0, 0, 2, 2, src24.dc, 0, 0, 2, 2, {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA}));
  EXPECT_TRUE(alpha_blend(dst.dc, 0, 0, 2, 2, src24.dc, 0, 0, 2, 2, {AC_SRC_OVER, 0, 128, 0}));
}

// The blend of one pixel written out plainly: per-pixel alpha is the
// premultiplied blend; constant alpha alone blends the colours as an opaque
// source would, and the alpha byte like them.
uint32_t reference_blend(uint32_t source, uint32_t destination, uint32_t constant_alpha, bool per_pixel) {
  using namespace blend_reference;
  if (per_pixel) return ref_premultiplied(destination, source, constant_alpha);
  const uint32_t alpha =
      round255(byte(source, 3) * constant_alpha) + round255(byte(destination, 3) * (255 - constant_alpha));
  return alpha << 24 | (ref_premultiplied(destination, source | 0xFF000000u, constant_alpha) & 0xFFFFFFu);
}

// Seeded random blends (rows of every length, stretches both ways, partly
// off the bitmap, clipped, under viewport origins on both DCs, onto 32- or
// 24-bit destinations either way up) against a plain per-pixel reference.
// A failing iteration can be rerun alone.
TEST_F(Msimg32, RandomBlendsMatchThePlainReference) {
  seeded::iterations(300, [&](std::mt19937& rng, int) {
    const int sw = 1 + int(rng() % 37), sh = 1 + int(rng() % 9), dw = 1 + int(rng() % 41), dh = 1 + int(rng() % 9);
    Canvas src(sw, sh), dst(dw, dh, rng() % 3 ? 32 : 24, rng() % 2);
    for (int y = 0; y < sh; ++y) {
      const uint32_t kind = rng() % 3;  // noise, empty rows, opaque rows
      for (int x = 0; x < sw; ++x) src.at(x, y) = kind == 1 ? 0 : seeded::biased_word(rng) | (kind == 2 ? 0xFF000000 : 0);
    }
    dst.randomize(rng());
    const std::vector<uint32_t> before = dst.pixels();
    const int xs = int(rng() % sw), ys = int(rng() % sh);
    const int ws = 1 + int(rng() % (sw - xs)), hs = 1 + int(rng() % (sh - ys));
    const bool stretch = rng() % 2 == 0;
    const int wd = stretch ? 1 + int(rng() % 50) : ws, hd = stretch ? 1 + int(rng() % 12) : hs;
    const int xd = int(rng() % (dw + 8)) - 4, yd = int(rng() % (dh + 4)) - 2;
    const POINT dst_origin{int(rng() % 5) - 2, int(rng() % 3) - 1}, src_origin{int(rng() % 3) - 1, 0};
    SetViewportOrgEx(dst.dc, dst_origin.x, dst_origin.y, nullptr);
    SetViewportOrgEx(src.dc, src_origin.x, src_origin.y, nullptr);
    const int clip_left = int(rng() % 3);  // logical, like the blend's rectangles
    const RECT clip{clip_left, -dh, std::max(clip_left + 1, dw - int(rng() % 3)), 2 * dh};
    IntersectClipRect(dst.dc, clip.left, clip.top, clip.right, clip.bottom);
    const int sx0 = xs + src_origin.x, sy0 = ys + src_origin.y;  // the source rectangle on the bitmap
    if (sx0 < 0 || sy0 < 0 || sx0 + ws > sw || sy0 + hs > sh) {
      EXPECT_FALSE(alpha_blend(dst.dc, xd, yd, wd, hd, src.dc, xs, ys, ws, hs, {AC_SRC_OVER, 0, 255, 0}));
      return;
    }
    const BYTE constant = BYTE(seeded::biased_byte(rng));
    const bool per_pixel = rng() % 2 == 0;
    ASSERT_TRUE(alpha_blend(dst.dc, xd, yd, wd, hd, src.dc, xs, ys, ws, hs,
                            {AC_SRC_OVER, 0, constant, BYTE(per_pixel ? AC_SRC_ALPHA : 0)}));
    for (int y = 0; y < dh; ++y) {
      for (int x = 0; x < dw; ++x) {
        uint32_t expected = before[size_t(y) * dw + x];
        const int lx = x - dst_origin.x, ly = y - dst_origin.y;  // logical
        if (lx >= xd && lx < xd + wd && ly >= yd && ly < yd + hd && lx >= clip.left && lx < clip.right) {
          const int sx = sx0 + int(std::floor((lx - xd + 0.5) * ws / wd)), sy = sy0 + int(std::floor((ly - yd + 0.5) * hs / hd));
          expected = reference_blend(src.at(sx, sy), expected, constant, per_pixel);
        }
        ASSERT_EQ(dst.get(x, y), expected & (dst.bpp == 32 ? ~0u : 0xFFFFFFu)) << x << "," << y;
      }
    }
  });
}

// One row per fill (vertices as {x, y, red, green, blue, alpha}): the pixels
// probed and, for the solid triangle, the rule that pixel centres on the
// hypotenuse belong to the next triangle.
TEST_F(Msimg32, GradientsFollowTheirVerticesAndTheClip) {
  const COLOR16 F = 0xFF00;
  struct Probe {
    int x, y;
    uint32_t expected;
  };
  const struct {
    const char* what;
    std::vector<TRIVERTEX> v;
    ULONG mode;
    RECT clip;
    std::vector<Probe> probes;
  } cases[] = {
      {"horizontal, given right to left", {{4, 2, 0, 0, F, 0}, {0, 0, F, 0, 0, F}}, GRADIENT_FILL_RECT_H,
       {0, 0, 8, 8}, {{0, 1, 0xFFFF0000}, {1, 0, 0xAAAA0055}, {2, 1, 0x555500AA}, {3, 0, 0x000000FF}, {4, 0, 0}}},
      {"vertical, one column, given bottom to top",
       {{1, 3, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}, {0, 0, 0x1000, 0x2000, 0x3000, 0x4000}},
       GRADIENT_FILL_RECT_V, {0, 0, 8, 8}, {{0, 0, 0x40102030}, {0, 2, 0xFFFFFFFF}, {1, 0, 0}, {0, 3, 0}}},
      {"clipped", {{-10, -10, F, F, F, F}, {10, 10, F, F, F, F}}, GRADIENT_FILL_RECT_H, {0, 0, 2, 4},
       {{1, 3, 0xFFFFFFFF}, {2, 0, 0}}},
      {"triangle at pixel centres", {{0, 0, F, 0, 0, 0}, {0, 8, 0, 0, F, 0}, {8, 0, 0, F, 0, 0}},
       GRADIENT_FILL_TRIANGLE, {0, 0, 8, 8},  // (0.5, 0.5): 7/8 of the first vertex; (6.5, 0.5): 1/8, 1/16, 13/16
       {{0, 0, 0x00DF0F0F}, {6, 0, 0x001FCF0F}, {7, 0, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Canvas dst(8, 8);
    IntersectClipRect(dst.dc, c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
    std::vector<TRIVERTEX> v = c.v;
    ULONG mesh[3] = {0, 1, 2};  // read as GRADIENT_RECT {0, 1} or GRADIENT_TRIANGLE {0, 1, 2}
    ASSERT_TRUE(gradient_fill(dst.dc, v.data(), ULONG(v.size()), mesh, 1, c.mode));
    for (const Probe& p : c.probes) EXPECT_EQ(dst.at(p.x, p.y), p.expected) << p.x << "," << p.y;
  }
  Canvas solid(8, 8);
  TRIVERTEX v[3] = {{0, 0, 0, F, 0, F}, {8, 0, 0, F, 0, F}, {0, 8, 0, F, 0, F}};
  GRADIENT_TRIANGLE triangle{0, 1, 2};
  ASSERT_TRUE(gradient_fill(solid.dc, v, 3, &triangle, 1, GRADIENT_FILL_TRIANGLE));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(solid.at(x, y), x + y <= 6 ? 0xFF00FF00u : 0u) << x << "," << y;
  GRADIENT_RECT bad{0, 2}, rect{0, 1};
  GRADIENT_TRIANGLE bad_triangle{0, 1, 5};
  EXPECT_FALSE(gradient_fill(solid.dc, v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
  EXPECT_FALSE(gradient_fill(solid.dc, v, 2, &rect, 1, 3));
  EXPECT_FALSE(gradient_fill(solid.dc, v, 2, &bad_triangle, 1, GRADIENT_FILL_TRIANGLE));
  EXPECT_FALSE(gradient_fill(solid.dc, nullptr, 0, &rect, 1, GRADIENT_FILL_RECT_H));
}

}  // namespace
