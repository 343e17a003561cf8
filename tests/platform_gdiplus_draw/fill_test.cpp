// Fills: exact pixel coverage with and without anti-aliasing, both pixel
// offset modes, translucent compositing, fill modes, clip and transforms.
#include <cmath>

#include "draw_test_support.h"

using namespace Gdiplus;
using namespace draw_test;

namespace {

class FillTest : public DrawTest {};

bool inside_box(int x, int y, int x0, int y0, int x1, int y1) { return x >= x0 && x < x1 && y >= y0 && y < y1; }

TEST_F(FillTest, RectangleCoversExactlyItsPixelsWithHalfOffset) {
  half_pixel();
  smoothing(SmoothingModeNone);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 10, 10, 20, 20), Ok);
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) { return (p == kBlack) != inside_box(x, y, 10, 10, 30, 30); }), 0);
  // Anti-aliasing changes nothing on whole-pixel edges.
  fill_all(kWhite);
  smoothing(SmoothingModeAntiAlias);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 10, 10, 20, 20), Ok);
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) { return (p == kBlack) != inside_box(x, y, 10, 10, 30, 30); }), 0);
}

TEST_F(FillTest, WholeSurfaceFill) {
  half_pixel();
  fill_all(0);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kWhite)), 0, 0, 64, 64), Ok);
  EXPECT_EQ(count_where([](int, int, uint32_t p) { return p != kWhite; }), 0);
}

TEST_F(FillTest, PixelOffsetNoneShiftsByHalfAPixel) {
  // Coordinates name pixel centres: aliased edges land on the same pixels,
  // anti-aliased edges cover half of the pixels on each side.
  smoothing(SmoothingModeNone);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 10, 10, 20, 20), Ok);
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) { return (p == kBlack) != inside_box(x, y, 10, 10, 30, 30); }), 0);
  fill_all(kWhite);
  smoothing(SmoothingModeAntiAlias);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 10, 10, 20, 20), Ok);
  EXPECT_EQ(at(11, 11), kBlack);
  EXPECT_EQ(at(29, 29), kBlack);
  EXPECT_NEAR(red(at(10, 20)), 128, 1);  // half covered
  EXPECT_NEAR(red(at(30, 20)), 128, 1);
  EXPECT_NEAR(red(at(10, 10)), 191, 1);  // a quarter covered
  EXPECT_EQ(at(31, 20), kWhite);
}

TEST_F(FillTest, TranslucentFillsDarkenStepByStep) {
  half_pixel();
  GpBrush* veil = reinterpret_cast<GpBrush*>(solid(0x0D000000));
  ASSERT_EQ(GdipFillRectangle(graphics_, veil, 0, 0, 64, 64), Ok);
  EXPECT_EQ(at(5, 5), 0xFFF2F2F2u);  // 242 in every channel
  int previous = 242;
  for (int step = 0; step < 80; ++step) {
    ASSERT_EQ(GdipFillRectangle(graphics_, veil, 0, 0, 64, 64), Ok);
    const int now = red(at(5, 5));
    EXPECT_LE(now, previous);
    if (previous > 10) {
      EXPECT_LT(now, previous) << "step " << step;
    }
    EXPECT_EQ(green(at(5, 5)), now);
    EXPECT_EQ(alpha(at(5, 5)), 255);
    previous = now;
  }
}

TEST_F(FillTest, SourceOverKeepsColourOfTransparentDestination) {
  half_pixel();
  fill_all(0x00FFFFFF);  // as GDI leaves white
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(0x0D000000)), 0, 0, 8, 8), Ok);
  EXPECT_EQ(at(1, 1), 0x0DF2F2F2u);
  fill_all(0x00FFFFFF);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(0x00123456)), 0, 0, 8, 8), Ok);
  EXPECT_EQ(at(1, 1), 0x00FFFFFFu);  // alpha 0 changes nothing
}

TEST_F(FillTest, SourceCopyReplacesEverything) {
  half_pixel();
  ASSERT_EQ(GdipSetCompositingMode(graphics_, CompositingModeSourceCopy), Ok);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(0x40102030)), 0, 0, 8, 8), Ok);
  EXPECT_EQ(at(1, 1), 0x40102030u);
  EXPECT_EQ(at(8, 8), kWhite);
}

