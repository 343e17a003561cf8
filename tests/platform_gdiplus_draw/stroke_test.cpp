// Outlines: pen widths in world units, the one-pixel minimum, dashes scaled
// by the width, caps, joins and miter limits, arcs and curves.
#include <cmath>

#include "draw_test_support.h"

using namespace Gdiplus;
using namespace draw_test;

namespace {

class StrokeTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    half_pixel();
    smoothing(SmoothingModeNone);
  }
  int black_pixels() {
    return count_where([](int, int, uint32_t p) { return p == kBlack; });
  }
  bool row_black(int y, int x0, int x1) {
    for (int x = x0; x < x1; ++x)
      if (at(x, y) != kBlack) return false;
    return true;
  }
};

TEST_F(StrokeTest, HorizontalLineCoversWidthTimesLength) {
  ASSERT_EQ(GdipDrawLine(graphics_, pen(kBlack, 4), 10, 20, 50, 20), Ok);
  // Flat caps: columns 10..49, rows 18..21.
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) { return (p == kBlack) != (x >= 10 && x < 50 && y >= 18 && y < 22); }),
            0);
}

TEST_F(StrokeTest, ThinPensDrawOnePixelWide) {
  ASSERT_EQ(GdipDrawLine(graphics_, pen(kBlack, 0), 10, 20.5f, 50, 20.5f), Ok);
  EXPECT_EQ(black_pixels(), 40);
  fill_all(kWhite);
  ASSERT_EQ(GdipDrawLine(graphics_, pen(kBlack, 0.1f), 10, 30.5f, 50, 30.5f), Ok);
  EXPECT_EQ(black_pixels(), 40);
  EXPECT_TRUE(row_black(30, 10, 50));
  // Under a scale of 4 a width of 0.1 is still at least one pixel, and a width of 1 is four.
  fill_all(kWhite);
  ASSERT_EQ(GdipScaleWorldTransform(graphics_, 4, 4, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipDrawLine(graphics_, pen(kBlack, 1), 2, 5, 12, 5), Ok);
  EXPECT_EQ(black_pixels(), 40 * 4);
}

TEST_F(StrokeTest, CapsExtendTheEnds) {
  GpPen* p = pen(kBlack, 4);
  ASSERT_EQ(GdipSetPenStartCap(p, LineCapSquare), Ok);
  ASSERT_EQ(GdipSetPenEndCap(p, LineCapSquare), Ok);
  ASSERT_EQ(GdipDrawLine(graphics_, p, 10, 20, 50, 20), Ok);
  EXPECT_EQ(count_where([](int x, int y, uint32_t px) { return (px == kBlack) != (x >= 8 && x < 52 && y >= 18 && y < 22); }),
            0);
  fill_all(kWhite);
  ASSERT_EQ(GdipSetPenStartCap(p, LineCapRound), Ok);
  ASSERT_EQ(GdipSetPenEndCap(p, LineCapTriangle), Ok);
  ASSERT_EQ(GdipDrawLine(graphics_, p, 10, 20, 50, 20), Ok);
  EXPECT_EQ(at(8, 19), kBlack);   // inside the round cap
  EXPECT_EQ(at(8, 18), kWhite);   // outside its curve
  EXPECT_EQ(at(50, 19), kBlack);  // triangle tip region
  EXPECT_EQ(at(51, 18), kWhite);
  EXPECT_EQ(at(52, 19), kWhite);
}

TEST_F(StrokeTest, TranslucentCapsAndJoinsPaintEachPixelOnce) {
  smoothing(SmoothingModeAntiAlias);
  GpPen* p = pen(0x80000000, 6);
  ASSERT_EQ(GdipSetPenStartCap(p, LineCapRound), Ok);
  ASSERT_EQ(GdipSetPenEndCap(p, LineCapSquare), Ok);
  ASSERT_EQ(GdipSetPenLineJoin(p, LineJoinRound), Ok);
  const GpPointF points[4] = {{10, 10}, {50, 10}, {50, 50}, {12, 30}};
  ASSERT_EQ(GdipDrawLines(graphics_, p, points, 4), Ok);
  // Fully covered pixels hold exactly one layer of the translucent pen.
  const int darkest = 0xFF - 0x80;
  EXPECT_EQ(count_where([darkest](int, int, uint32_t px) { return red(px) < darkest - 1; }), 0);
  EXPECT_EQ(red(at(10, 10)), darkest);  // start point, under the cap and the line
  EXPECT_EQ(red(at(50, 10)), darkest);  // the join
  EXPECT_EQ(red(at(50, 30)), darkest);  // inside the second segment
  EXPECT_EQ(red(at(8, 10)), darkest);   // inside the round start cap
}

TEST_F(StrokeTest, DashesScaleWithTheWidth) {
  GpPen* p = pen(kBlack, 2);
  ASSERT_EQ(GdipSetPenDashStyle(p, DashStyleDash), Ok);  // 3 on, 1 off, in widths: 6 and 2 pixels
  ASSERT_EQ(GdipDrawLine(graphics_, p, 0, 11, 64, 11), Ok);
  for (int x = 0; x < 64; ++x) EXPECT_EQ(at(x, 10) == kBlack, x % 8 < 6) << x;
  fill_all(kWhite);
  ASSERT_EQ(GdipSetPenDashOffset(p, 1), Ok);  // starts one width (2 pixels) into the pattern
  ASSERT_EQ(GdipDrawLine(graphics_, p, 0, 11, 64, 11), Ok);
  for (int x = 0; x < 64; ++x) EXPECT_EQ(at(x, 10) == kBlack, (x + 2) % 8 < 6) << x;
  REAL offset = 0;
  EXPECT_EQ(GdipGetPenDashOffset(p, &offset), Ok);
  EXPECT_EQ(offset, 1);
}

TEST_F(StrokeTest, JoinsAndMiterLimit) {
  GpPen* p = pen(kBlack, 8);
  const GpPointF sharp[3] = {{10, 50}, {32, 10}, {54, 50}};  // about 58 degrees at the top
  ASSERT_EQ(GdipDrawLines(graphics_, p, sharp, 3), Ok);
  const bool miter_tip = at(32, 4) == kBlack;  // the miter reaches about 8.2 pixels above the corner
  EXPECT_TRUE(miter_tip);
  fill_all(kWhite);
  ASSERT_EQ(GdipSetPenLineJoin(p, LineJoinBevel), Ok);
  ASSERT_EQ(GdipDrawLines(graphics_, p, sharp, 3), Ok);
  EXPECT_EQ(at(32, 4), kWhite);
  EXPECT_EQ(at(32, 10), kBlack);
  fill_all(kWhite);
  ASSERT_EQ(GdipSetPenLineJoin(p, LineJoinMiterClipped), Ok);
  ASSERT_EQ(GdipSetPenMiterLimit(p, 1.5f), Ok);  // below the miter's 2.06: bevelled
  ASSERT_EQ(GdipDrawLines(graphics_, p, sharp, 3), Ok);
  EXPECT_EQ(at(32, 4), kWhite);
}

TEST_F(StrokeTest, ClosedOutlines) {
  ASSERT_EQ(GdipDrawRectangle(graphics_, pen(kBlack, 2), 10, 10, 20, 20), Ok);
  // The pen straddles the edges: a ring from 9 to 31.
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) {
              const bool outer = x >= 9 && x < 31 && y >= 9 && y < 31;
              const bool inner = x >= 11 && x < 29 && y >= 11 && y < 29;
              return (p == kBlack) != (outer && !inner);
            }),
            0);
  fill_all(kWhite);
  const GpPointF triangle[3] = {{10, 10}, {50, 10}, {10, 50}};
  ASSERT_EQ(GdipDrawPolygon(graphics_, pen(kBlack, 1), triangle, 3), Ok);
  EXPECT_EQ(at(29, 30), kBlack);  // on the edge from (50, 10) to (10, 50)
  EXPECT_EQ(at(9, 30), kBlack);   // the closing edge back to (10, 10)
  EXPECT_EQ(at(20, 20), kWhite);
}

