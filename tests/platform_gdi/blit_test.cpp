// BitBlt, StretchBlt, PatBlt and FillRect beyond the seeded random
// comparisons: overlapping blits within one bitmap, arguments far out of
// range never touching memory outside the area the DC may draw in, empty
// and inverted rectangles, bad arguments, and extreme stretch extents.
// Depends on: gdi_test_util.h and the stretch sampling rule's header.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "display/stretch_sampling.h"
#include "gdi_test_util.h"

using gdi_test::TestDib;

namespace {

constexpr uint32_t kGuard = 0x5A5A5A5Au;

// The picture after copying a w x h block from (sx, sy) to (dx, dy) through a temporary.
std::vector<uint32_t> moved(const std::vector<uint32_t>& before, int width, int dx, int dy, int sx, int sy, int w,
                            int h) {
  std::vector<uint32_t> after = before;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) after[(dy + y) * width + dx + x] = before[(sy + y) * width + sx + x];
  return after;
}

TEST(BitBlt, OverlappingBlitsCopyAsThroughATemporary) {
  TestDib dib(16, 12);
  const struct { int dx, dy, sx, sy; } moves[] = {{1, 0, 0, 0}, {0, 0, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 1},
                                                   {2, 3, 0, 0}, {0, 0, 3, 2}, {3, 0, 0, 2}};
  uint32_t seed = 1;
  for (const auto& m : moves) {
    dib.randomize(seed++);
    const std::vector<uint32_t> expected = moved(dib.pixels(), 16, m.dx, m.dy, m.sx, m.sy, 12, 9);
    ASSERT_TRUE(BitBlt(dib.dc, m.dx, m.dy, 12, 9, dib.dc, m.sx, m.sy, SRCCOPY));
    EXPECT_EQ(dib.pixels(), expected) << m.dx << "," << m.dy << " <- " << m.sx << "," << m.sy;
  }
  // A stretch within one bitmap reads the source as it was before the call.
  dib.randomize(99);
  const std::vector<uint32_t> before = dib.pixels();
  ASSERT_TRUE(StretchBlt(dib.dc, 0, 0, 16, 12, dib.dc, 0, 0, 8, 6, SRCCOPY));
  EXPECT_EQ(dib.get(15, 11), before[5 * 16 + 7]);
  EXPECT_EQ(dib.get(3, 3), before[1 * 16 + 1]);
}

// The destination is clipped to its inner 6x6 and offset by a viewport; the
// ring of pixels around that area is the guard that must stay as it was.
TEST(BitBlt, OutOfRangeArgumentsNeverTouchOutsideTheClip) {
  TestDib src(10, 10), dst(10, 10);
  src.randomize(5);
  const int huge[] = {INT_MIN, INT_MIN + 1, -1000000000, -11, -1, 0, 1, 3, 9, 10, 11, 1000000000, INT_MAX - 1, INT_MAX};
  const auto outside_untouched = [&] {
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        if (x < 2 || x >= 8 || y < 2 || y >= 8) {
          if (dst.get(x, y) != kGuard) return false;
        }
    return true;
  };
  for (int vx : {0, -3, INT_MAX}) {
    dst.fill(kGuard);
    SetViewportOrgEx(dst.dc, vx, 0, nullptr);
    SelectClipRgn(dst.dc, nullptr);
    ASSERT_NE(IntersectClipRect(dst.dc, 2 - vx, 2, 8 - vx, 8), ERROR);
    SetViewportOrgEx(src.dc, vx == INT_MAX ? INT_MIN : vx, 0, nullptr);
    for (int a : huge) {
      for (int b : huge) {
        BitBlt(dst.dc, a, b, b, a, src.dc, b, a, SRCCOPY);
        BitBlt(dst.dc, a, a, b, b, src.dc, a, b, SRCINVERT);
        StretchBlt(dst.dc, a, 1, b, 7, src.dc, b, 0, a, 3, SRCCOPY);
        StretchBlt(dst.dc, 0, a, 5, b, src.dc, 1, b, 2, a, NOTSRCCOPY);
        StretchBlt(dst.dc, a, b, a, b, src.dc, b, a, b, a, 0x00E20746u);
        PatBlt(dst.dc, a, b, b, a, PATINVERT);
        ASSERT_TRUE(outside_untouched()) << "viewport " << vx << " a " << a << " b " << b;
      }
    }
  }
}

// A source is needed where the operation reads one (the random test passes
// none where it reads none), and an empty blit succeeds and draws nothing.
TEST(BitBlt, SourceAndDestinationAreCheckedAndAnEmptyBlitSucceeds) {
  TestDib dst(4, 4);
  dst.fill(kGuard);
  EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
  EXPECT_FALSE(PatBlt(dst.dc, 0, 0, 4, 4, SRCCOPY));
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 4, 4, dst.dc, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(reinterpret_cast<HDC>(dst.bitmap), 0, 0, 4, 4, dst.dc, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 0, 2, dst.dc, 0, 0, SRCCOPY));
  for (uint32_t w : dst.pixels()) EXPECT_EQ(w, kGuard);
}

// An inverted rectangle paints nothing, a huge one stops at the clip.
TEST(FillRect, InvertedAndHugeRectanglesAndBadArguments) {
  TestDib dib(6, 6);
  dib.fill(kGuard);
  const RECT inverted{3, 3, 0, 0}, huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  const auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(FillRect(dib.dc, &inverted, white));
  EXPECT_EQ(dib.get(1, 1), kGuard);
  SetViewportOrgEx(dib.dc, 1, 1, nullptr);
  IntersectClipRect(dib.dc, 0, 0, 1, 1);  // device pixel (1, 1) only
  EXPECT_TRUE(FillRect(dib.dc, &huge, white));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(dib.get(x, y), x == 1 && y == 1 ? 0x00FFFFFFu : kGuard) << x << "," << y;
    }
  EXPECT_EQ(FillRect(dib.dc, &huge, nullptr), 0);
  EXPECT_EQ(FillRect(dib.dc, nullptr, white), 0);
  EXPECT_EQ(FillRect(nullptr, &huge, white), 0);
}

// The sampling rule stays exact at extents no bitmap reaches.
TEST(StretchSampling, ExactAtTheExtremes) {
  using platform::display::stretch_source_offset;
  const int64_t big = int64_t{1} << 31;  // |INT_MIN|
  EXPECT_EQ(stretch_source_offset(big - 1, big, big), big - 1);
  EXPECT_EQ(stretch_source_offset(big - 1, -big, 1), 0);
  EXPECT_EQ(stretch_source_offset(0, 1, -big), big / 2);
}

}  // namespace
