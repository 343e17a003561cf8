// Viewport origins and clipping: a blit lands at origin + position on the
// destination, reads at origin + position on the source, and never leaves the
// clip region, whether set from device coordinates (SelectClipRgn) or logical
// ones (IntersectClipRect).
#include <gtest/gtest.h>

#include "gdi/surface.h"
#include "gdi_test_util.h"

using gdi_test::TestDib;

namespace {

constexpr uint32_t kBlank = 0x11111111u;

std::vector<POINT> touched(const TestDib& dib) {
  std::vector<POINT> out;
  for (int y = 0; y < dib.h; ++y)
    for (int x = 0; x < dib.w; ++x)
      if (dib.get(x, y) != kBlank) out.push_back(POINT{x, y});
  return out;
}

TEST(Viewport, BlitLandsAtOriginPlusPosition) {
  TestDib src(4, 4), dst(12, 12);
  src.fill(0xFFABCDEFu);
  src.set(1, 2, 0xFF000001u);
  dst.fill(kBlank);
  POINT old{-1, -1};
  ASSERT_TRUE(SetViewportOrgEx(dst.dc, 5, 3, &old));
  EXPECT_EQ(old.x, 0);
  EXPECT_EQ(old.y, 0);
  ASSERT_TRUE(SetViewportOrgEx(src.dc, -1, -1, nullptr));
  ASSERT_TRUE(BitBlt(dst.dc, 1, 2, 2, 2, src.dc, 2, 3, SRCCOPY));  // source device (1, 2)
  const std::vector<POINT> t = touched(dst);
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t.front().x, 6);
  EXPECT_EQ(t.front().y, 5);
  EXPECT_EQ(dst.get(6, 5), 0xFF000001u);
  POINT now{};
  ASSERT_TRUE(GetViewportOrgEx(dst.dc, &now));
  EXPECT_EQ(now.x, 5);
  EXPECT_EQ(now.y, 3);
}

TEST(Clip, SelectClipRgnIsDeviceCoordinatesAndKeepsACopy) {
  TestDib dst(10, 10);
  dst.fill(kBlank);
  const HRGN a = CreateRectRgn(1, 1, 3, 3), b = CreateRectRgn(6, 6, 9, 8);
  ASSERT_EQ(CombineRgn(a, a, b, RGN_OR), COMPLEXREGION);
  SetViewportOrgEx(dst.dc, 4, 4, nullptr);
  ASSERT_EQ(SelectClipRgn(dst.dc, a), COMPLEXREGION);
  ASSERT_EQ(CombineRgn(a, b, nullptr, RGN_COPY), SIMPLEREGION);  // changes the original only
  ASSERT_TRUE(PatBlt(dst.dc, -4, -4, 10, 10, BLACKNESS));
  const std::vector<POINT> t = touched(dst);
  EXPECT_EQ(t.size(), 4u + 6u);
  for (const POINT& p : t) {
    const bool in_a = p.x >= 1 && p.x < 3 && p.y >= 1 && p.y < 3;
    const bool in_b = p.x >= 6 && p.x < 9 && p.y >= 6 && p.y < 8;
    EXPECT_TRUE(in_a || in_b) << p.x << "," << p.y;
  }
  const HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dst.dc, copy), 1);
  EXPECT_TRUE(PtInRegion(copy, 1, 1));
  EXPECT_TRUE(PtInRegion(copy, 8, 7));
  EXPECT_FALSE(PtInRegion(copy, 5, 5));
  RECT box{};
  EXPECT_EQ(GetClipBox(dst.dc, &box), COMPLEXREGION);  // logical: device minus the viewport origin
  EXPECT_EQ(box.left, -3);
  EXPECT_EQ(box.top, -3);
  EXPECT_EQ(box.right, 5);
  EXPECT_EQ(box.bottom, 4);
  EXPECT_EQ(SelectClipRgn(dst.dc, nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(dst.dc, copy), 0);
  EXPECT_EQ(GetClipRgn(dst.dc, nullptr), -1);
  for (HRGN r : {a, b, copy}) EXPECT_TRUE(DeleteObject(r));
}

TEST(Clip, IntersectClipRectIsLogicalAndAccumulates) {
  TestDib src(10, 10), dst(10, 10);
  src.fill(0xFF00FF00u);
  dst.fill(kBlank);
  SetViewportOrgEx(dst.dc, 2, 0, nullptr);
  EXPECT_EQ(IntersectClipRect(dst.dc, 0, 0, 5, 5), SIMPLEREGION);  // device (2,0)-(7,5)
  EXPECT_EQ(IntersectClipRect(dst.dc, 3, 1, 9, 9), SIMPLEREGION);  // device (5,1)-(11,9)
  ASSERT_TRUE(BitBlt(dst.dc, -2, 0, 10, 10, src.dc, 0, 0, SRCCOPY));
  const std::vector<POINT> t = touched(dst);
  ASSERT_EQ(t.size(), 2u * 4u);
  for (const POINT& p : t) {
    EXPECT_TRUE(p.x >= 5 && p.x < 7 && p.y >= 1 && p.y < 5) << p.x << "," << p.y;
  }
  EXPECT_EQ(IntersectClipRect(dst.dc, 100, 100, 200, 200), NULLREGION);
  RECT box{1, 1, 1, 1};
  EXPECT_EQ(GetClipBox(dst.dc, &box), NULLREGION);
  ASSERT_TRUE(BitBlt(dst.dc, -2, 0, 10, 10, nullptr, 0, 0, WHITENESS));
  EXPECT_EQ(touched(dst).size(), 8u);
}

TEST(Clip, SurfaceDescriptionForOtherModules) {
  TestDib dib(20, 10, 32, false);
  platform::gdi::Surface s;
  ASSERT_TRUE(platform::gdi::dc_surface(dib.dc, &s));
  EXPECT_EQ(s.width, 20);
  EXPECT_EQ(s.height, 10);
  EXPECT_EQ(s.bits_per_pixel, 32);
  EXPECT_EQ(s.stride, -80);  // bottom-up: row 0 is the last in memory
  EXPECT_EQ(s.bits, dib.bits + 80 * 9);
  SetViewportOrgEx(dib.dc, 3, -4, nullptr);
  EXPECT_EQ(platform::gdi::dc_viewport_origin(dib.dc).x, 3);
  EXPECT_EQ(platform::gdi::dc_viewport_origin(dib.dc).y, -4);
  std::vector<RECT> rects = platform::gdi::dc_clip_rects(dib.dc);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].right, 20);
  const HRGN r = CreateRectRgn(-5, 2, 4, 50);
  SelectClipRgn(dib.dc, r);
  rects = platform::gdi::dc_clip_rects(dib.dc);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].left, 0);
  EXPECT_EQ(rects[0].top, 2);
  EXPECT_EQ(rects[0].right, 4);
  EXPECT_EQ(rects[0].bottom, 10);
  DeleteObject(r);
  const HDC empty = CreateCompatibleDC(nullptr);  // holds the stock 1x1 bitmap: no pixels
  EXPECT_FALSE(platform::gdi::dc_surface(empty, &s));
  EXPECT_TRUE(platform::gdi::dc_clip_rects(empty).empty());
  EXPECT_TRUE(PatBlt(empty, 0, 0, 1, 1, WHITENESS));
  DeleteDC(empty);
  EXPECT_FALSE(platform::gdi::dc_surface(empty, &s));
}

}  // namespace
