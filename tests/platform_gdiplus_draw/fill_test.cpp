// Fills: exact pixel coverage with and without anti-aliasing, both pixel
// offset modes, translucent compositing, fill modes, clip and transforms.
#include <cmath>

#include "draw_test_support.h"

using namespace draw_test;

namespace {

using FillTest = DrawTest;

TEST_F(FillTest, RectanglesCoverExactlyThePixelsWhoseCentresTheyHold) {
  struct Case {
    PixelOffsetMode offset;
    SmoothingMode mode;
    REAL x, y, w, h;
    int x0, y0, x1, y1;
  } const cases[] = {
      {PixelOffsetModeHalf, SmoothingModeNone, 10, 10, 20, 20, 10, 10, 30, 30},
      {PixelOffsetModeHalf, SmoothingModeAntiAlias, 10, 10, 20, 20, 10, 10, 30, 30},  // whole-pixel edges
      {PixelOffsetModeHalf, SmoothingModeNone, 0, 0, 64, 64, 0, 0, 64, 64},
      {PixelOffsetModeNone, SmoothingModeNone, 10, 10, 20, 20, 10, 10, 30, 30},  // centres: same aliased pixels
      // x from 2.49 to 5.51 takes centres 2.5 .. 5.5; y from 2.51 to 4.51 takes 3.5 and 4.5.
      {PixelOffsetModeHalf, SmoothingModeNone, 2.49f, 2.51f, 3.02f, 2.0f, 2, 3, 6, 5},
  };
  for (const Case& c : cases) {
    fill_all(kWhite);
    ASSERT_EQ(GdipSetPixelOffsetMode(graphics_, c.offset), Ok);
    smoothing(c.mode);
    fill_rect(kBlack, c.x, c.y, c.w, c.h);
    EXPECT_EQ(off_box(kBlack, c.x0, c.y0, c.x1, c.y1), 0) << c.offset << " " << c.mode << " " << c.x << "," << c.w;
  }
  // Pixel offset none, anti-aliased: the edges cover half of the pixels on each side.
  fill_all(kWhite);
  ASSERT_EQ(GdipSetPixelOffsetMode(graphics_, PixelOffsetModeNone), Ok);
  smoothing(SmoothingModeAntiAlias);
  fill_rect(kBlack, 10, 10, 20, 20);
  EXPECT_EQ(at(11, 11), kBlack);
  EXPECT_EQ(at(29, 29), kBlack);
  EXPECT_NEAR(red(at(10, 20)), 128, 1);
  EXPECT_NEAR(red(at(30, 20)), 128, 1);
  EXPECT_NEAR(red(at(10, 10)), 191, 1);  // a quarter covered
  EXPECT_EQ(at(31, 20), kWhite);
}

TEST_F(FillTest, CompositingOverAndCopy) {
  struct Case {
    ARGB destination, fill;
    CompositingMode mode;
    ARGB expected;
  } const cases[] = {
      {kWhite, 0x0D000000, CompositingModeSourceOver, 0xFFF2F2F2},      // 242 in every channel
      {0x00FFFFFF, 0x0D000000, CompositingModeSourceOver, 0x0DF2F2F2},  // a transparent destination keeps its colour
      {0x00FFFFFF, 0x00123456, CompositingModeSourceOver, 0x00FFFFFF},  // alpha 0 changes nothing
      {kWhite, 0x40102030, CompositingModeSourceCopy, 0x40102030},
  };
  for (const Case& c : cases) {
    fill_all(c.destination);
    ASSERT_EQ(GdipSetCompositingMode(graphics_, c.mode), Ok);
    fill_rect(c.fill, 0, 0, 8, 8);
    EXPECT_EQ(at(1, 1), c.expected) << std::hex << c.fill;
    EXPECT_EQ(at(8, 8), c.destination);
  }
}

TEST_F(FillTest, TranslucentFillsDarkenStepByStep) {
  GpBrush* veil = brush(0x0D000000);
  int previous = 255;
  for (int step = 0; step < 80; ++step) {
    ASSERT_EQ(GdipFillRectangle(graphics_, veil, 0, 0, 64, 64), Ok);
    const int now = red(at(5, 5));
    EXPECT_LE(now, previous);
    EXPECT_TRUE(previous <= 10 || now < previous) << "step " << step << ": " << now;
    EXPECT_EQ(green(at(5, 5)), now);
    EXPECT_EQ(alpha(at(5, 5)), 255);
    previous = now;
  }
}

TEST_F(FillTest, AliasedFillIsAllOrNothingAndAntiAliasedBlends) {
  const GpPointF triangle[3] = {{2.3f, 1.7f}, {60.6f, 12.2f}, {20.1f, 58.9f}};
  smoothing(SmoothingModeNone);
  ASSERT_EQ(GdipFillPolygon(graphics_, brush(kBlack), triangle, 3, FillModeAlternate), Ok);
  EXPECT_EQ(count_where([](int, int, uint32_t p) { return p != kBlack && p != kWhite; }), 0);
  // Area of the triangle: 1/2 |cross| = 1540.9; centre sampling stays within a few edge pixels.
  EXPECT_NEAR(count(kBlack), 1541, 40);
  fill_all(kWhite);
  smoothing(SmoothingModeAntiAlias);
  ASSERT_EQ(GdipFillPolygon(graphics_, brush(kBlack), triangle, 3, FillModeAlternate), Ok);
  EXPECT_GT(count_where([](int, int, uint32_t p) { return p != kBlack && p != kWhite; }), 60);
}

TEST_F(FillTest, FillModes) {
  // A pentagram: the centre is outside under alternate, inside under winding.
  GpPointF star[5];
  for (int i = 0; i < 5; ++i) {
    const double a = -M_PI / 2 + i * 4 * M_PI / 5;
    star[i] = GpPointF{REAL(32 + 28 * std::cos(a)), REAL(32 + 28 * std::sin(a))};
  }
  GpBrush* black = brush(kBlack);
  ASSERT_EQ(GdipFillPolygon(graphics_, black, star, 5, FillModeAlternate), Ok);
  EXPECT_EQ(at(32, 32), kWhite);
  EXPECT_EQ(at(32, 8), kBlack);
  ASSERT_EQ(GdipFillPolygon(graphics_, black, star, 5, FillModeWinding), Ok);
  EXPECT_EQ(at(32, 32), kBlack);
  EXPECT_EQ(GdipFillPolygon(graphics_, black, star, 2, FillModeWinding), InvalidParameter);
}

TEST_F(FillTest, EllipsesAndPiesCoverTheirArea) {
  ASSERT_EQ(GdipFillEllipse(graphics_, brush(kBlack), 2, 2, 60, 40), Ok);
  EXPECT_NEAR(count(kBlack), M_PI * 30 * 20, 30);
  fill_all(kWhite);
  // A quarter pie from 0 to 90 degrees (clockwise: the lower right quarter).
  ASSERT_EQ(GdipFillPie(graphics_, brush(kBlack), 2, 2, 60, 60, 0, 90), Ok);
  EXPECT_EQ(at(40, 40), kBlack);
  EXPECT_EQ(at(24, 40), kWhite);
  EXPECT_EQ(at(40, 24), kWhite);
  EXPECT_NEAR(count(kBlack), M_PI * 900 / 4, 20);
  // On a 60x20 ellipse a 45 degree ray is the diagonal of the bounding box's lower right quarter.
  fill_all(kWhite);
  ASSERT_EQ(GdipFillPie(graphics_, brush(kBlack), 2, 22, 60, 20, 0, 45), Ok);
  EXPECT_EQ(at(44, 34), kBlack);  // (12, 2) from the centre: 9.5 degrees
  EXPECT_EQ(at(36, 40), kWhite);  // (4, 8) from the centre: 63 degrees
  EXPECT_EQ(at(40, 38), kBlack);  // (8, 6) from the centre: 37 degrees, inside the ellipse
}

TEST_F(FillTest, ClipIsRespected) {
  ASSERT_EQ(GdipSetClipRectI(graphics_, 8, 8, 16, 16, CombineModeReplace), Ok);
  ASSERT_EQ(GdipSetClipRectI(graphics_, 12, 12, 4, 4, CombineModeExclude), Ok);
  fill_rect(kBlack, 0, 0, 64, 64);
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) {
              const bool in = x >= 8 && x < 24 && y >= 8 && y < 24 && !(x >= 12 && x < 16 && y >= 12 && y < 16);
              return (p == kBlack) != in;
            }),
            0);
  // A clip change is seen by the next fill (the clip mask is remade).
  ASSERT_EQ(GdipSetClipRectI(graphics_, 40, 40, 2, 2, CombineModeReplace), Ok);
  fill_rect(kRed, 0, 0, 64, 64);
  EXPECT_EQ(count(kRed), 4);
  ASSERT_EQ(GdipSetClipRectI(graphics_, 100, 100, 2, 2, CombineModeReplace), Ok);
  fill_rect(kBlue, 0, 0, 64, 64);
  EXPECT_EQ(count(kBlue), 0);
}