TEST_F(StrokeTest, ArcsGoClockwiseFromTheRay) {
  ASSERT_EQ(GdipDrawArc(graphics_, pen(kBlack, 2), 12, 12, 40, 40, 0, 90), Ok);
  EXPECT_EQ(at(51, 32), kBlack);  // start: 0 degrees, on the right
  EXPECT_EQ(at(32, 51), kBlack);  // end: 90 degrees, at the bottom
  EXPECT_EQ(at(12, 32), kWhite);
  EXPECT_EQ(at(32, 12), kWhite);
  fill_all(kWhite);
  ASSERT_EQ(GdipDrawPie(graphics_, pen(kBlack, 2), 12, 12, 40, 40, 180, 90), Ok);
  EXPECT_EQ(at(20, 31), kBlack);  // the radius towards 180 degrees
  EXPECT_EQ(at(31, 20), kBlack);  // the radius towards 270 degrees
  EXPECT_EQ(at(40, 31), kWhite);
  fill_all(kWhite);
  ASSERT_EQ(GdipDrawEllipse(graphics_, pen(kBlack, 1), 12, 12, 40, 40), Ok);
  EXPECT_EQ(at(32, 32), kWhite);
  EXPECT_NEAR(black_pixels(), 2 * M_PI * 20, 12);
}

