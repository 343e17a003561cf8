// GDI+ fills: exact pixel coverage of rectangles, translucent colours,
// anti-aliased and aliased edges, the viewport, line style 5, and which
// image and how many changes a call counts.

#include <functional>

#include "antialias_support.h"
#include "graphics/frond.h"

using namespace frond;
using namespace aa_test;
using frond_test::GraphicsTest;
using frond_test::pixel;
using frond_test::pixels_of;

namespace {

class FillTest : public GraphicsTest {};

TEST_F(FillTest, WholeImageRectangleTurnsEveryPixelWhite) {
  IMAGE image(640, 360);
  setfillcolor(0xFFFFFFFF, &image);
  frond_fillrect(0, 0, 640, 360, &image);
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0xFFFFFFFFu);
}

TEST_F(FillTest, IntegerRectangleCoversExactlyItsColumnsAndRows) {
  for (bool smooth : {false, true}) {
    IMAGE image(64, 48);
    setantialias(smooth, &image);
    setfillcolor(0xFFFFFFFF, &image);
    const std::vector<argb_color> before = pixels_of(&image);
    frond_fillrect(10, 10, 20, 20, &image);
    SCOPED_TRACE(smooth ? "anti-aliased" : "aliased");
    expect_changed_exactly(before, &image, 10, 10, 30, 30);
    EXPECT_EQ(pixel(&image, 10, 10), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(&image, 29, 29), 0xFFFFFFFFu);
  }
}

TEST_F(FillTest, TranslucentBlackDarkensWhiteStepByStepWithoutLightening) {
  IMAGE image(32, 8);
  make_white(image, 0x0D000000);
  frond_fillrect(0, 0, 32, 8, &image);
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0xFFF2F2F2u);

  int previous = 242;
  for (int step = 2; step <= 120; ++step) {
    frond_fillrect(0, 0, 32, 8, &image);
    const argb_color p = pixel(&image, 5, 5);
    ASSERT_EQ(alpha(p), 255);
    ASSERT_TRUE(red(p) == green(p) && green(p) == blue(p)) << std::hex << p;
    if (step == 2) {
      EXPECT_EQ(red(p), 230);
    }
    // 13/255 of anything above 20 rounds to at least one step.
    if (previous > 20) {
      ASSERT_LT(red(p), previous) << "step " << step;
    }
    ASSERT_LE(red(p), previous) << "step " << step;
    previous = red(p);
    for (argb_color q : pixels_of(&image)) ASSERT_EQ(q, p);
  }
}

TEST_F(FillTest, AliasedFillCoversPixelsWholeAndAntialiasedEdgesBlend) {
  const frond_point triangle[3] = {{4.3f, 3.7f}, {57.1f, 12.2f}, {20.6f, 55.9f}};
  IMAGE aliased(64, 64), smooth(64, 64);
  setantialias(true, &smooth);
  for (IMAGE* image : {&aliased, &smooth}) {
    setfillcolor(0xFFFFFFFF, image);
    frond_fillpoly(3, triangle, image);
    frond_fillcircle(40.4f, 40.2f, 17.3f, image);
    frond_fillellipse(2.5f, 30.25f, 21.5f, 13.75f, image);
  }
  for (argb_color p : pixels_of(&aliased)) ASSERT_TRUE(p == 0xFF000000u || p == 0xFFFFFFFFu) << std::hex << p;
  // Blended edge pixels are opaque greys between the two colours.
  int partial = 0;
  for (argb_color p : pixels_of(&smooth)) {
    ASSERT_EQ(alpha(p), 255);
    ASSERT_TRUE(red(p) == green(p) && green(p) == blue(p)) << std::hex << p;
    partial += p != 0xFF000000u && p != 0xFFFFFFFFu;
  }
  EXPECT_GT(partial, 40);
  EXPECT_EQ(pixel(&smooth, 30, 30), 0xFFFFFFFFu);
}

TEST_F(FillTest, ViewportMovesAndClipsTheFill) {
  IMAGE image(160, 120);
  setfillcolor(0xFF00FF00, &image);
  setviewport(20, 10, 100, 100, 1, &image);
  const std::vector<argb_color> before = pixels_of(&image);
  frond_fillrect(0, 0, 500, 500, &image);
  expect_changed_exactly(before, &image, 20, 10, 100, 100);

  // Without clipping only the origin moves.
  IMAGE open(160, 120);
  setfillcolor(0xFF00FF00, &open);
  setviewport(20, 10, 100, 100, 0, &open);
  const std::vector<argb_color> open_before = pixels_of(&open);
  frond_fillrect(-5, 0, 10, 5, &open);
  expect_changed_exactly(open_before, &open, 15, 10, 25, 15);
}

// The clip lands in device coordinates whatever viewport, transform or size came before.
TEST_F(FillTest, ViewportClipIgnoresWhatCameBefore) {
  struct Case {
    const char* name;
    std::function<void(IMAGE*)> before;
    int left, top, right, bottom;
  };
  const Case cases[] = {
      {"second viewport", [](IMAGE* img) { setviewport(20, 10, 60, 60, 1, img); setviewport(30, 30, 60, 60, 1, img); },
       30, 30, 60, 60},
      {"translated", [](IMAGE* img) { frond_translate(30, 30, img); setviewport(0, 0, 50, 50, 1, img); },
       0, 0, 50, 50},
      {"resized", [](IMAGE* img) { setviewport(20, 10, 60, 60, 1, img); resize_f(img, 120, 90); },
       0, 0, 120, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IMAGE image(160, 120);
    setfillcolor(0xFF00FF00, &image);
    c.before(&image);
    const std::vector<argb_color> before = pixels_of(&image);
    frond_fillrect(-1000, -1000, 3000, 3000, &image);
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

TEST_F(FillTest, PolygonsAndClosedCurvesFillByTheAlternateRule) {
  // A pentagram: its inner pentagon is crossed twice and stays empty.
  IMAGE image(100, 100);
  setfillcolor(0xFFFFFFFF, &image);
  const frond_point star[5] = {{50, 5}, {79, 95}, {2, 40}, {98, 40}, {21, 95}};
  frond_fillpoly(5, star, &image);
  EXPECT_EQ(pixel(&image, 50, 55), 0xFF000000u);  // inner pentagon
  EXPECT_EQ(pixel(&image, 50, 15), 0xFFFFFFFFu);  // top point
}

TEST_F(FillTest, SelectorZeroCountsOncePagesDoNot) {
  frond_fillrect(0, 0, 10, 10);  // no target: counted all the same
  frond_fillroundrect(0, 0, 10, 10, 3);
  EXPECT_EQ(counter(), 253);
  IMAGE target(20, 20), page(20, 20);
  settarget(&target);
  setfillcolor(0xFFFFFFFF, &target);
  frond_fillrect(0, 0, 5, 5);
  frond_fillroundrect(10, 10, 10, 10, 0);
  EXPECT_EQ(counter(), 251);
  EXPECT_EQ(pixel(&target, 4, 4), 0xFFFFFFFFu);
  EXPECT_EQ(pixel(&target, 15, 15), 0xFFFFFFFFu);
  state().pages[1] = &page;
  setfillcolor(0xFFFFFFFF, &page);
  frond_fillrect(0, 0, 20, 20, reinterpret_cast<IMAGE*>(17));  // 17 & 15 = page 1
  EXPECT_EQ(pixel(&page, 19, 19), 0xFFFFFFFFu);
  frond_fillcircle(10, 10, 5, reinterpret_cast<IMAGE*>(2));  // page 2 does not exist
  EXPECT_EQ(counter(), 251);
}

}  // namespace
