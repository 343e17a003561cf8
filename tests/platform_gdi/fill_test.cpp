// FillRect: hatched brushes in both background modes (alpha 0 written, as
// all GDI drawing writes it; that SRCCOPY copies alpha and patterns write 0
// is the random blits'), edges, viewport, clip and bad arguments.
// Depends on: gdi_test_util.h.
#include <gtest/gtest.h>

#include "gdi_test_util.h"

using gdi_test::TestDib;

namespace {

TEST(FillRect, HatchedBrushInBothBackgroundModes) {
  TestDib dib(8, 8);
  const HBRUSH hatch = CreateHatchBrush(HS_FDIAGONAL, RGB(0, 255, 0));
  const RECT all{0, 0, 8, 8};
  dib.fill(0xFF123456u);
  SetBkColor(dib.dc, RGB(9, 9, 9));
  ASSERT_TRUE(FillRect(dib.dc, &all, hatch));  // OPAQUE: gaps in the background colour
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(dib.get(x, y), x == y ? 0x0000FF00u : 0x00090909u);
  dib.fill(0xFF123456u);
  SetBkMode(dib.dc, TRANSPARENT);
  ASSERT_TRUE(FillRect(dib.dc, &all, hatch));  // TRANSPARENT: gaps untouched
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(dib.get(x, y), x == y ? 0x0000FF00u : 0xFF123456u);
  DeleteObject(hatch);
}

TEST(FillRect, EdgesViewportClipAndBadArguments) {
  TestDib dib(6, 6);
  dib.fill(0xAAAAAAAAu);
  SetViewportOrgEx(dib.dc, 1, 1, nullptr);
  const RECT r{0, 0, 3, 2};  // device (1,1)-(4,3): right and bottom edges excluded
  ASSERT_TRUE(FillRect(dib.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  int black = 0;
  for (uint32_t w : dib.pixels()) black += w == 0;
  EXPECT_EQ(black, 6);
  EXPECT_EQ(dib.get(1, 1), 0u);
  EXPECT_EQ(dib.get(4, 1), 0xAAAAAAAAu);
  const RECT inverted{3, 3, 0, 0}, huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  EXPECT_TRUE(FillRect(dib.dc, &inverted, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
  EXPECT_EQ(dib.get(2, 2), 0u);
  EXPECT_TRUE(FillRect(dib.dc, &huge, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))));
  EXPECT_EQ(dib.get(2, 2), 0u);
  IntersectClipRect(dib.dc, 0, 0, 1, 1);  // device pixel (1, 1) only
  EXPECT_TRUE(FillRect(dib.dc, &huge, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
  int white = 0;
  for (uint32_t w : dib.pixels()) white += w == 0x00FFFFFFu;
  EXPECT_EQ(white, 1);
  EXPECT_EQ(FillRect(dib.dc, &r, nullptr), 0);
  EXPECT_EQ(FillRect(dib.dc, nullptr, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), 0);
  EXPECT_EQ(FillRect(nullptr, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), 0);
}

}  // namespace
