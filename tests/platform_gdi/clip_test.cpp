// Clipping: IntersectClipRect's logical coordinates that accumulate,
// GetClipRgn's answers; a DC without a bitmap has no surface. Random blits under both clips are in blit_random_test.cpp (with
// the random blends they pin the surface, origin and clip other modules read).
// Depends on: gdi_test_util.h, gdi/surface.h.
#include <gtest/gtest.h>

#include <algorithm>

#include "gdi/surface.h"
#include "gdi_test_util.h"

using gdi_test::TestDib;

namespace {

constexpr uint32_t kBlank = 0x11111111u;

// The pixels touched: all of device (5,1)-(7,5) and nothing else.
void expect_only_the_clip_touched(const TestDib& dib) {
  const std::vector<uint32_t> pixels = dib.pixels();
  EXPECT_EQ(gdi_test::edges(gdi_test::changed_box(dib, kBlank)), gdi_test::edges(RECT{5, 1, 7, 5}));
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kBlank), 100 - 2 * 4);
}

TEST(Clip, IntersectClipRectIsLogicalAndAccumulates) {
  TestDib src(10, 10), dst(10, 10);
  src.fill(0xFF00FF00u);
  dst.fill(kBlank);
  SetViewportOrgEx(dst.dc, 2, 0, nullptr);
  EXPECT_EQ(IntersectClipRect(dst.dc, 0, 0, 5, 5), SIMPLEREGION);  // device (2,0)-(7,5)
  EXPECT_EQ(IntersectClipRect(dst.dc, 3, 1, 9, 9), SIMPLEREGION);  // device (5,1)-(11,9)
  ASSERT_TRUE(BitBlt(dst.dc, -2, 0, 10, 10, src.dc, 0, 0, SRCCOPY));
  expect_only_the_clip_touched(dst);
  EXPECT_EQ(IntersectClipRect(dst.dc, 100, 100, 200, 200), NULLREGION);
  ASSERT_TRUE(BitBlt(dst.dc, -2, 0, 10, 10, nullptr, 0, 0, WHITENESS));
  expect_only_the_clip_touched(dst);
  // GetClipRgn says whether there is a clip. (That SelectClipRgn takes device
  // coordinates and a copy of the region is the random blits'.)
  const HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dst.dc, copy), 1);
  EXPECT_EQ(GetClipRgn(dst.dc, nullptr), -1);
  EXPECT_EQ(SelectClipRgn(dst.dc, nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(dst.dc, copy), 0);
  EXPECT_TRUE(DeleteObject(copy));
}

// A DC holding only the stock 1x1 bitmap has no pixels: drawing succeeds and touches nothing.
TEST(Clip, ADcWithoutABitmapHasNoSurface) {
  const HDC empty = CreateCompatibleDC(nullptr);
  platform::gdi::Surface s;
  EXPECT_FALSE(platform::gdi::dc_surface(empty, &s));
  EXPECT_TRUE(platform::gdi::dc_clip_rects(empty).empty());
  EXPECT_TRUE(PatBlt(empty, 0, 0, 1, 1, WHITENESS));
  DeleteDC(empty);
  EXPECT_FALSE(platform::gdi::dc_surface(empty, &s));
}

}  // namespace
