// Which calls count a change of the window's picture: every public drawing
// form (two forms with the same rule share a row, each run on its own),
// called on selector 0 (with and without a drawing target),
// on a page selector and on a real image, checking the count and that the
// named image (and no other) is the one drawn on.
// Depends on: the graphics fixture (state reset, counter). Checks no pixel values.

#include <cstdio>
#include <string>

#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;

namespace {

IMAGE* src = nullptr;  // an opaque white 8x8 source for the copying forms
IMAGE* scratch = nullptr;
frond_path* path = nullptr;
const int tri[] = {2, 2, 30, 4, 10, 30};
const int quad[] = {2, 2, 30, 2, 30, 30, 2, 30};
const frond_point ftri[] = {{2, 2}, {30, 4}, {10, 30}};
const frond_point fbez[] = {{2, 2}, {10, 30}, {20, 2}, {30, 30}};
const gradient_point grad3[] = {{2, 2, 0xFFFFFFFF}, {30, 4, 0xFFFFFFFF}, {10, 30, 0xFFFFFFFF}};
const gradient_point grad2[] = {{2, 2, 0xFFFFFFFF}, {30, 30, 0xFFFFFFFF}};
const argb_color white = 0xFFFFFFFF;
const frond_transform_matrix identity{1, 0, 0, 1, 0, 0};
frond_transform_matrix matrix;

// Where a row draws: on its image argument, on the drawing target whatever
// it is given, or nowhere (setters and queries).
enum class Where { arg, target, none };

// A row names up to two forms with the same expectations; each is run on its own.
struct Form {
  const char* call;
  void (*run)(IMAGE* d);
};
struct Row {
  int selector0, page, image;  // changes counted per call
  Where where;
  Form forms[2];
};

#define FORM(...) {#__VA_ARGS__, [](IMAGE* d) { (void)d; __VA_ARGS__; }}
#define ROW(s0, pg, im, where, ...) {s0, pg, im, Where::where, {FORM(__VA_ARGS__), {}}}
#define ROW2(s0, pg, im, where, a, b) {s0, pg, im, Where::where, {FORM(a), FORM(b)}}

const Row rows[] = {
    // Lines, curves and shapes through GDI.
    ROW(1, 0, 0, none, moveto(5, 5, d)),
    ROW2(1, 0, 0, arg, line(2, 2, 30, 30, d), line_f(2, 2, 30, 30, d)),
    ROW2(1, 0, 0, arg, lineto(30, 30, d), lineto_f(30, 30, d)),
    ROW2(1, 0, 0, arg, linerel(30, 30, d), linerel_f(30, 30, d)),
    ROW2(1, 0, 0, arg, arc(20, 20, 0, 180, 10, d), arc_f(20, 20, 0, 180, 10, d)),
    ROW2(1, 0, 0, arg, ellipse(20, 20, 0, 180, 10, 6, d), ellipse_f(20, 20, 0, 180, 10, 6, d)),
    ROW2(1, 0, 0, arg, circle(20, 20, 10, d), circle_f(20, 20, 10, d)),
    ROW2(1, 0, 0, arg, fillpie(20, 20, 0, 90, 10, 8, d), fillpie(20, 20, 0, 90, 10, d)),
    ROW2(1, 0, 0, arg, sector(20, 20, 0, 90, 10, 8, d), pie(20, 20, 0, 90, 10, 8, d)),
    ROW2(1, 0, 0, arg, solidpie(20, 20, 0, 90, 10, 8, d), fillpie_f(20, 20, 0, 90, 10, 8, d)),
    ROW2(1, 0, 0, arg, fillpie_f(20, 20, 0, 90, 10, d), sector_f(20, 20, 0, 90, 10, 8, d)),
    ROW2(1, 0, 0, arg, pie_f(20, 20, 0, 90, 10, 8, d), solidpie_f(20, 20, 0, 90, 10, 8, d)),
    ROW2(1, 0, 0, arg, fillellipse(20, 20, 10, 6, d), solidellipse(20, 20, 10, 6, d)),
    ROW2(1, 0, 0, arg, fillcircle(20, 20, 10, d), solidcircle(20, 20, 10, d)),
    ROW2(1, 0, 0, arg, fillellipse_f(20, 20, 10, 6, d), solidellipse_f(20, 20, 10, 6, d)),
    ROW2(1, 0, 0, arg, fillcircle_f(20, 20, 10, d), solidcircle_f(20, 20, 10, d)),
    ROW2(1, 0, 0, arg, rectangle(2, 2, 30, 30, d), fillrect(2, 2, 30, 30, d)),
    ROW2(1, 0, 0, arg, solidrect(2, 2, 30, 30, d), bar(2, 2, 30, 30, d)),
    ROW2(1, 0, 0, arg, roundrect(2, 2, 30, 30, 6, 4, d), roundrect(2, 2, 30, 30, 6, d)),
    ROW2(1, 0, 0, arg, fillroundrect(2, 2, 30, 30, 6, 4, d), fillroundrect(2, 2, 30, 30, 6, d)),
    ROW2(1, 0, 0, arg, solidroundrect(2, 2, 30, 30, 6, 4, d), solidroundrect(2, 2, 30, 30, 6, d)),
    ROW(2, 0, 0, arg, bar3d(5, 5, 20, 20, 3, 0, d)),
    ROW(3, 0, 0, arg, bar3d(5, 5, 20, 20, 3, 1, d)),
    ROW2(1, 0, 0, arg, drawpoly(3, tri, d), polyline(3, tri, d)),
    ROW2(1, 0, 0, arg, polygon(3, tri, d), fillpoly(3, tri, d)),
    ROW2(1, 0, 0, arg, solidpoly(3, tri, d), drawlines(2, quad, d)),
    ROW2(1, 0, 0, arg, drawbezier(4, quad, d), fillpoly_gradient(3, grad3, d)),
    ROW(0, 0, 0, none, fillpoly_gradient(2, grad2, d)),
    ROW2(1, 0, 0, arg, floodfill(1, 1, white, d), floodfillsurface(1, 1, 0xFF000000, d)),
    // Block copies.
    ROW2(1, 0, 0, arg, putimage(d, 0, 0, src), putimage(d, 0, 0, 4, 4, src, 0, 0)),
    ROW2(1, 0, 0, arg, putimage(d, 0, 0, 16, 16, src, 0, 0, 8, 8), src->putimage(d, 0, 0, 16, 16, 0, 0, 8, 8)),
    ROW2(1, 1, 1, target, putimage(0, 0, src), putimage(0, 0, 4, 4, src, 0, 0)),
    ROW(1, 1, 1, target, putimage(0, 0, 16, 16, src, 0, 0, 8, 8)),
    ROW2(1, 0, 0, arg, src->putimage(d, 0, 0), src->putimage(d, 0, 0, 4, 4, 0, 0)),
    ROW2(1, 1, 1, target, src->putimage(0, 0), src->putimage(0, 0, 4, 4, 0, 0)),
    // Blends and blur.
    ROW2(1, 0, 0, arg, putimage_transparent(d, src, 0, 0, 0, 0, 0, 0, 0), putimage_alphablend(d, src, 0, 0, 255, 0)),
    ROW2(1, 0, 0, arg, putimage_alphablend(d, src, 0, 0, 255, 0, 0, 0),
        putimage_alphablend(d, src, 0, 0, 255, 0, 0, 4, 4, 0)),
    ROW(1, 0, 0, none, putimage_alphablend(d, src, 0, 0, 0, 0)),
    ROW2(1, 0, 0, arg, putimage_alphatransparent(d, src, 0, 0, 0, 255, 0, 0, 0, 0),
        putimage_withalpha(d, src, 0, 0, 0, 0, 0, 0)),
    ROW2(1, 0, 0, arg, putimage_withalpha(d, src, 0, 0, 16, 16, 0, 0, 0, 0, false),
        putimage_alphafilter(d, src, 0, 0, src, 0, 0, 0, 0)),
    ROW2(1, 0, 0, arg, src->putimage_transparent(d, 0, 0, 0, 0, 0, 0, 0),
        src->putimage_alphablend(d, 0, 0, 255, 0, 0, 0, 0, 0)),
    ROW2(1, 0, 0, arg, src->putimage_alphablend(d, 0, 0, 16, 16, 255, 0, 0, 0, 0, false, 0),
        src->putimage_alphatransparent(d, 0, 0, 0, 255, 0, 0, 0, 0)),
    ROW2(1, 0, 0, arg, src->putimage_withalpha(d, 0, 0, 0, 0, 0, 0),
        src->putimage_withalpha(d, 0, 0, 16, 16, 0, 0, 0, 0, false)),
    ROW2(1, 0, 0, arg, putimage_alphablend(d, src, 0, 0, 16, 16, 255, 0, 0, 0, 0, false, 0),
        frond_puttexture(src, frond_rect{0, 0, 8, 8}, frond_rect{0, 0, 4, 4}, d)),
    ROW2(1, 0, 0, arg, src->putimage_alphafilter(d, 0, 0, src, 0, 0, 0, 0), imagefilter_blurring(d, 0, 256)),
    // Turned copies: the int-flag forms send selectors to a page and never count.
    ROW2(0, 0, 0, arg, putimage_rotate(d, src, 10, 10, 0.f, 0.f, 0.5f, 0, -1, 0),
        putimage_rotatezoom(d, src, 10, 10, 0.f, 0.f, 0.5f, 2.f, 0, -1, 0)),
    ROW2(1, 0, 0, arg, putimage_rotate(d, src, 10, 10, 0.f, 0.f, 0.5f, false, -1, false),
        putimage_rotatezoom(d, src, 10, 10, 0.f, 0.f, 0.5f, 2.f, false, -1, false)),
    ROW2(1, 0, 0, arg, putimage(d, src, 10, 10, 0, 0, 8, 8, 4, 4, 0, 0.5f, 1.f),
        putimage(d, src, 10, 10, 4, 4, 0, 0.5f, 1.f)),
    // Pixels.
    ROW(0, 0, 0, none, getpixel(1, 1, d)),
    ROW2(1, 0, 0, arg, putpixel(1, 1, white, d), putpixel_f(1, 1, white, d)),
    ROW2(1, 0, 0, arg, putpixels(2, tri, d), putpixels_f(2, tri, d)),
    ROW2(1, 0, 0, arg, putpixel_keepalpha(1, 1, white, d), putpixel_keepalpha_f(1, 1, white, d)),
    ROW2(1, 0, 0, arg, putpixel_withalpha(1, 1, white, d), putpixel_withalpha_f(1, 1, white, d)),
    ROW2(1, 0, 0, arg, putpixel_alphablend(1, 1, white, d), putpixel_alphablend_f(1, 1, white, d)),
    ROW2(1, 0, 0, arg, putpixel_alphablend(1, 1, white, uint8_t(200), d),
        putpixel_alphablend_f(1, 1, white, uint8_t(200), d)),
    ROW(1, 0, 0, none, putpixel(-100, -100, white, d)),
    // Clearing, viewports and the setters that count.
    ROW2(1, 0, 0, arg, cleardevice(d), clearviewport(d)),
    ROW2(1, 0, 0, none, setviewport(1, 1, 30, 30, 1, d), setbkcolor(0xFF000000, d)),
    ROW2(1, 0, 0, none, setbkcolor_norepaint(white, d), setfontbkcolor(white, d)),
    ROW(1, 0, 0, none, setantialias(true, d)),
    // Setters and queries that never count.
    ROW2(0, 0, 0, none, setcolor(white, d), setfillstyle(1, white, d)),
    ROW2(0, 0, 0, none, setfillcolor(white, d), setbkmode(TRANSPARENT, d)),
    ROW2(0, 0, 0, none, setlinestyle(1, 0, 2, d), setfont(20, 0, "SimSun", d)),
    ROW2(0, 0, 0, none, settextjustify(1, 1, d), textwidth("abc", d)),
    ROW2(0, 0, 0, none, textheight(L"abc", d), getimage(scratch, d, 0, 0, 2, 2)),
    // Text through GDI.
    ROW2(1, 0, 0, arg, outtext("Hi", d), outtext(L"Hi", d)),
    ROW2(1, 0, 0, arg, outtext('H', d), outtext(L'H', d)),
    ROW2(1, 0, 0, arg, outtextxy(2, 2, "Hi", d), outtextxy(2, 2, L"Hi", d)),
    ROW2(1, 0, 0, arg, outtextxy(2, 2, 'H', d), outtextxy(2, 2, L'H', d)),
    ROW2(1, 0, 0, arg, outtextrect(2, 2, 30, 30, "Hi", d), outtextrect(2, 2, 30, 30, L"Hi", d)),
    ROW2(1, 0, 0, none, outtextrect(2, 2, 0, 30, "Hi", d),
        outtextrect(2, 2, 30, 30, static_cast<const char*>(nullptr), d)),
    ROW2(1, 1, 1, target, xyprintf(2, 2, "%s", "Hi"), xyprintf(2, 2, L"%ls", L"Hi")),
    ROW2(1, 1, 1, target, rectprintf(2, 2, 30, 30, "%s", "Hi"), rectprintf(2, 2, 30, 30, L"%ls", L"Hi")),
    // Text through GDI+.
    ROW2(1, 0, 0, arg, frond_outtextxy(2, 2, "Hi", d), frond_outtextxy(2, 2, L"Hi", d)),
    ROW2(1, 0, 0, arg, frond_outtextxy(2, 2, 'H', d), frond_outtextxy(2, 2, L'H', d)),
    ROW2(1, 0, 0, arg, frond_drawtext("Hi", 2, 2, d), frond_drawtext(L"Hi", 2, 2, d)),
    ROW2(1, 1, 1, target, frond_xyprintf(2, 2, "%s", "Hi"), frond_xyprintf(2, 2, L"%ls", L"Hi")),
    // Anti-aliased outlines and fills.
    ROW2(1, 0, 0, arg, frond_line(2, 2, 30, 30, d), frond_polyline(3, ftri, d)),
    ROW2(1, 0, 0, arg, frond_polygon(3, ftri, d), frond_drawpoly(3, ftri, d)),
    ROW2(1, 0, 0, arg, frond_drawcurve(3, ftri, d), frond_drawcurve(3, ftri, 0.3f, d)),
    ROW2(1, 0, 0, arg, frond_drawclosedcurve(3, ftri, d), frond_drawclosedcurve(3, ftri, 0.3f, d)),
    ROW2(1, 0, 0, arg, frond_bezier(4, fbez, d), frond_drawbezier(4, fbez, d)),
    ROW2(1, 0, 0, arg, frond_rectangle(2, 2, 28, 28, d), frond_ellipse(2, 2, 28, 20, d)),
    ROW2(1, 0, 0, arg, frond_circle(20, 20, 10, d), frond_arc(2, 2, 28, 28, 0, 180, d)),
    ROW2(1, 0, 0, arg, frond_pie(2, 2, 28, 28, 0, 90, d), frond_roundrect(2, 2, 28, 28, 3, 4, 5, 6, d)),
    ROW2(1, 0, 0, arg, frond_fillrect(2, 2, 28, 28, d), frond_fillpoly(3, ftri, d)),
    ROW2(1, 0, 0, arg, frond_fillclosedcurve(3, ftri, d), frond_fillclosedcurve(3, ftri, 0.3f, d)),
    ROW2(1, 0, 0, arg, frond_fillellipse(2, 2, 28, 20, d), frond_fillcircle(20, 20, 10, d)),
    ROW2(1, 0, 0, arg, frond_fillpie(2, 2, 28, 28, 0, 90, d), frond_fillroundrect(2, 2, 28, 28, 3, 4, 5, 6, d)),
    ROW2(1, 1, 1, target, frond_roundrect(2, 2, 28, 28, 5), frond_fillroundrect(2, 2, 28, 28, 5)),
    ROW2(1, 0, 0, arg, frond_drawpath(path, d), frond_drawpath(path, 1, 1, d)),
    ROW2(1, 0, 0, arg, frond_fillpath(path, d), frond_fillpath(path, 1, 1, d)),
    // Patterns, alpha, textures and images.
    ROW2(1, 0, 0, none, frond_setpattern_none(d), frond_setpattern_lineargradient(0, 0, 1, 10, 0, 2, d)),
    ROW2(1, 0, 0, none, frond_setpattern_pathgradient({10, 10}, 1, 3, ftri, 1, &white, d),
         frond_setpattern_ellipse({0, 0}, 1, 0, 0, 10, 10, 2, d)),
    ROW2(1, 0, 0, none, frond_setpattern_texture(src, 0, 0, 8, 8, d), frond_gentexture(true, d)),
    ROW(1, 0, 0, arg, frond_setalpha(0x80, d)),
    ROW2(0, 0, 0, arg, frond_puttexture(src, 0, 0, 8, 8, d), frond_puttexture(src, frond_rect{0, 0, 8, 8}, d)),
    ROW2(1, 0, 0, arg, frond_drawimage(src, 0, 0, d), frond_drawimage(src, 0, 0, 16, 16, 0, 0, 8, 8, d)),
    // Transforms (they count on selector 0, even the queries).
    ROW2(1, 0, 0, none, frond_rotate(10, d), frond_translate(1, 2, d)),
    ROW2(1, 0, 0, none, frond_scale(2, 2, d), frond_transform_reset(d)),
    ROW2(1, 0, 0, none, frond_get_transform(&matrix, d), frond_set_transform(&identity, d)),
    ROW2(1, 0, 0, none, frond_transform_calc(frond_point{1, 1}, d), frond_transform_calc(1, 1, d)),
};

// A black image with white line, fill and text colours.
void prepare(IMAGE* img) {
  std::fill(img->pixels, img->pixels + img->width * img->height, 0xFF000000u);
  setcolor(white, img);
  setfillcolor(white, img);
  setbkmode(TRANSPARENT, img);
  setbkcolor_norepaint(0xFF102030, img);
}

class CountingTest : public GraphicsTest {};

TEST_F(CountingTest, EachDrawingFormCountsOnSelectorZeroOnly) {
  IMAGE source(8, 8);
  std::fill(source.pixels, source.pixels + 64, white);
  src = &source;
  frond_gentexture(true, &source);
  IMAGE copy(1, 1);
  scratch = &copy;
  frond_path p;
  frond_path_addrect(&p, 4, 4, 20, 20);
  path = &p;
  IMAGE* const page_selector = reinterpret_cast<IMAGE*>(17);  // 17 & 15: page 1
  for (const Row& row : rows)
    for (const Form& form : row.forms) {
      if (form.run == nullptr) continue;
      const struct {
        const char* on;
        int arg;  // 0: selector 0, 1: page 1 by selector, 2: the image
        bool with_target;
        int changes;
      } runs[] = {
          {"selector 0", 0, true, row.selector0},
          {"selector 0 without a target", 0, false, row.selector0},
          {"a page", 1, true, row.page},
          {"an image", 2, true, row.image},
      };
      for (const auto& run : runs) {
        SCOPED_TRACE(std::string(form.call) + " on " + run.on);
        IMAGE target(40, 40), page(40, 40), image(40, 40);
        for (IMAGE* img : {&target, &page, &image}) prepare(img);
        IMAGE* const images[] = {&target, &page, &image};
        const auto snapshot = [&] {
          std::vector<std::vector<argb_color>> all;
          for (IMAGE* img : images) all.push_back(frond_test::pixels_of(img));
          return all;
        };
        IMAGE* const args[] = {nullptr, page_selector, &image};
        IMAGE* const named[] = {run.with_target ? &target : nullptr, &page, &image};
        state().draw_target = run.with_target ? &target : nullptr;
        state().pages[0] = run.with_target ? &target : nullptr;  // the int-flag turned copies use page 0
        state().pages[1] = &page;
        const auto before = snapshot();
        const int count = counter();
        form.run(args[run.arg]);
        EXPECT_EQ(count - counter(), run.changes);
        const IMAGE* drawn = row.where == Where::arg                        ? named[run.arg]
                             : row.where == Where::target && run.with_target ? &target
                                                                            : nullptr;
        const auto after = snapshot();
        for (int i = 0; i < 3; ++i) EXPECT_EQ(before[i] != after[i], images[i] == drawn) << "image " << i;
      }
    }
  src = nullptr;
  path = nullptr;
}

}  // namespace