TEST_F(FillTest, AliasedFillIsAllOrNothingAndAntiAliasedBlends) {
  half_pixel();
  const GpPointF triangle[3] = {{2.3f, 1.7f}, {60.6f, 12.2f}, {20.1f, 58.9f}};
  GpBrush* black = reinterpret_cast<GpBrush*>(solid(kBlack));
  smoothing(SmoothingModeNone);
  ASSERT_EQ(GdipFillPolygon(graphics_, black, triangle, 3, FillModeAlternate), Ok);
  EXPECT_EQ(count_where([](int, int, uint32_t p) { return p != kBlack && p != kWhite; }), 0);
  const int covered = count_where([](int, int, uint32_t p) { return p == kBlack; });
  // Area of the triangle: 1/2 |cross| = 1540.9; centre sampling stays within a few edge pixels.
  EXPECT_NEAR(covered, 1541, 40);
  fill_all(kWhite);
  smoothing(SmoothingModeAntiAlias);
  ASSERT_EQ(GdipFillPolygon(graphics_, black, triangle, 3, FillModeAlternate), Ok);
  EXPECT_GT(count_where([](int, int, uint32_t p) { return p != kBlack && p != kWhite; }), 60);
}

TEST_F(FillTest, AliasedPixelIsCoveredWhenItsCentreIs) {
  half_pixel();
  smoothing(SmoothingModeNone);
  // Edges just short of and just past pixel centres.
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 2.49f, 2.51f, 3.02f, 2.0f), Ok);
  // x from 2.49 to 5.51 takes centres 2.5 .. 5.5 (columns 2..5); y from 2.51 to 4.51 takes 3.5 (row 3) and 4.5 (row 4).
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) { return (p == kBlack) != inside_box(x, y, 2, 3, 6, 5); }), 0);
}

TEST_F(FillTest, FillModes) {
  half_pixel();
  // A pentagram: the centre is outside under alternate, inside under winding.
  GpPointF star[5];
  for (int i = 0; i < 5; ++i) {
    const double a = -M_PI / 2 + i * 4 * M_PI / 5;
    star[i] = GpPointF{REAL(32 + 28 * std::cos(a)), REAL(32 + 28 * std::sin(a))};
  }
  GpBrush* black = reinterpret_cast<GpBrush*>(solid(kBlack));
  ASSERT_EQ(GdipFillPolygon(graphics_, black, star, 5, FillModeAlternate), Ok);
  EXPECT_EQ(at(32, 32), kWhite);
  EXPECT_EQ(at(32, 8), kBlack);
  ASSERT_EQ(GdipFillPolygon(graphics_, black, star, 5, FillModeWinding), Ok);
  EXPECT_EQ(at(32, 32), kBlack);
  EXPECT_EQ(GdipFillPolygon(graphics_, black, star, 2, FillModeWinding), InvalidParameter);
}

TEST_F(FillTest, ShapesCoverTheirArea) {
  half_pixel();
  GpBrush* black = reinterpret_cast<GpBrush*>(solid(kBlack));
  ASSERT_EQ(GdipFillEllipse(graphics_, black, 2, 2, 60, 40), Ok);
  EXPECT_NEAR(count_where([](int, int, uint32_t p) { return p == kBlack; }), M_PI * 30 * 20, 30);
  fill_all(kWhite);
  // A quarter pie from 0 to 90 degrees (clockwise: the lower right quarter).
  ASSERT_EQ(GdipFillPie(graphics_, black, 2, 2, 60, 60, 0, 90), Ok);
  EXPECT_EQ(at(40, 40), kBlack);
  EXPECT_EQ(at(24, 40), kWhite);
  EXPECT_EQ(at(40, 24), kWhite);
  EXPECT_NEAR(count_where([](int, int, uint32_t p) { return p == kBlack; }), M_PI * 900 / 4, 20);
}

TEST_F(FillTest, PieAnglesFollowTheRayOnEllipses) {
  half_pixel();
  // On a 60x20 ellipse a 45 degree ray is the diagonal of the bounding box's
  // lower right quarter: the pie from 0 to 45 degrees stays below it.
  ASSERT_EQ(GdipFillPie(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 2, 22, 60, 20, 0, 45), Ok);
  EXPECT_EQ(at(44, 34), kBlack);  // (12, 2) from the centre: 9.5 degrees
  EXPECT_EQ(at(36, 40), kWhite);  // (4, 8) from the centre: 63 degrees
  EXPECT_EQ(at(40, 38), kBlack);  // (8, 6) from the centre: 37 degrees, inside the ellipse
}

TEST_F(FillTest, ClipIsRespected) {
  half_pixel();
  ASSERT_EQ(GdipSetClipRectI(graphics_, 8, 8, 16, 16, CombineModeReplace), Ok);
  ASSERT_EQ(GdipSetClipRectI(graphics_, 12, 12, 4, 4, CombineModeExclude), Ok);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 0, 0, 64, 64), Ok);
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) {
              return (p == kBlack) != (inside_box(x, y, 8, 8, 24, 24) && !inside_box(x, y, 12, 12, 16, 16));
            }),
            0);
  // A clip change is seen by the next fill (the clip mask is remade).
  ASSERT_EQ(GdipSetClipRectI(graphics_, 40, 40, 2, 2, CombineModeReplace), Ok);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kRed)), 0, 0, 64, 64), Ok);
  EXPECT_EQ(count_where([](int, int, uint32_t p) { return p == kRed; }), 4);
  ASSERT_EQ(GdipSetClipRectI(graphics_, 100, 100, 2, 2, CombineModeReplace), Ok);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlue)), 0, 0, 64, 64), Ok);
  EXPECT_EQ(count_where([](int, int, uint32_t p) { return p == kBlue; }), 0);
}

