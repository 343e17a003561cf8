// Writes frond_antialias_gallery.png into the build folder for a person to
// look at: every outline, fill, pattern and image drawing of the library,
// aliased in the left half and anti-aliased in the right, one cell each
// (each cell is a clipping viewport). The test checks only that each cell
// drew and that the two halves differ.
#include <png.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "antialias_support.h"
#include "graphics/frond.h"

using namespace frond;
using frond_test::GraphicsTest;

namespace {

constexpr int kCell = 100, kColumns = 6, kRows = 6;
constexpr int kHalf = kCell * kColumns;

const frond_point kZigzag[7] = {{8, 70}, {22, 20}, {36, 70}, {50, 20}, {64, 70}, {78, 20}, {92, 60}};
const frond_point kStar[5] = {{50, 8}, {76, 88}, {8, 38}, {92, 38}, {24, 88}};
const frond_point kBlob[5] = {{20, 20}, {80, 15}, {88, 60}, {50, 88}, {12, 70}};
const frond_point kTriangle[4] = {{15, 15}, {85, 25}, {40, 85}, {15, 15}};

bool write_png(const std::string& path, IMAGE* img) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool written = false;
  if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, img->width, img->height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);  // the words are B, G, R, A in memory: the fourth byte is dropped
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < img->height; ++y)
      png_write_row(png, reinterpret_cast<png_const_bytep>(img->pixels + size_t(y) * img->width));
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && written;
}

// One drawing per cell, in cell coordinates (0..100).
std::vector<std::function<void(IMAGE*)>> drawings(IMAGE* texture_source) {
  return {
      // Outlines.
      [](IMAGE* i) { frond_line(8, 10, 92, 90, i); frond_line(8, 90, 92, 60, i); },
      [](IMAGE* i) { frond_polyline(7, kZigzag, i); },
      [](IMAGE* i) { frond_polygon(5, kStar, i); },
      [](IMAGE* i) { setlinewidth(7, i); frond_drawpoly(4, kTriangle, i); },
      [](IMAGE* i) { frond_drawcurve(7, kZigzag, i); frond_drawcurve(7, kZigzag, 1.5f, i); },
      [](IMAGE* i) { frond_drawclosedcurve(5, kBlob, i); frond_drawclosedcurve(5, kBlob, 0.1f, i); },
      [](IMAGE* i) {
        const frond_point s[7] = {{8, 80}, {8, 0}, {60, 0}, {50, 50}, {40, 100}, {92, 100}, {92, 20}};
        setlinewidth(3, i);
        frond_bezier(7, s, i);
      },
      [](IMAGE* i) { frond_rectangle(10.5f, 15.5f, 60, 40, i); frond_rectangle(30.25f, 40.75f, 60, 45, i); },
      [](IMAGE* i) { setlinewidth(4, i); frond_ellipse(8, 20, 84, 60, i); },
      [](IMAGE* i) { frond_circle(50, 50, 40, i); frond_circle(50, 50, 20.5f, i); },
      [](IMAGE* i) { setlinewidth(5, i); frond_arc(10, 10, 80, 80, 200, 250, i); },
      [](IMAGE* i) { setlinewidth(2, i); frond_pie(10, 10, 80, 80, -30, 120, i); },
      [](IMAGE* i) { setlinewidth(3, i); frond_roundrect(10, 10, 80, 80, 30, 5, 15, 0, i); },
      [](IMAGE* i) {
        for (int style = 1; style <= 3; ++style) {
          setlinestyle(style, 0, 3, i);
          frond_line(8, float(15 + 25 * style), 92, float(15 + 25 * style), i);
        }
        setlinestyle(PS_NULL, 0, 3, i);
        frond_line(8, 10, 92, 10, i);  // hidden
      },
      [](IMAGE* i) {
        setlinewidth(10, i);
        setlinecap(2, i);
        setlinejoin(2, i);
        const frond_point vee[3] = {{15, 20}, {50, 80}, {85, 25}};
        frond_polyline(3, vee, i);
      },
      [](IMAGE* i) {
        setlinewidth(10, i);
        setlinecap(1, 0, i);
        setlinejoin(1, i);
        const frond_point vee[3] = {{15, 80}, {50, 20}, {85, 75}};
        frond_polyline(3, vee, i);
      },
      // Fills.
      [](IMAGE* i) {
        frond_fillrect(10, 10, 50, 50, i);
        setfillcolor(0x80FFFF00, i);
        frond_fillrect(35.5f, 35.5f, 55, 55, i);
      },
      [](IMAGE* i) { frond_fillpoly(5, kStar, i); },
      [](IMAGE* i) { frond_fillclosedcurve(5, kBlob, i); },
      [](IMAGE* i) { frond_fillclosedcurve(5, kStar, 0.8f, i); },
      [](IMAGE* i) { frond_fillellipse(8, 25, 84, 50, i); },
      [](IMAGE* i) { frond_fillcircle(50, 50, 42.5f, i); },
      [](IMAGE* i) { frond_fillpie(8, 8, 84, 84, 30, 280, i); },
      [](IMAGE* i) { frond_fillroundrect(8, 20, 84, 60, 30, 30, 30, 30, i); },
      // Patterns.
      [](IMAGE* i) {
        frond_setpattern_lineargradient(10, 0, 0xFFFF0000, 60, 40, 0xFF0000FF, i);
        frond_fillcircle(50, 50, 45, i);
      },
      [](IMAGE* i) {
        // A ten-pointed outline of a star, its tips in five colours.
        frond_point star[10];
        argb_color colors[10];
        const argb_color tips[5] = {0xFFFF0000, 0xFFFFFF00, 0xFF00FF00, 0xFF00FFFF, 0xFF0000FF};
        for (int k = 0; k < 10; ++k) {
          const float angle = float(k) * 0.6283185f - 1.5707963f, radius = k % 2 ? 18.0f : 45.0f;
          star[k] = {50 + radius * std::cos(angle), 52 + radius * std::sin(angle)};
          colors[k] = k % 2 ? 0xFF800080 : tips[k / 2];
        }
        frond_setpattern_pathgradient({50, 52}, 0xFFFFFFFF, 10, star, 10, colors, i);
        frond_fillrect(0, 0, 100, 100, i);
      },
      [](IMAGE* i) {
        frond_setpattern_ellipse({35, 40}, 0xFFFFFFFF, 5, 15, 90, 70, 0xFF8000C0, i);
        frond_fillrect(0, 0, 100, 100, i);
      },
      [texture_source](IMAGE* i) {
        frond_setpattern_texture(texture_source, 0, 0, 16, 16, i);
        frond_fillroundrect(5, 5, 90, 90, 20, 20, 20, 20, i);
      },
      [texture_source](IMAGE* i) {
        frond_puttexture(texture_source, 10, 10, 80, 40, i);
        frond_puttexture(texture_source, frond_rect{10, 55, 80, 40}, frond_rect{0, 0, 8, 8}, i);
      },
      [texture_source](IMAGE* i) {
        IMAGE spot(40, 40);
        for (int y = 0; y < 40; ++y)
          for (int x = 0; x < 40; ++x) {
            const int d2 = (x - 20) * (x - 20) + (y - 20) * (y - 20);
            spot.pixels[y * 40 + x] = (d2 < 400 ? argb_color(255 - d2 * 255 / 400) << 24 : 0) | 0x00FF8000;
          }
        frond_drawimage(&spot, 5, 5, i);
        frond_drawimage(texture_source, 50, 50, 45, 45, 0, 0, 16, 16, i);
      },
      // The world transform: a rotated, scaled square and a translucent veil.
      [](IMAGE* i) {
        frond_translate(50, 50, i);
        frond_rotate(30, i);
        frond_scale(1.5f, 0.75f, i);
        frond_fillrect(-25, -25, 50, 50, i);
        frond_rectangle(-25, -25, 50, 50, i);
      },
      [](IMAGE* i) {
        setfillcolor(0xFFFFFFFF, i);
        frond_fillrect(0, 0, 100, 100, i);
        setfillcolor(0x0D000000, i);
        for (int k = 0; k < 10; ++k) frond_fillrect(float(10 * k), 0, 100 - float(10 * k), 100, i);
      },
  };
}

