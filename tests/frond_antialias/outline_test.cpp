// GDI+ outlines and fills as Frond sets them up: line style 5 hiding every
// outline but the rounded rectangle and leaving fills alone, frond_drawpoly
// choosing polygon or polyline, the rounded-rectangle radii clamping, the
// viewport moving and clipping fills. Rendering itself is pinned by the
// platform tests and the golden hashes. Depends on: the graphics fixture.

#include <cmath>
#include <functional>

#include "support/graphics_fixture.h"
#include "graphics/antialias.h"

using namespace frond;
using namespace frond_test;

namespace {

class OutlineTest : public GraphicsTest {};
using FillTest = OutlineTest;

const frond_point kZigzag[7] = {{10, 60}, {25, 20}, {40, 60}, {55, 20}, {70, 60}, {85, 20}, {95, 55}};

// Each outline function once on `img`.
void draw_every_outline(IMAGE* img) {
  frond_line(5, 5, 90, 80, img);
  frond_polyline(7, kZigzag, img);
  frond_polygon(7, kZigzag, img);
  frond_drawpoly(7, kZigzag, img);
  frond_drawcurve(7, kZigzag, img);
  frond_drawcurve(7, kZigzag, 0.9f, img);
  frond_drawclosedcurve(7, kZigzag, img);
  frond_drawclosedcurve(7, kZigzag, 0.1f, img);
  frond_bezier(7, kZigzag, img);
  frond_drawbezier(7, kZigzag, img);
  frond_rectangle(10, 10, 50, 30, img);
  frond_ellipse(10, 10, 50, 30, img);
  frond_circle(50, 50, 20, img);
  frond_arc(10, 10, 60, 60, 30, 200, img);
  frond_pie(10, 10, 60, 60, 30, 200, img);
}

TEST_F(OutlineTest, LineStyleFiveHidesEveryOutlineButTheRoundedRectangleAndLeavesFillsAlone) {
  IMAGE image(100, 100);
  setcolor(0xFFFFFFFF, &image);
  setfillcolor(0xFFFF0000, &image);
  setlinestyle(PS_NULL, 0, 3, &image);
  const std::vector<argb_color> before = pixels_of(&image);
  draw_every_outline(&image);
  EXPECT_EQ(changed_count(before, &image), 0);
  frond_roundrect(10, 10, 60, 40, 8, 8, 8, 8, &image);
  EXPECT_GT(changed_count(before, &image), 100);  // with a visible style each draws (frond_counting)

  const frond_point square[4] = {{10, 10}, {30, 10}, {30, 30}, {10, 30}};
  const std::function<void()> fills[] = {
      [&] { frond_fillrect(5, 5, 10, 10, &image); },
      [&] { frond_fillpoly(4, square, &image); },
      [&] { frond_fillclosedcurve(4, square, &image); },
      [&] { frond_fillclosedcurve(4, square, 0.2f, &image); },
      [&] { frond_fillellipse(5, 5, 30, 20, &image); },
      [&] { frond_fillcircle(50, 50, 10, &image); },
      [&] { frond_fillpie(5, 5, 60, 60, 0, 90, &image); },
      [&] { frond_fillroundrect(5, 5, 60, 30, 8, 8, 8, 8, &image); },
  };
  for (size_t i = 0; i < std::size(fills); ++i) {
    cleardevice(&image);
    fills[i]();
    EXPECT_GT(changed_count(before, &image), 0) << "fill " << i;
  }
}

// The pixels of `draw` on a fresh black image with a thick white pen.
std::vector<argb_color> thick_drawing(void (*draw)(IMAGE*)) {
  IMAGE image(80, 80);
  setcolor(0xFFFFFFFF, &image);
  setlinewidth(8, &image);
  draw(&image);
  return pixels_of(&image);
}

TEST_F(OutlineTest, DrawpolyClosesOnlyMoreThanThreePointsThatReturnToTheStart) {
  static const frond_point closed[4] = {{20, 20}, {60, 20}, {60, 60}, {20, 20}};
  const std::vector<argb_color> polygon = thick_drawing([](IMAGE* i) { frond_polygon(3, closed, i); });
  const std::vector<argb_color> polyline = thick_drawing([](IMAGE* i) { frond_polyline(4, closed, i); });
  ASSERT_NE(polygon, polyline);  // the mitred corner at the start differs from two flat ends
  EXPECT_EQ(thick_drawing([](IMAGE* i) { frond_drawpoly(4, closed, i); }), polygon);

  // Three points that come back: an open polyline.
  static const frond_point back[3] = {{20, 20}, {60, 20}, {20, 20}};
  EXPECT_EQ(thick_drawing([](IMAGE* i) { frond_drawpoly(3, back, i); }),
            thick_drawing([](IMAGE* i) { frond_polyline(3, back, i); }));
  // Nearly closed is open.
  static const frond_point almost[4] = {{20, 20}, {60, 20}, {60, 60}, {20, 20.001f}};
  EXPECT_EQ(thick_drawing([](IMAGE* i) { frond_drawpoly(4, almost, i); }),
            thick_drawing([](IMAGE* i) { frond_polyline(4, almost, i); }));
}

TEST_F(OutlineTest, CornerRadiiTakeWhatTheirPredecessorsLeave) {
  struct Case {
    float w, h;
    corner_radii given, expected;
  } const cases[] = {
      {100, 40, {30, 30, 30, 30}, {30, 30, 10, 10}},
      // r1 = min(w, h); nothing left on the top side; r3 = min(h - r2, w); r4 = min(h - r1, w - r3).
      {50, 80, {70, 70, 70, 70}, {50, 0, 50, 0}},
      {100, 40, {-5, NAN, 12, 0}, {0, 0, 12, 0}},
  };
  for (const Case& c : cases) {
    const corner_radii r = clamp_corner_radii(c.w, c.h, c.given);
    EXPECT_EQ(std::vector<float>({r.r1, r.r2, r.r3, r.r4}),
              std::vector<float>({c.expected.r1, c.expected.r2, c.expected.r3, c.expected.r4}))
        << c.w << "x" << c.h << " " << c.given.r1;
  }
}

TEST_F(OutlineTest, RoundedRectanglesUseTheClampedRadii) {
  const auto filled = [](float r1, float r2, float r3, float r4) {
    IMAGE image(120, 60);
    setantialias(true, &image);
    setfillcolor(0xFFFFFFFF, &image);
    frond_fillroundrect(10, 10, 100, 40, r1, r2, r3, r4, &image);
    return pixels_of(&image);
  };
  EXPECT_EQ(filled(30, 30, 30, 30), filled(30, 30, 10, 10));  // (radii that show: the golden script)

  // Radii (-5, 0, 0, 0): a plain rectangle.
  IMAGE plain(120, 60);
  setfillcolor(0xFFFFFFFF, &plain);
  frond_fillrect(10, 10, 100, 40, &plain);
  EXPECT_EQ(filled(-5, 0, 0, 0), pixels_of(&plain));

  // No width or height: no path, nothing drawn.
  EXPECT_EQ(make_roundrect_path(0, 0, 0, 10, {1, 1, 1, 1}), nullptr);
  EXPECT_EQ(make_roundrect_path(0, 0, 10, -1, {1, 1, 1, 1}), nullptr);
  IMAGE empty(40, 40);
  const std::vector<argb_color> before = pixels_of(&empty);
  frond_roundrect(5, 5, 0, 20, 3, 3, 3, 3, &empty);
  frond_fillroundrect(5, 5, 20, 0, 3, 3, 3, 3, &empty);
  EXPECT_EQ(changed_count(before, &empty), 0);
}

// The viewport moves the fill and clips it in device coordinates, whatever
// viewport, transform or size came before; without clipping only the origin moves.
TEST_F(FillTest, ViewportMovesAndClipsTheFill) {
  struct Case {
    const char* name;
    std::function<void(IMAGE*)> before;
    float x, y, w, h;  // the fill
    int left, top, right, bottom;
  };
  const Case cases[] = {
      {"viewport", [](IMAGE* img) { setviewport(20, 10, 100, 100, 1, img); }, 0, 0, 500, 500, 20, 10, 100, 100},
      {"unclipped viewport", [](IMAGE* img) { setviewport(20, 10, 100, 100, 0, img); }, -5, 0, 10, 5, 15, 10, 25, 15},
      {"second viewport", [](IMAGE* img) { setviewport(20, 10, 60, 60, 1, img); setviewport(30, 30, 60, 60, 1, img); },
       -1000, -1000, 3000, 3000, 30, 30, 60, 60},
      {"translated", [](IMAGE* img) { frond_translate(30, 30, img); setviewport(0, 0, 50, 50, 1, img); },
       -1000, -1000, 3000, 3000, 0, 0, 50, 50},
      {"resized", [](IMAGE* img) { setviewport(20, 10, 60, 60, 1, img); resize_f(img, 120, 90); },
       -1000, -1000, 3000, 3000, 0, 0, 120, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IMAGE image(160, 120);
    setfillcolor(0xFF00FF00, &image);
    c.before(&image);
    const std::vector<argb_color> before = pixels_of(&image);
    frond_fillrect(c.x, c.y, c.w, c.h, &image);
    expect_changed_exactly(before, &image, c.left, c.top, c.right, c.bottom);
  }
}

}  // namespace
