// StretchBlt sampling: blocks when enlarging, one pixel per block when
// shrinking, mirroring by negative extents, 1-pixel and zero extents, sources
// partly outside their bitmap, and the equal-extent case being BitBlt.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "display/stretch_sampling.h"
#include "gdi_test_util.h"

using gdi_test::TestDib;

namespace {

constexpr uint32_t kUntouched = 0x77777777u;

// A source whose pixel (x, y) is 0xFF0000yx-ish: distinct and alpha 0xFF.
void number(TestDib& dib) {
  for (int y = 0; y < dib.h; ++y)
    for (int x = 0; x < dib.w; ++x) dib.set(x, y, 0xFF000000u | static_cast<uint32_t>(y << 8 | x));
}

uint32_t id(int x, int y) { return 0xFF000000u | static_cast<uint32_t>(y << 8 | x); }

TEST(StretchBlt, EnlargingGivesEachSourcePixelABlock) {
  TestDib src(2, 2), dst(4, 4);
  number(src);
  ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 4, 4, src.dc, 0, 0, 2, 2, SRCCOPY));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.get(x, y), id(x / 2, y / 2)) << x << "," << y;
}

TEST(StretchBlt, ShrinkingKeepsOnePixelOfEachBlock) {
  TestDib src(4, 4), dst(2, 2);
  number(src);
  ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, 4, 4, SRCCOPY));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) {
      const uint32_t got = dst.get(x, y);
      EXPECT_EQ((got & 0xFF) / 2, static_cast<uint32_t>(x));
      EXPECT_EQ(((got >> 8) & 0xFF) / 2, static_cast<uint32_t>(y));
      EXPECT_EQ(got, id(2 * x + 1, 2 * y + 1));  // the centre rule picks the second of each pair
    }
  }
}

TEST(StretchBlt, NegativeExtentsMirror) {
  TestDib src(4, 3), dst(4, 3);
  number(src);
  ASSERT_TRUE(StretchBlt(dst.dc, 4, 0, -4, 3, src.dc, 0, 0, 4, 3, SRCCOPY));
  for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.get(x, 1), id(3 - x, 1));
  ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 4, 3, src.dc, 0, 3, 4, -3, SRCCOPY));
  for (int y = 0; y < 3; ++y) EXPECT_EQ(dst.get(2, y), id(2, 2 - y));
  ASSERT_TRUE(StretchBlt(dst.dc, 4, 3, -4, -3, src.dc, 4, 3, -4, -3, SRCCOPY));  // both sides: no mirror
  EXPECT_EQ(dst.pixels(), src.pixels());
  ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 4, 3, src.dc, 4, 3, -4, -3, SRCCOPY));  // rotated half a turn
  EXPECT_EQ(dst.get(0, 0), id(3, 2));
  EXPECT_EQ(dst.get(3, 2), id(0, 0));
}

TEST(StretchBlt, OnePixelExtents) {
  TestDib src(5, 1), dst(3, 2);
  number(src);
  ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 3, 2, src.dc, 4, 0, 1, 1, SRCCOPY));
  for (uint32_t w : dst.pixels()) EXPECT_EQ(w, id(4, 0));
  ASSERT_TRUE(StretchBlt(dst.dc, 1, 1, 1, 1, src.dc, 0, 0, 5, 1, SRCCOPY));
  EXPECT_EQ(dst.get(1, 1), id(2, 0));  // the middle one
}

TEST(StretchBlt, ZeroExtentsFailAndTouchNothing) {
  TestDib src(2, 2), dst(2, 2);
  number(src);
  dst.fill(kUntouched);
  EXPECT_FALSE(StretchBlt(dst.dc, 0, 0, 0, 2, src.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_FALSE(StretchBlt(dst.dc, 0, 0, 2, 0, src.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_FALSE(StretchBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, 0, 2, SRCCOPY));
  EXPECT_FALSE(StretchBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, 2, 0, SRCCOPY));
  for (uint32_t w : dst.pixels()) EXPECT_EQ(w, kUntouched);
  // An empty BitBlt draws nothing and succeeds.
  EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 0, 2, src.dc, 0, 0, SRCCOPY));
  for (uint32_t w : dst.pixels()) EXPECT_EQ(w, kUntouched);
}

TEST(StretchBlt, PixelsWhoseSourceIsOutsideStayUntouched) {
  TestDib src(2, 2), dst(4, 4);
  number(src);
  dst.fill(kUntouched);
  // The source span [1, 3) is half outside: the right half of the destination keeps its pixels.
  ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 4, 4, src.dc, 1, 0, 2, 2, SRCCOPY));
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(dst.get(0, y), id(1, y / 2));
    EXPECT_EQ(dst.get(1, y), id(1, y / 2));
    EXPECT_EQ(dst.get(2, y), kUntouched);
    EXPECT_EQ(dst.get(3, y), kUntouched);
  }
}