class GalleryTest : public GraphicsTest {};

TEST_F(GalleryTest, WritesEveryDrawingAliasedAndAntialiased) {
  IMAGE texture(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) texture.pixels[y * 16 + x] = ((x / 4 + y / 4) % 2) ? 0xFF2060C0 : 0xFFE0E0E0;
  frond_gentexture(true, &texture);

  const std::vector<std::function<void(IMAGE*)>> cells = drawings(&texture);
  ASSERT_LE(cells.size(), size_t(kColumns * kRows));
  IMAGE gallery(2 * kHalf, kRows * kCell);
  setbkcolor(0xFF202830, &gallery);
  for (int half = 0; half < 2; ++half)
    for (size_t n = 0; n < cells.size(); ++n) {
      IMAGE cell(kCell - 4, kCell - 4);
      setbkcolor(0xFF202830, &cell);
      setantialias(half == 1, &cell);
      setcolor(0xFFF0F0F0, &cell);
      setfillcolor(0xFF40B060, &cell);
      cells[n](&cell);
      const int x = half * kHalf + int(n % kColumns) * kCell + 2, y = int(n / kColumns) * kCell + 2;
      const std::vector<argb_color> empty(size_t(cell.width) * cell.height, 0xFF202830);
      EXPECT_GT(aa_test::changed_count(empty, &cell), 20) << "cell " << n;
      putimage(&gallery, x, y, &cell);
    }

  int differing = 0;
  for (int y = 0; y < gallery.height; ++y)
    for (int x = 0; x < kHalf; ++x)
      differing += frond_test::pixel(&gallery, x, y) != frond_test::pixel(&gallery, x + kHalf, y);
  EXPECT_GT(differing, 2000);
  EXPECT_TRUE(write_png(std::string(GALLERY_DIR) + "/frond_antialias_gallery.png", &gallery));
}

}  // namespace
