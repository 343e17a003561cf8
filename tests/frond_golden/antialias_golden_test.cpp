// Golden hashes of the GDI+ drawing script: aliased and anti-aliased shapes,
// flat, square and round caps, the three joins, both fill rules with
// anti-aliasing on, paths (widened and rotated pictures included), gradients,
// textures, the world transform and blends. No text: fonts vary by machine.
// Depends on: support/golden.h and expected/antialias.png (the final picture).

#include <cmath>

#include "support/golden.h"

using namespace frond;

namespace {

// A five-pointed star drawn in one stroke: its centre is outside under the
// alternate rule and inside under the winding rule.
void star(frond_point* p, float cx, float cy, float r) {
  for (int k = 0; k < 5; ++k) {
    const float a = float(k) * 2.5132741f - 1.5707963f;  // 144 degrees a step
    p[k] = {cx + r * std::cos(a), cy + r * std::sin(a)};
  }
}

// A 16x16 picture: a colour ramp whose alpha grows to the right.
void paint_ramp(IMAGE* img) {
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x)
      img->pixels[y * img->width + x] = argb_color(x * 16 + 15) << 24 | argb_color(x * 16) << 16 | argb_color(y * 16) << 8 | 0x40;
}

// A triangle, an ellipse, a line, a circle and a rounded rectangle, dx to the right.
void basic_shapes(IMAGE* g, float dx) {
  const frond_point tri[3] = {{10 + dx, 10}, {70 + dx, 20}, {30 + dx, 60}};
  frond_fillpoly(3, tri, g);
  frond_ellipse(75 + dx, 10, 50, 30, g);
  frond_line(10 + dx, 65, 140 + dx, 45, g);
  frond_circle(145 + dx, 25, 15.5f, g);
  frond_roundrect(80 + dx, 45, 60, 25, 12, 2, 8, 0, g);
}

