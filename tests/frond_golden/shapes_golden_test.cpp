// Golden hashes of the aliased GDI drawing script: every shape with thin and
// wide pens, every line style, the hatch fills and the write modes.
// Depends on: support/golden.h and expected/shapes.png (the final picture).

#include "support/golden.h"

using namespace frond;

namespace {

const int kStar[] = {250, 10, 262, 45, 225, 22, 275, 22, 238, 45};

// The script, one named step at a time.
const std::vector<frond_test::golden_step>& script() {
  static const std::vector<frond_test::golden_step> steps = {
      {"thin styles", [](IMAGE* g) {
         const int styles[] = {0, 1, 2, 3, 4, 7};
         for (int i = 0; i < 6; ++i) {
           setlinestyle(styles[i], 0x3C3F, 1, g);
           line(4, 4 + 4 * i, 150, 10 + 4 * i, g);
         }
       }},
      {"wide caps and joins", [](IMAGE* g) {
         const int path[] = {10, 50, 60, 40, 30, 75, 90, 70};
         for (int k = 0; k < 3; ++k) {
           setcolor(0xFF40A0F0 + 0x300000 * k, g);
           setlinestyle(0, 0, 7, g);
           setlinecap(k, g);
           setlinejoin(k, g);
           int moved[8];
           for (int i = 0; i < 8; ++i) moved[i] = path[i] + (i % 2 ? 0 : 95 * k);
           polyline(4, moved, g);
         }
         setlinestyle(1, 0, 3, g);
         line(10, 88, 300, 92, g);
       }},
      {"hatch fills", [](IMAGE* g) {
         setlinestyle(0, 0, 1, g);
         setcolor(0xFFFFFFFF, g);
         setbkcolor_norepaint(0xFF202060, g);
         for (int p = 0; p < 12; ++p) {
           setfillstyle(p, 0xFFFFC000, g);
           fillrect(4 + 26 * p, 100, 28 + 26 * p, 122, g);
         }
         setbkmode(TRANSPARENT, g);
         setfillstyle(8, 0xFF00FF80, g);
         fillellipse(40, 150, 30, 20, g);
         setbkmode(OPAQUE, g);
       }},
      {"curves", [](IMAGE* g) {
         setfillcolor(0xFF8040C0, g);
         fillpie(110, 150, 30, 250, 28, g);
         pie(110, 150, 260, 20, 24, 18, g);
         arc(170, 150, 45, 315, 25, g);
         circle(170, 150, 12, g);
         ellipse(230, 150, 0, 180, 35, 15, g);
         solidellipse(290, 150, 20, 25, g);
         fillroundrect(200, 175, 310, 230, 15, 8, g);
         roundrect(210, 185, 300, 220, 6, g);
       }},
      {"polygons, curves and bars", [](IMAGE* g) {
         setfillcolor(0xFF30C030, g);
         fillpoly(5, kStar, g);
         setlinestyle(0, 0, 3, g);
         const int bez[] = {10, 230, 40, 170, 80, 250, 110, 190, 140, 130, 170, 230, 190, 200};
         drawbezier(7, bez, g);
         setlinestyle(0, 0, 1, g);
         setfillcolor(0xFF606060, g);
         bar3d(130, 190, 170, 225, 8, 1, g);
         const gradient_point strip[] = {{5, 180, 0xFFFF0000}, {60, 180, 0xFF00FF00}, {5, 200, 0xFF0000FF},
                                         {60, 200, 0xFFFFFFFF}};
         fillpoly_gradient(4, strip, g);
       }},
      {"flood fill", [](IMAGE* g) {
         setcolor(0xFFFFFFFF, g);
         rectangle(280, 40, 315, 80, g);
         line(280, 40, 314, 79, g);
         setfillstyle(5, 0xFFFF4040, g);
         floodfill(310, 45, 0xFFFFFFFF, g);
       }},
      {"wide and styled outlines", [](IMAGE* g) {
         setcolor(0xFFF0F080, g);
         setfillcolor(0xFF205020, g);
         setlinestyle(0, 0, 4, g);
         setlinejoin(2, g);
         fillpie(60, 215, 100, 350, 22, 18, g);
         setlinestyle(2, 0, 2, g);
         fillellipse(25, 140, 18, 12, g);
         setlinestyle(7, 0x0F0F, 1, g);
         fillroundrect(130, 130, 190, 170, 10, g);
       }},
      {"write modes", [](IMAGE* g) {
         setfillcolor(0xFFFFFFFF, g);
         const int modes[] = {R2_XORPEN, R2_NOT, R2_MASKPEN, R2_MERGEPEN, R2_NOTCOPYPEN};
         for (int i = 0; i < 5; ++i) {
           setwritemode(modes[i], g);
           setlinestyle(0, 0, 1 + 2 * i, g);
           fillrect(10 + 55 * i, 60, 50 + 55 * i, 90, g);
         }
         setwritemode(R2_COPYPEN, g);
       }},
  };
  return steps;
}

TEST(ShapesGolden, ScriptMatchesItsHashes) {
  IMAGE img(320, 240);
  frond_test::expect_golden(&img, script(),
                            {0x96bb44cb484255adull, 0xa0d05173ee7e6fcdull, 0xdca42c8e01cb7baeull,
                             0xbf71f7c3ef5e528bull, 0x838a2f15bbaa9930ull, 0x5f3bf9dd20d17c71ull,
                             0xc212f9e1929e6c56ull, 0x5e228b0d083e58ebull},
                            GOLDEN_DIR "/shapes.png");
}

}  // namespace
