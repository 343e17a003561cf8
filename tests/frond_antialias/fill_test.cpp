// GDI+ fills as Frond sets them up: the viewport moving and clipping them
// (whatever came before) and line style 5 leaving fills alone. Rendering
// itself is pinned by the platform tests and the golden hashes.
// Depends on: the graphics fixture.

#include <functional>

#include "support/graphics_fixture.h"
#include "graphics/frond.h"

using namespace frond;
using namespace frond_test;

namespace {

class FillTest : public GraphicsTest {};

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

TEST_F(FillTest, EveryFillIgnoresLineStyleFive) {
  IMAGE image(100, 100);
  setfillcolor(0xFFFF0000, &image);
  setlinestyle(PS_NULL, 0, 1, &image);
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
    const std::vector<argb_color> before = pixels_of(&image);
    fills[i]();
    EXPECT_GT(changed_count(before, &image), 0) << "fill " << i;
  }
}

}  // namespace
