// Lines and GDI shapes as Frond maps them: the current position, line style
// 5, flood fills by surface, the variants of one shape, the float lines and
// huge arguments (arcs, patterns, Bezier counts and the gradient strip are in
// the golden script). Depends on: the graphics fixture. GDI's pixels are
// pinned by the platform tests, whole pictures by frond_golden, the viewport
// of the DC by frond_blit.

#include <cmath>
#include <limits>

#include "support/graphics_fixture.h"

using namespace frond;
using namespace frond_test;

namespace {

constexpr argb_color kBlack = 0xFF000000;  // a new image
constexpr argb_color kPen = 0x00D3D3D3;    // the default line colour as GDI writes it

class ShapesTest : public GraphicsTest {};

bool lit(IMAGE* img, int x, int y) { return pixel(img, x, y) != kBlack; }

TEST_F(ShapesTest, LineLeavesThePositionAtItsStart) {
  IMAGE img(64, 64);
  line(10, 10, 50, 10, &img);
  lineto(50, 50, &img);  // from (10, 10)
  EXPECT_EQ(pixel(&img, 30, 30), kPen);
  EXPECT_EQ(getx(&img), 50);
  EXPECT_EQ(gety(&img), 50);
}

TEST_F(ShapesTest, LineStyleFiveDrawsNoOutlinesButStillFills) {
  IMAGE img(20, 20);
  setlinestyle(5, 0, 1, &img);
  moveto(3, 4, &img);
  line(0, 0, 19, 0, &img);
  EXPECT_EQ(getx(&img), 3);  // line left the position alone
  lineto(10, 10, &img);
  linerel(5, 1, &img);
  EXPECT_EQ(getx(&img), 15);
  EXPECT_EQ(gety(&img), 11);
  EXPECT_EQ(pixels_of(&img), pixels_of(&*std::make_unique<IMAGE>(20, 20)));
  setfillcolor(0xFF0000FF, &img);
  fillrect(2, 2, 8, 8, &img);  // a null pen (GDI then fills one pixel less)
  EXPECT_EQ(pixel(&img, 2, 2), 0x000000FFu);
  line_f(0, 15, 10, 15, &img);
  EXPECT_EQ(pixel(&img, 5, 15), 0xFFD3D3D3u);
}

// Filling up to a border is in the golden script; GDI's fill rules are the platform's.
TEST_F(ShapesTest, FloodFillSurfaceFillsTheAreaOfOneColour) {
  IMAGE img(20, 20);
  rectangle(2, 2, 12, 12, &img);
  setfillcolor(0xFF00FF00, &img);
  floodfillsurface(5, 5, 0xFF000000, &img);  // the black inside: not the outline, not the outside
  EXPECT_EQ(pixel(&img, 5, 5), 0x0000FF00u);
  EXPECT_EQ(pixel(&img, 0, 0), kBlack);
}

TEST_F(ShapesTest, ClosedDrawpolyEqualsPolygonAndOpenOneIsAPolyline) {
  const int closed[] = {5, 5, 30, 8, 12, 28, 5, 5};
  IMAGE a(40, 40), b(40, 40), c(40, 40), d(40, 40);
  setfillcolor(0xFFFFFFFF, &a);
  setfillcolor(0xFFFFFFFF, &b);
  drawpoly(4, closed, &a);
  polygon(3, closed, &b);
  EXPECT_EQ(pixels_of(&a), pixels_of(&b));
  const int open[] = {5, 5, 30, 8, 5, 5};
  drawpoly(3, open, &c);
  polyline(3, open, &d);
  EXPECT_EQ(pixels_of(&c), pixels_of(&d));
}

TEST_F(ShapesTest, FloatLinesFollowTheEndPointRule) {
  IMAGE img(20, 20);
  line_f(0, 0, 10, 0, &img);
  EXPECT_TRUE(lit(&img, 9, 0));
  EXPECT_FALSE(lit(&img, 10, 0));
  line_f(0, 1, 10.5f, 1, &img);
  EXPECT_TRUE(lit(&img, 10, 1));
  EXPECT_EQ(pixel(&img, 3, 1), 0xFFD3D3D3u);  // the line colour with its alpha
  const std::vector<argb_color> before = pixels_of(&img);
  line_f(5, 5, 5, 5, &img);
  line_f(-10, 2, -1, 8, &img);  // left of the viewport
  line_f(-3, 2, -3, 18, &img);  // vertical, left of it
  const float inf = std::numeric_limits<float>::infinity();
  line_f(NAN, 0, 5, 5, &img);
  line_f(0, 0, inf, 5, &img);
  line_f(-inf, -inf, inf, inf, &img);
  line_f(-3e38f, 4, 3e38f, 4.5f, &img);  // huge: clipped in double
  for (int y = 0; y < 20; ++y)
    if (y != 4) {
      EXPECT_EQ(std::vector<argb_color>(img.pixels + y * 20, img.pixels + y * 20 + 20),
                std::vector<argb_color>(before.begin() + y * 20, before.begin() + y * 20 + 20)) << y;
    }
  lineto_f(3.5f, 2.5f, &img);
  EXPECT_EQ(getx(&img), 4);
  EXPECT_EQ(gety(&img), 3);
  lineto_f(-3.5f, 2.5f, &img);
  EXPECT_EQ(getx(&img), -4);
  lineto_f(NAN, 3e30f, &img);  // not finite: the position stays
  EXPECT_EQ(getx(&img), -4);
  // Float end points are viewport-relative like the GDI calls, and clipped to it.
  IMAGE moved(40, 40);
  setviewport(10, 10, 30, 30, 1, &moved);
  line_f(-5, 0, 25.5f, 0, &moved);
  for (int x = 0; x < 40; ++x) EXPECT_EQ(lit(&moved, x, 10), x >= 10 && x < 30) << x;
}

TEST_F(ShapesTest, HugeIntegerArgumentsAreCutNotOverflowed) {
  IMAGE img(32, 32);
  setfillcolor(0xFFFFFFFF, &img);
  const int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
  fillellipse(big, small, big, big, &img);
  fillcircle(16, 16, big, &img);
  fillpie(big, 0, 0, 90, big, &img);
  bar3d(small, small, big, big, big, 1, &img);
  roundrect(0, 0, 31, 31, big, &img);
  linerel(big, big, &img);
  moverel(big, big, &img);
  circle_f(3e38f, 0, 3e38f, &img);
  fillellipse_f(16, 16, INFINITY, 4, &img);
  const gradient_point nan_point[] = {{NAN, 0, 0}, {1e30f, 0, 0}, {0, 5, 0}};
  fillpoly_gradient(3, nan_point, &img);  // not finite: nothing
  EXPECT_EQ(pixel(&img, 16, 16), 0x00FFFFFFu);  // the circle of huge radius covers the image
  setlinestyle(3, 0, big, &img);                 // a pen wider than any image
  line(small, 0, big, 31, &img);
  fillpie(16, 16, 10, 300, 1 << 30, &img);
  EXPECT_EQ(pixel(&img, 16, 16), kPen);
}

}  // namespace