TEST_F(FillTest, ClipFromPathAndSavedStates) {
  GpPath* circle = path();
  ASSERT_EQ(GdipAddPathEllipse(circle, 16, 16, 32, 32), Ok);
  GraphicsState state = 0;
  ASSERT_EQ(GdipSaveGraphics(graphics_, &state), Ok);
  ASSERT_EQ(GdipSetClipPath(graphics_, circle, CombineModeReplace), Ok);
  fill_rect(kBlack, 0, 0, 64, 64);
  EXPECT_EQ(at(32, 32), kBlack);
  EXPECT_EQ(at(18, 18), kWhite);
  EXPECT_NEAR(count(kBlack), M_PI * 256, 20);
  ASSERT_EQ(GdipRestoreGraphics(graphics_, state), Ok);
  fill_rect(kRed, 0, 0, 64, 64);
  EXPECT_EQ(at(18, 18), kRed);
}

TEST_F(FillTest, WorldTransformAndPageUnit) {
  make_canvas(200, 200);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 100, 50, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateWorldTransform(graphics_, 90, MatrixOrderPrepend), Ok);
  fill_rect(kBlack, 9, -1, 2, 2);  // (10, 0) maps to about (100, 60)
  EXPECT_EQ(off_box(kBlack, 99, 59, 101, 61), 0);
  fill_all(kWhite);
  ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
  ASSERT_EQ(GdipScaleWorldTransform(graphics_, 2, 3, MatrixOrderPrepend), Ok);
  fill_rect(kBlack, 1, 1, 1, 1);
  EXPECT_EQ(off_box(kBlack, 2, 3, 4, 6), 0);
  fill_all(kWhite);
  ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
  ASSERT_EQ(GdipSetPageUnit(graphics_, UnitInch), Ok);
  ASSERT_EQ(GdipSetPageScale(graphics_, 0.25f), Ok);  // one world unit is 24 pixels
  fill_rect(kBlack, 1, 0, 1, 1);
  EXPECT_EQ(off_box(kBlack, 24, 0, 48, 24), 0);
}