const std::vector<frond_test::golden_step>& script() {
  static const std::vector<frond_test::golden_step> steps = {
      {"background", [](IMAGE* g) {
         setbkcolor(0xFF202830, g);
         cleardevice(g);
         setlinecolor(0xFFFFFFFF, g);
         setfillcolor(0xFF40A0F0, g);
       }},
      {"aliased shapes", [](IMAGE* g) { setantialias(false, g), basic_shapes(g, 0); }},
      {"anti-aliased shapes", [](IMAGE* g) { setantialias(true, g), basic_shapes(g, 170); }},
      {"caps flat, square and round", [](IMAGE* g) {
         setlinewidth(12, g);
         for (int cap = 0; cap < 3; ++cap) {
           setlinecap(cap, g);
           frond_line(20, float(85 + 18 * cap), 90, float(80 + 18 * cap), g);
         }
         setlinecap(2, 1, g);  // round start, square end
         frond_line(110, 85, 150, 125, g);
       }},
      {"joins miter, bevel and round", [](IMAGE* g) {
         setlinecap(0, g);
         for (int join = 0; join < 3; ++join) {
           setlinejoin(join, g);
           const float x = float(165 + 50 * join);
           const frond_point vee[3] = {{x, 80}, {x + 20, 125}, {x + 40, 80}};
           frond_polyline(3, vee, g);
         }
         setlinewidth(1, g);
       }},
      {"fill rules with anti-aliasing", [](IMAGE* g) {
         frond_point p[5];
         star(p, 40, 170, 35);
         setfillcolor(0xFFF0C040, g);
         frond_fillpoly(5, p, g);  // alternate: the centre stays empty
         star(p, 120, 170, 35);
         frond_path* winding = frond_path_create();
         frond_path_addpolygon(winding, 5, p);
         frond_path_setfillmode(winding, 2);  // winding: the centre is filled
         frond_fillpath(winding, g);
         frond_path* alternate = frond_path_clone(winding);
         frond_path_setfillmode(alternate, 1);
         frond_fillpath(alternate, 0, 0, g);  // drawn again over it: the centre stays filled
         frond_path_destroy(winding);
         frond_path_destroy(alternate);
       }},
      {"paths", [](IMAGE* g) {
         frond_path* path = frond_path_create();
         frond_path_addarc(path, 165, 140, 50, 50, 30, 240);
         frond_path_addbezier(path, 165, 190, 190, 230, 210, 130, 230, 180);
         frond_path_closefigure(path);
         frond_path_addcircle(path, 270, 165, 18);
         setlinecolor(0xFF80FF80, g);
         setlinewidth(3, g);
         frond_drawpath(path, g);
         frond_path_widen(path, 4);
         setfillcolor(0x80FF4080, g);
         frond_fillpath(path, 10, 10, g);
         frond_path_destroy(path);
         setlinewidth(1, g);
       }},
      {"gradients", [](IMAGE* g) {
         frond_setpattern_lineargradient(0, 200, 0xFFFF0000, 80, 240, 0xFF0000FF, g);
         frond_fillrect(0, 200, 80, 40, g);
         frond_point quad[4] = {{90, 200}, {150, 205}, {145, 238}, {95, 235}};
         const argb_color colors[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};
         frond_setpattern_pathgradient({120, 220}, 0xFFFFFFFF, 4, quad, 4, colors, g);
         frond_fillpoly(4, quad, g);
         frond_setpattern_ellipse({180, 215}, 0xFFFFFFFF, 155, 200, 60, 40, 0xFF8000C0, g);
         frond_fillellipse(155, 200, 60, 40, g);
         frond_setpattern_none(g);
       }},
      {"transform", [](IMAGE* g) {
         frond_translate(250, 215, g);
         frond_rotate(30, g);
         frond_scale(1.5f, 0.75f, g);
         setfillcolor(0xC0FFFFFF, g);
         frond_fillrect(-15, -15, 30, 30, g);
         frond_transform_reset(g);
       }},
      {"blends and textures", [](IMAGE* g) {
         IMAGE ramp(16, 16);
         paint_ramp(&ramp);
         putimage_alphablend(g, &ramp, 220, 10, 160, 0);
         putimage_withalpha(g, &ramp, 240, 10, 0, 0, 0, 0);
         putimage_alphablend(g, &ramp, 260, 10, 32, 32, 200, 0, 0, 0, 0, true, 0);
         frond_drawimage(&ramp, 295, 10, 20, 30, 0, 0, 16, 16, g);
         frond_setpattern_texture(&ramp, 0, 0, 16, 16, g);
         frond_fillcircle(300, 210, 15, g);
         frond_setpattern_none(g);
         frond_puttexture(&ramp, frond_rect{280, 120, 30, 30}, frond_rect{0, 0, 16, 16}, g);
       }},
      {"turned picture", [](IMAGE* g) {
         IMAGE ramp(16, 16);
         paint_ramp(&ramp);
         putimage_rotatezoom(g, &ramp, 200, 100, 0.5f, 0.5f, 0.6f, 1.5f, true, -1, true);
         putimage_rotate(g, &ramp, 90, 140, 0.5f, 0.5f, 1.2f, false, 200, false);
       }},
  };
  return steps;
}

TEST(AntialiasGolden, ScriptMatchesItsHashes) {
  IMAGE img(320, 240);
  frond_test::expect_golden(&img, script(),
                            {0xd43f440ecd846325ull, 0x49c89295bf19368dull, 0x73048df9e3400795ull,
                             0x9a2a427b5a736333ull, 0xe5376adb6939b8d4ull, 0xeccb34fa951a38cfull,
                             0x50aa4e67dfad8991ull, 0xf04af17dcb426a7eull, 0x0c6103fd1dfa6cdeull,
                             0x3c6d9aef5b0c749dull, 0x0f46035245d4dc6dull},
                            GOLDEN_DIR "/antialias.png");
}

}  // namespace