TEST_F(FillTest, ClipFromPathAndSavedStates) {
  half_pixel();
  GpPath* circle = path();
  ASSERT_EQ(GdipAddPathEllipse(circle, 16, 16, 32, 32), Ok);
  GraphicsState state = 0;
  ASSERT_EQ(GdipSaveGraphics(graphics_, &state), Ok);
  ASSERT_EQ(GdipSetClipPath(graphics_, circle, CombineModeReplace), Ok);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 0, 0, 64, 64), Ok);
  EXPECT_EQ(at(32, 32), kBlack);
  EXPECT_EQ(at(18, 18), kWhite);
  EXPECT_NEAR(count_where([](int, int, uint32_t p) { return p == kBlack; }), M_PI * 256, 20);
  ASSERT_EQ(GdipRestoreGraphics(graphics_, state), Ok);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kRed)), 0, 0, 64, 64), Ok);
  EXPECT_EQ(at(18, 18), kRed);
}

TEST_F(FillTest, WorldTransformMovesAndTurnsShapes) {
  half_pixel();
  make_canvas(200, 200);
  half_pixel();
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 100, 50, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateWorldTransform(graphics_, 90, MatrixOrderPrepend), Ok);
  // (10, 0) maps to about (100, 60): a small square there lands around that point.
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 9, -1, 2, 2), Ok);
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) { return (p == kBlack) != inside_box(x, y, 99, 59, 101, 61); }), 0);
}

TEST_F(FillTest, ScaleAndPageUnit) {
  half_pixel();
  ASSERT_EQ(GdipScaleWorldTransform(graphics_, 2, 3, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 1, 1, 1, 1), Ok);
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) { return (p == kBlack) != inside_box(x, y, 2, 3, 4, 6); }), 0);
  fill_all(kWhite);
  ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
  ASSERT_EQ(GdipSetPageUnit(graphics_, UnitInch), Ok);
  ASSERT_EQ(GdipSetPageScale(graphics_, 0.25f), Ok);  // one world unit is 24 pixels
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 1, 0, 1, 1), Ok);
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) { return (p == kBlack) != inside_box(x, y, 24, 0, 48, 24); }), 0);
}

TEST_F(FillTest, NonInvertibleWorldTransformIsRefused) {
  GpMatrix* flat = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(1, 2, 2, 4, 0, 0, &flat), Ok);
  EXPECT_EQ(GdipSetWorldTransform(graphics_, flat), InvalidParameter);
  EXPECT_EQ(GdipScaleWorldTransform(graphics_, 0, 1, MatrixOrderPrepend), InvalidParameter);
  GdipDeleteMatrix(flat);
  half_pixel();
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 0, 0, 1, 1), Ok);
  EXPECT_EQ(at(0, 0), kBlack);  // still the identity
}

TEST_F(FillTest, RegionFillAndClear) {
  half_pixel();
  GpRegion* region = nullptr;
  const GpRectF a{4, 4, 20, 20}, b{14, 14, 20, 20};
  ASSERT_EQ(GdipCreateRegionRect(&a, &region), Ok);
  ASSERT_EQ(GdipCombineRegionRect(region, &b, CombineModeXor), Ok);
  ASSERT_EQ(GdipFillRegion(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), region), Ok);
  EXPECT_EQ(at(5, 5), kBlack);
  EXPECT_EQ(at(20, 20), kWhite);
  EXPECT_EQ(at(30, 30), kBlack);
  EXPECT_EQ(count_where([](int, int, uint32_t p) { return p == kBlack; }), 2 * 400 - 2 * 100);
  GdipDeleteRegion(region);

  ASSERT_EQ(GdipSetClipRectI(graphics_, 0, 0, 10, 64, CombineModeReplace), Ok);
  ASSERT_EQ(GdipGraphicsClear(graphics_, 0x20304050), Ok);
  EXPECT_EQ(at(9, 63), 0x20304050u);
  EXPECT_EQ(at(10, 63), kWhite);
}

TEST_F(FillTest, ArgumentChecks) {
  GpBrush* black = reinterpret_cast<GpBrush*>(solid(kBlack));
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
  half_pixel();
  uint32_t* first = pixels_;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = -4;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP other = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  SelectObject(dc_, other);
  ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(solid(kBlack)), 0, 0, 64, 64), Ok);
  EXPECT_EQ(static_cast<uint32_t*>(bits)[15], kBlack);
  EXPECT_EQ(first[0], kWhite);
  SelectObject(dc_, bitmap_);
  DeleteObject(other);
}

}  // namespace