TEST_F(StrokeTest, CurvesPassThroughTheirPoints) {
  const GpPointF points[4] = {{8, 40}, {24, 12}, {40, 48}, {56, 20}};
  GpPen* round = pen(kBlack, 3);
  ASSERT_EQ(GdipSetPenStartCap(round, LineCapRound), Ok);
  ASSERT_EQ(GdipSetPenEndCap(round, LineCapRound), Ok);
  ASSERT_EQ(GdipDrawCurve(graphics_, round, points, 4), Ok);
  for (const GpPointF& p : points) EXPECT_EQ(at(int(p.X), int(p.Y)), kBlack) << p.X;
  fill_all(kWhite);
  ASSERT_EQ(GdipDrawClosedCurve(graphics_, pen(kBlack, 3), points, 4), Ok);
  for (const GpPointF& p : points) EXPECT_EQ(at(int(p.X), int(p.Y)), kBlack) << p.X;
  EXPECT_EQ(GdipDrawCurve(graphics_, pen(kBlack, 1), points, 1), InvalidParameter);
  fill_all(kWhite);
  const GpPointF bezier[4] = {{8, 56}, {8, 8}, {56, 8}, {56, 56}};
  ASSERT_EQ(GdipDrawBeziers(graphics_, pen(kBlack, 2), bezier, 4), Ok);
  EXPECT_EQ(at(32, 20), kBlack);  // the curve's middle is at (32, 20)
  EXPECT_EQ(GdipDrawBeziers(graphics_, pen(kBlack, 2), bezier, 3), InvalidParameter);
}

TEST_F(StrokeTest, PenWithABrush) {
  GpLineGradient* gradient = nullptr;
  const GpPointF a{0, 0}, b{64, 0};
  ASSERT_EQ(GdipCreateLineBrush(&a, &b, kRed, kBlue, WrapModeTile, &gradient), Ok);
  keep(reinterpret_cast<GpBrush*>(gradient));
  GpPen* p = pen(kBlack, 4);
  ASSERT_EQ(GdipSetPenBrushFill(p, reinterpret_cast<GpBrush*>(gradient)), Ok);
  ASSERT_EQ(GdipDrawLine(graphics_, p, 0, 10, 64, 10), Ok);
  EXPECT_GT(red(at(1, 10)), 240);
  EXPECT_GT(blue(at(62, 10)), 240);
}

}  // namespace
