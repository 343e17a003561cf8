// A gallery for people to look at: text outlines, a warped text, widened and
// outlined figures, and a picture rotated in 15-degree steps with nearest
// and with bilinear sampling, written as frond_gallery.png into the build
// folder. It asserts only that the picture was written and is not empty.

#include <cmath>
#include <string>

#include "graphics/frond.h"
#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;

namespace {

class GalleryTest : public GraphicsTest {};

// A 48x36 picture: a colour ramp with a white frame and a dark arrow pointing right.
void paint_picture(IMAGE* img) {
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x) {
      const bool frame = x < 2 || y < 2 || x >= img->width - 2 || y >= img->height - 2;
      const bool arrow = std::abs(y - img->height / 2) < 3 && x > 8 && x < 34;
      const bool head = x >= 34 && x < 44 && std::abs(y - img->height / 2) < 44 - x;
      img->pixels[y * img->width + x] = frame           ? 0xFFFFFFFFu
                                        : arrow || head ? 0xFF202040u
                                                        : 0xFF000000u | uint32_t(x * 5) << 16 | uint32_t(y * 7) << 8 | 0xA0;
    }
}

TEST_F(GalleryTest, PathsAndRotations) {
  IMAGE canvas(960, 560);
  setbkcolor(0xFF303030, &canvas);
  cleardevice(&canvas);
  setantialias(true, &canvas);

  frond_path* text = frond_path_create();
  frond_path_addtext(text, 20, 10, L"Frond paths", 64, -1, L"DejaVu Sans", 1);
  setfillcolor(0xFF60A0FF, &canvas);
  frond_fillpath(text, &canvas);
  setlinecolor(0xFFFFFFFF, &canvas);
  setlinewidth(1.5f, &canvas);
  frond_drawpath(text, 0, 80, &canvas);  // the same outline, drawn 80 pixels lower

  frond_path* warped = frond_path_clone(text);
  const frond_rect from = frond_path_getbounds(text);
  const frond_point onto[4] = {{500, 20}, {940, 40}, {540, 170}, {900, 150}};
  frond_path_warp(warped, onto, 4, &from);
  setfillcolor(0xFFFFB040, &canvas);
  frond_fillpath(warped, &canvas);

  frond_path* star = frond_path_create();
  frond_point pts[10];
  for (int i = 0; i < 10; ++i) {
    const float r = i % 2 ? 30.0f : 70.0f, a = float(i) * 0.6283185f - 1.5707963f;
    pts[i] = frond_point{110 + r * std::cos(a), 260 + r * std::sin(a)};
  }
  frond_path_addpolygon(star, 10, pts);
  frond_path* wide_star = frond_path_clone(star);
  frond_path_widen(wide_star, 10);
  setfillcolor(0xFF40C080, &canvas);
  frond_fillpath(wide_star, &canvas);

  frond_path* circles = frond_path_create();
  frond_path_addcircle(circles, 300, 250, 50);
  frond_path_addcircle(circles, 360, 250, 50);
  frond_path_addpie(circles, 280, 200, 200, 120, 200, 100);
  setfillcolor(0x60FF4080, &canvas);
  frond_fillpath(circles, &canvas);
  frond_path_outline(circles);
  setlinewidth(3, &canvas);
  frond_drawpath(circles, &canvas);

  frond_path* curve = frond_path_create();
  const frond_point wave[5] = {{560, 240}, {620, 190}, {700, 300}, {780, 200}, {900, 260}};
  frond_path_addcurve(curve, 5, wave);
  frond_path_widen(curve, 14);
  setfillcolor(0xFFC060FF, &canvas);
  frond_fillpath(curve, &canvas);

  IMAGE picture(48, 36);
  paint_picture(&picture);
  for (int row = 0; row < 2; ++row)
    for (int step = 0; step < 12; ++step) {
      const float angle = float(step) * 15.0f * 3.14159265f / 180.0f;
      putimage_rotate(&canvas, &picture, 40 + step * 80, 390 + row * 110, 0.5f, 0.5f, angle, false, -1, row == 1);
    }

  const std::string file = std::string(GALLERY_DIR) + "/frond_gallery.png";
  ASSERT_EQ(savepng(&canvas, file.c_str(), false), 0);
  int drawn = 0;
  for (int i = 0; i < canvas.width * canvas.height; ++i) drawn += (canvas.pixels[i] & 0xFFFFFF) != 0x303030;
  EXPECT_GT(drawn, 50000);
  for (frond_path* p : {text, warped, star, wide_star, circles, curve}) frond_path_destroy(p);
}

}  // namespace