TEST(StretchBlt, EqualExtentsAreBitBltAndModesAgree) {
  TestDib src(13, 7), a(13, 7), b(13, 7);
  src.randomize(3);
  ASSERT_TRUE(BitBlt(a.dc, 2, 1, 9, 5, src.dc, 3, 2, SRCCOPY));
  ASSERT_TRUE(StretchBlt(b.dc, 2, 1, 9, 5, src.dc, 3, 2, 9, 5, SRCCOPY));
  EXPECT_EQ(a.pixels(), b.pixels());

  std::vector<uint32_t> first;
  for (int mode : {COLORONCOLOR, BLACKONWHITE, WHITEONBLACK, HALFTONE}) {
    SetStretchBltMode(a.dc, mode);
    ASSERT_TRUE(StretchBlt(a.dc, 0, 0, 13, 7, src.dc, 1, 1, 5, 4, SRCCOPY));
    if (first.empty()) first = a.pixels();
    EXPECT_EQ(a.pixels(), first) << "mode " << mode;
  }
}

TEST(StretchBlt, TwentyFourBitSourceAndDestination) {
  TestDib src(2, 1, 24, false), dst(4, 1, 24), back(4, 1);
  src.set(0, 0, 0x00A1B2C3u);
  src.set(1, 0, 0x00D4E5F6u);
  ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(dst.get(1, 0), 0x00A1B2C3u);
  EXPECT_EQ(dst.get(2, 0), 0x00D4E5F6u);
  back.fill(0xFFFFFFFFu);
  ASSERT_TRUE(BitBlt(back.dc, 0, 0, 4, 1, dst.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(back.get(3, 0), 0x00D4E5F6u);  // the missing 4th byte reads as alpha 0
}

// Seeded random copies (enlarging, shrinking, 32- and 24-bit destinations,
// clipped) against the sampling rule written out; a failing seed can be
// rerun alone.
TEST(StretchBlt, RandomCopiesFollowTheSamplingRule) {
  for (uint32_t seed = 0; seed < 200; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const int sw = 1 + int(rng() % 30), sh = 1 + int(rng() % 12), dw = 1 + int(rng() % 40), dh = 1 + int(rng() % 30);
    TestDib src(sw, sh), dst(dw, dh, rng() % 3 == 0 ? 24 : 32);
    src.randomize(seed);
    dst.fill(kUntouched);
    const std::vector<uint32_t> before = dst.pixels();
    const int xs = int(rng() % sw), ys = int(rng() % sh);
    const int ws = 1 + int(rng() % (sw - xs)), hs = 1 + int(rng() % (sh - ys));
    const int wd = 1 + int(rng() % 45), hd = 1 + int(rng() % 35), xd = int(rng() % 9) - 4, yd = int(rng() % 9) - 4;
    const int clip_top = int(rng() % 4);
    IntersectClipRect(dst.dc, 0, clip_top, dw, dh);
    ASSERT_TRUE(StretchBlt(dst.dc, xd, yd, wd, hd, src.dc, xs, ys, ws, hs, SRCCOPY));
    const uint32_t colour_mask = dst.bpp == 32 ? 0xFFFFFFFFu : 0x00FFFFFFu;
    for (int y = 0; y < dh; ++y) {
      for (int x = 0; x < dw; ++x) {
        uint32_t expected = before[size_t(y) * dw + x];
        if (x >= xd && x < xd + wd && y >= yd && y < yd + hd && y >= clip_top) {
          const int sx = xs + int(platform::display::stretch_source_offset(x - xd, wd, ws));
          const int sy = ys + int(platform::display::stretch_source_offset(y - yd, hd, hs));
          expected = src.get(sx, sy) & colour_mask;
        }
        ASSERT_EQ(dst.get(x, y), expected) << x << "," << y;
      }
    }
  }
}

TEST(StretchSampling, SharedRuleAtTheExtremes) {
  using platform::display::stretch_source_offset;
  EXPECT_EQ(stretch_source_offset(0, 4, 2), 0);
  EXPECT_EQ(stretch_source_offset(3, -4, 2), 1);
  const int64_t big = int64_t{1} << 31;  // |INT_MIN|
  EXPECT_EQ(stretch_source_offset(big - 1, big, big), big - 1);
  EXPECT_EQ(stretch_source_offset(big - 1, -big, 1), 0);
  EXPECT_EQ(stretch_source_offset(0, 1, -big), big / 2);
}

}  // namespace
