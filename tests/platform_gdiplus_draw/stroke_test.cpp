// Outlines: pen widths in world units, the one-pixel minimum, dashes scaled
// by the width, caps, joins and miter limits, arcs and curves, asserted as
// pixels inside and outside each shape. Depends on: draw_test_support.h.
#include <cmath>

#include "draw_test_support.h"

using namespace draw_test;

namespace {

class StrokeTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    smoothing(SmoothingModeNone);
  }
  void line(GpPen* p, REAL x0, REAL y0, REAL x1, REAL y1) {
    fill_all(kWhite);
    ASSERT_EQ(GdipDrawLine(graphics_, p, x0, y0, x1, y1), Ok);
  }
  void lines(GpPen* p, const GpPointF* points, int n) {
    fill_all(kWhite);
    ASSERT_EQ(GdipDrawLines(graphics_, p, points, n), Ok);
  }
};

TEST_F(StrokeTest, WidthsAndCapsCoverExactRectangles) {
  // Flat caps: columns 10..49 and rows 18..21; square caps reach half the width further.
  GpPen* p = pen(kBlack, 4);
  line(p, 10, 20, 50, 20);
  EXPECT_EQ(off_box(kBlack, 10, 18, 50, 22), 0);
  ASSERT_EQ(GdipSetPenStartCap(p, LineCapSquare), Ok);
  ASSERT_EQ(GdipSetPenEndCap(p, LineCapSquare), Ok);
  line(p, 10, 20, 50, 20);
  EXPECT_EQ(off_box(kBlack, 8, 18, 52, 22), 0);
  ASSERT_EQ(GdipSetPenStartCap(p, LineCapRound), Ok);
  ASSERT_EQ(GdipSetPenEndCap(p, LineCapTriangle), Ok);
  line(p, 10, 20, 50, 20);
  // Inside and outside the round cap's curve, then the triangle's tip and beside it.
  expect_pixels({{8, 19, kBlack}, {8, 18, kWhite}, {50, 19, kBlack}, {51, 18, kWhite}, {52, 19, kWhite}});
}

TEST_F(StrokeTest, ThinPensDrawOnePixelWide) {
  for (REAL width : {0.0f, 0.1f}) {
    line(pen(kBlack, width), 10, 30.5f, 50, 30.5f);
    EXPECT_EQ(off_box(kBlack, 10, 30, 50, 31), 0) << width;
  }
  // Under a scale of 4 a width of 1 is four pixels.
  ASSERT_EQ(GdipScaleWorldTransform(graphics_, 4, 4, MatrixOrderPrepend), Ok);
  line(pen(kBlack, 1), 2, 5, 12, 5);
  EXPECT_EQ(count(kBlack), 40 * 4);
}

TEST_F(StrokeTest, TranslucentCapsAndJoinsPaintEachPixelOnce) {
  smoothing(SmoothingModeAntiAlias);
  GpPen* p = pen(0x80000000, 6);
  ASSERT_EQ(GdipSetPenStartCap(p, LineCapRound), Ok);
  ASSERT_EQ(GdipSetPenEndCap(p, LineCapSquare), Ok);
  ASSERT_EQ(GdipSetPenLineJoin(p, LineJoinRound), Ok);
  const GpPointF points[4] = {{10, 10}, {50, 10}, {50, 50}, {12, 30}};
  lines(p, points, 4);
  // Fully covered pixels hold exactly one layer of the translucent pen.
  const int darkest = 0xFF - 0x80;
  EXPECT_EQ(count_where([darkest](int, int, uint32_t px) { return red(px) < darkest - 1; }), 0);
  // The start point under the cap and the line, the join, the second segment, the round start cap.
  for (const POINT at_ : {POINT{10, 10}, POINT{50, 10}, POINT{50, 30}, POINT{8, 10}})
    EXPECT_EQ(red(at(at_.x, at_.y)), darkest) << at_.x << "," << at_.y;
}

TEST_F(StrokeTest, DashesScaleWithTheWidth) {
  GpPen* p = pen(kBlack, 2);
  ASSERT_EQ(GdipSetPenDashStyle(p, DashStyleDash), Ok);  // 3 on, 1 off, in widths: 6 and 2 pixels
  line(p, 0, 11, 64, 11);
  for (int x = 0; x < 64; ++x) EXPECT_EQ(at(x, 10) == kBlack, x % 8 < 6) << x;
}

TEST_F(StrokeTest, JoinsAndMiterLimit) {
  GpPen* p = pen(kBlack, 8);
  const GpPointF sharp[3] = {{10, 50}, {32, 10}, {54, 50}};  // about 58 degrees at the top
  lines(p, sharp, 3);
  EXPECT_EQ(at(32, 4), kBlack);  // the miter reaches about 8.2 pixels above the corner
  ASSERT_EQ(GdipSetPenLineJoin(p, LineJoinBevel), Ok);
  lines(p, sharp, 3);
  expect_pixels({{32, 4, kWhite}, {32, 10, kBlack}});
  ASSERT_EQ(GdipSetPenLineJoin(p, LineJoinMiterClipped), Ok);
  ASSERT_EQ(GdipSetPenMiterLimit(p, 1.5f), Ok);  // below the miter's 2.06: bevelled
  lines(p, sharp, 3);
  EXPECT_EQ(at(32, 4), kWhite);
  // The default limit (10) keeps a miter five half-widths long: 23 degrees, tip 10 pixels above the corner.
  const GpPointF narrow[3] = {{24.5f, 59.2f}, {32.5f, 20}, {40.5f, 59.2f}};
  lines(pen(kBlack, 4), narrow, 3);
  EXPECT_EQ(at(32, 11), kBlack);
}

TEST_F(StrokeTest, ClosedOutlinesArcsAndPies) {
  ASSERT_EQ(GdipDrawRectangle(graphics_, pen(kBlack, 2), 10, 10, 20, 20), Ok);
  // The pen straddles the edges: a ring from 9 to 31.
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) {
              const bool outer = x >= 9 && x < 31 && y >= 9 && y < 31, inner = x >= 11 && x < 29 && y >= 11 && y < 29;
              return (p == kBlack) != (outer && !inner);
            }),
            0);
  fill_all(kWhite);
  const GpPointF triangle[3] = {{10, 10}, {50, 10}, {10, 50}};
  ASSERT_EQ(GdipDrawPolygon(graphics_, pen(kBlack, 1), triangle, 3), Ok);
  expect_pixels({{29, 30, kBlack}, {9, 30, kBlack}, {20, 20, kWhite}});  // both slanted and closing edges
  fill_all(kWhite);
  ASSERT_EQ(GdipDrawArc(graphics_, pen(kBlack, 2), 12, 12, 40, 40, 0, 90), Ok);
  expect_pixels({{51, 32, kBlack}, {32, 51, kBlack}, {12, 32, kWhite}, {32, 12, kWhite}});  // clockwise from 0 degrees
  fill_all(kWhite);
  ASSERT_EQ(GdipDrawPie(graphics_, pen(kBlack, 2), 12, 12, 40, 40, 180, 90), Ok);
  expect_pixels({{20, 31, kBlack}, {31, 20, kBlack}, {40, 31, kWhite}});  // the radii towards 180 and 270 degrees
  fill_all(kWhite);
  ASSERT_EQ(GdipDrawEllipse(graphics_, pen(kBlack, 1), 12, 12, 40, 40), Ok);
  EXPECT_EQ(at(32, 32), kWhite);
  EXPECT_NEAR(count(kBlack), 2 * M_PI * 20, 12);
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

}  // namespace