TEST_F(FillTest, NonInvertibleWorldTransformIsRefused) {
  GpMatrix* flat = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(1, 2, 2, 4, 0, 0, &flat), Ok);
  EXPECT_EQ(GdipSetWorldTransform(graphics_, flat), InvalidParameter);
  EXPECT_EQ(GdipScaleWorldTransform(graphics_, 0, 1, MatrixOrderPrepend), InvalidParameter);
  GdipDeleteMatrix(flat);
  fill_rect(kBlack, 0, 0, 1, 1);
  EXPECT_EQ(off_box(kBlack, 0, 0, 1, 1), 0);  // still the identity
}

TEST_F(FillTest, RegionFillAndClear) {
  GpRegion* region = nullptr;
  const GpRectF a{4, 4, 20, 20}, b{14, 14, 20, 20};
  ASSERT_EQ(GdipCreateRegionRect(&a, &region), Ok);
  ASSERT_EQ(GdipCombineRegionRect(region, &b, CombineModeXor), Ok);
  ASSERT_EQ(GdipFillRegion(graphics_, brush(kBlack), region), Ok);
  EXPECT_EQ(at(5, 5), kBlack);
  EXPECT_EQ(at(20, 20), kWhite);
  EXPECT_EQ(at(30, 30), kBlack);
  EXPECT_EQ(count(kBlack), 2 * 400 - 2 * 100);
  GdipDeleteRegion(region);
  ASSERT_EQ(GdipSetClipRectI(graphics_, 0, 0, 10, 64, CombineModeReplace), Ok);
  ASSERT_EQ(GdipGraphicsClear(graphics_, 0x20304050), Ok);
  EXPECT_EQ(at(9, 63), 0x20304050u);
  EXPECT_EQ(at(10, 63), kWhite);
}

TEST_F(FillTest, ArgumentChecks) {
  GpBrush* black = brush(kBlack);
  EXPECT_EQ(GdipFillRectangle(nullptr, black, 0, 0, 1, 1), InvalidParameter);
  EXPECT_EQ(GdipFillRectangle(graphics_, nullptr, 0, 0, 1, 1), InvalidParameter);
  EXPECT_EQ(GdipFillRectangles(graphics_, black, nullptr, 1), InvalidParameter);
  EXPECT_EQ(GdipFillPath(graphics_, black, nullptr), InvalidParameter);
  HDC taken = nullptr;
  ASSERT_EQ(GdipGetDC(graphics_, &taken), Ok);
  EXPECT_EQ(GdipFillRectangle(graphics_, black, 0, 0, 1, 1), ObjectBusy);
  ASSERT_EQ(GdipReleaseDC(graphics_, taken), Ok);
  // Huge and non-finite coordinates draw what they can and never fail.
  EXPECT_EQ(GdipFillRectangle(graphics_, black, -1e30f, -1e30f, 2e30f, 2e30f), Ok);
  EXPECT_EQ(at(63, 63), kBlack);
  const GpPointF nan_points[3] = {{NAN, 0}, {10, INFINITY}, {5, 5}};
  EXPECT_EQ(GdipFillPolygon(graphics_, black, nan_points, 3, FillModeAlternate), Ok);
}

TEST_F(FillTest, DrawsIntoTheBitmapSelectedAtDrawTime) {
  void* bits = nullptr;
  HBITMAP other = make_dib(4, 4, &bits);
  SelectObject(dc_, other);
  fill_rect(kBlack, 0, 0, 64, 64);
  EXPECT_EQ(static_cast<uint32_t*>(bits)[15], kBlack);
  EXPECT_EQ(pixels_[0], kWhite);
  SelectObject(dc_, bitmap_);
  DeleteObject(other);
}

}  // namespace
