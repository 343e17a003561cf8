// Which calls count a change of the window's picture: one row per rule
// listing every public drawing form it covers, each form called on its own
// on selector 0 (with and without a drawing target), on a page selector and
// on a real image, checking the count and that the named image (and no
// other) is the one drawn on.
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
const frond_point fclosed[] = {{2, 2}, {30, 4}, {10, 30}, {2, 2}};  // drawn as a polygon
const frond_point fbez[] = {{2, 2}, {10, 30}, {20, 2}, {30, 30}};
const gradient_point grad3[] = {{2, 2, 0xFFFFFFFF}, {30, 4, 0xFFFFFFFF}, {10, 30, 0xFFFFFFFF}};
const gradient_point grad2[] = {{2, 2, 0xFFFFFFFF}, {30, 30, 0xFFFFFFFF}};
const argb_color white = 0xFFFFFFFF;
const frond_transform_matrix identity{1, 0, 0, 1, 0, 0};
frond_transform_matrix matrix;

// Where a row draws: on its image argument, on the drawing target whatever
// it is given, or nowhere (setters and queries).
enum class Where { arg, target, none };

// A row names the forms that share its expectations; each is run on its own.
struct Form {
  const char* call;
  void (*run)(IMAGE* d);
};
struct Row {
  int selector0, page, image;  // changes counted per call
  Where where;
  std::vector<Form> forms;
};

#define F(...) Form{#__VA_ARGS__, [](IMAGE* d) { (void)d; __VA_ARGS__; }}
#define ROW(s0, pg, im, where, ...) {s0, pg, im, Where::where, {__VA_ARGS__}}

const Row rows[] = {
    // Lines, curves and shapes through GDI.
    ROW(1, 0, 0, none, F(moveto(5, 5, d))),
    ROW(1, 0, 0, arg, F(line(2, 2, 30, 30, d)), F(line_f(2, 2, 30, 30, d)), F(lineto(30, 30, d)),
        F(lineto_f(30, 30, d)), F(linerel(30, 30, d)), F(linerel_f(30, 30, d)), F(arc(20, 20, 0, 180, 10, d)),
        F(arc_f(20, 20, 0, 180, 10, d)), F(ellipse(20, 20, 0, 180, 10, 6, d)), F(ellipse_f(20, 20, 0, 180, 10, 6, d)),
        F(circle(20, 20, 10, d)), F(circle_f(20, 20, 10, d)), F(fillpie(20, 20, 0, 90, 10, 8, d)),
        F(fillpie(20, 20, 0, 90, 10, d)), F(sector(20, 20, 0, 90, 10, 8, d)), F(pie(20, 20, 0, 90, 10, 8, d)),
        F(solidpie(20, 20, 0, 90, 10, 8, d)), F(fillpie_f(20, 20, 0, 90, 10, 8, d)), F(fillpie_f(20, 20, 0, 90, 10, d)),
        F(sector_f(20, 20, 0, 90, 10, 8, d)), F(pie_f(20, 20, 0, 90, 10, 8, d)), F(solidpie_f(20, 20, 0, 90, 10, 8, d)),
        F(fillellipse(20, 20, 10, 6, d)), F(solidellipse(20, 20, 10, 6, d)), F(fillcircle(20, 20, 10, d)),
        F(solidcircle(20, 20, 10, d)), F(fillellipse_f(20, 20, 10, 6, d)), F(solidellipse_f(20, 20, 10, 6, d)),
        F(fillcircle_f(20, 20, 10, d)), F(solidcircle_f(20, 20, 10, d)), F(rectangle(2, 2, 30, 30, d)),
        F(fillrect(2, 2, 30, 30, d)), F(solidrect(2, 2, 30, 30, d)), F(bar(2, 2, 30, 30, d)),
        F(roundrect(2, 2, 30, 30, 6, 4, d)), F(roundrect(2, 2, 30, 30, 6, d)), F(fillroundrect(2, 2, 30, 30, 6, 4, d)),
        F(fillroundrect(2, 2, 30, 30, 6, d)), F(solidroundrect(2, 2, 30, 30, 6, 4, d)),
        F(solidroundrect(2, 2, 30, 30, 6, d))),
    ROW(2, 0, 0, arg, F(bar3d(5, 5, 20, 20, 3, 0, d))),
    ROW(3, 0, 0, arg, F(bar3d(5, 5, 20, 20, 3, 1, d))),
    ROW(1, 0, 0, arg, F(drawpoly(3, tri, d)), F(polyline(3, tri, d)), F(polygon(3, tri, d)), F(fillpoly(3, tri, d)),
        F(solidpoly(3, tri, d)), F(drawlines(2, quad, d)), F(drawbezier(4, quad, d)),
        F(fillpoly_gradient(3, grad3, d))),
    ROW(0, 0, 0, none, F(fillpoly_gradient(2, grad2, d))),
    ROW(1, 0, 0, arg, F(floodfill(1, 1, white, d)), F(floodfillsurface(1, 1, 0xFF000000, d))),
    // Block copies.
    ROW(1, 0, 0, arg, F(putimage(d, 0, 0, src)), F(putimage(d, 0, 0, 4, 4, src, 0, 0)),
        F(putimage(d, 0, 0, 16, 16, src, 0, 0, 8, 8)), F(src->putimage(d, 0, 0, 16, 16, 0, 0, 8, 8))),
    ROW(1, 1, 1, target, F(putimage(0, 0, src)), F(putimage(0, 0, 4, 4, src, 0, 0)),
        F(putimage(0, 0, 16, 16, src, 0, 0, 8, 8))),
    ROW(1, 0, 0, arg, F(src->putimage(d, 0, 0)), F(src->putimage(d, 0, 0, 4, 4, 0, 0))),
    ROW(1, 1, 1, target, F(src->putimage(0, 0)), F(src->putimage(0, 0, 4, 4, 0, 0))),
    // Blends and blur.
    ROW(1, 0, 0, arg, F(putimage_transparent(d, src, 0, 0, 0, 0, 0, 0, 0)),
        F(putimage_alphablend(d, src, 0, 0, 255, 0)), F(putimage_alphablend(d, src, 0, 0, 255, 0, 0, 0)),
        F(putimage_alphablend(d, src, 0, 0, 255, 0, 0, 4, 4, 0))),
    ROW(1, 0, 0, none, F(putimage_alphablend(d, src, 0, 0, 0, 0))),
    ROW(1, 0, 0, arg, F(putimage_alphatransparent(d, src, 0, 0, 0, 255, 0, 0, 0, 0)),
        F(putimage_withalpha(d, src, 0, 0, 0, 0, 0, 0)), F(putimage_withalpha(d, src, 0, 0, 16, 16, 0, 0, 0, 0, false)),
        F(putimage_alphafilter(d, src, 0, 0, src, 0, 0, 0, 0)), F(src->putimage_transparent(d, 0, 0, 0, 0, 0, 0, 0)),
        F(src->putimage_alphablend(d, 0, 0, 255, 0, 0, 0, 0, 0)),
        F(src->putimage_alphablend(d, 0, 0, 16, 16, 255, 0, 0, 0, 0, false, 0)),
        F(src->putimage_alphatransparent(d, 0, 0, 0, 255, 0, 0, 0, 0)), F(src->putimage_withalpha(d, 0, 0, 0, 0, 0, 0)),
        F(src->putimage_withalpha(d, 0, 0, 16, 16, 0, 0, 0, 0, false)),
        F(putimage_alphablend(d, src, 0, 0, 16, 16, 255, 0, 0, 0, 0, false, 0)),
        F(src->putimage_alphafilter(d, 0, 0, src, 0, 0, 0, 0)), F(imagefilter_blurring(d, 0, 256))),
    // Turned copies: the int-flag forms send selectors to a page and never count.
    ROW(0, 0, 0, arg, F(putimage_rotate(d, src, 10, 10, 0.f, 0.f, 0.5f, 0, -1, 0)),
        F(putimage_rotatezoom(d, src, 10, 10, 0.f, 0.f, 0.5f, 2.f, 0, -1, 0))),
    ROW(1, 0, 0, arg, F(putimage_rotate(d, src, 10, 10, 0.f, 0.f, 0.5f, false, -1, false)),
        F(putimage_rotatezoom(d, src, 10, 10, 0.f, 0.f, 0.5f, 2.f, false, -1, false)),
        F(putimage(d, src, 10, 10, 0, 0, 8, 8, 4, 4, 0, 0.5f, 1.f)), F(putimage(d, src, 10, 10, 4, 4, 0, 0.5f, 1.f))),
    // Pixels.
    ROW(0, 0, 0, none, F(getpixel(1, 1, d))),
    ROW(1, 0, 0, arg, F(putpixel(1, 1, white, d)), F(putpixel_f(1, 1, white, d)), F(putpixels(2, tri, d)),
        F(putpixels_f(2, tri, d)), F(putpixel_keepalpha(1, 1, white, d)), F(putpixel_keepalpha_f(1, 1, white, d)),
        F(putpixel_withalpha(1, 1, white, d)), F(putpixel_withalpha_f(1, 1, white, d)),
        F(putpixel_alphablend(1, 1, white, d)), F(putpixel_alphablend_f(1, 1, white, d)),
        F(putpixel_alphablend(1, 1, white, uint8_t(200), d)), F(putpixel_alphablend_f(1, 1, white, uint8_t(200), d))),
    ROW(1, 0, 0, none, F(putpixel(-100, -100, white, d))),
    // Clearing, viewports and the setters that count.
    ROW(1, 0, 0, arg, F(cleardevice(d)), F(clearviewport(d))),
    ROW(1, 0, 0, none, F(setviewport(1, 1, 30, 30, 1, d)), F(setbkcolor(0xFF000000, d)),
        F(setbkcolor_norepaint(white, d)), F(setfontbkcolor(white, d)), F(setantialias(true, d))),
    // Setters and queries that never count.
    ROW(0, 0, 0, none, F(setcolor(white, d)), F(setfillstyle(1, white, d)), F(setfillcolor(white, d)),
        F(setbkmode(TRANSPARENT, d)), F(setlinestyle(1, 0, 2, d)), F(setfont(20, 0, "SimSun", d)),
        F(settextjustify(1, 1, d)), F(textwidth("abc", d)), F(textheight(L"abc", d)),
        F(getimage(scratch, d, 0, 0, 2, 2)), F(getimage(scratch, 0, 0, 2, 2))),
    // Text through GDI.
    ROW(1, 0, 0, arg, F(outtext("Hi", d)), F(outtext(L"Hi", d)), F(outtext('H', d)), F(outtext(L'H', d)),
        F(outtextxy(2, 2, "Hi", d)), F(outtextxy(2, 2, L"Hi", d)), F(outtextxy(2, 2, 'H', d)),
        F(outtextxy(2, 2, L'H', d)), F(outtextrect(2, 2, 30, 30, "Hi", d)), F(outtextrect(2, 2, 30, 30, L"Hi", d))),
    ROW(1, 0, 0, none, F(outtextrect(2, 2, 0, 30, "Hi", d)),
        F(outtextrect(2, 2, 30, 30, static_cast<const char*>(nullptr), d))),
    ROW(1, 1, 1, target, F(xyprintf(2, 2, "%s", "Hi")), F(xyprintf(2, 2, L"%ls", L"Hi")),
        F(rectprintf(2, 2, 30, 30, "%s", "Hi")), F(rectprintf(2, 2, 30, 30, L"%ls", L"Hi"))),
    // Text through GDI+.
    ROW(1, 0, 0, arg, F(frond_outtextxy(2, 2, "Hi", d)), F(frond_outtextxy(2, 2, L"Hi", d)),
        F(frond_outtextxy(2, 2, 'H', d)), F(frond_outtextxy(2, 2, L'H', d)), F(frond_drawtext("Hi", 2, 2, d)),
        F(frond_drawtext(L"Hi", 2, 2, d))),
    ROW(1, 1, 1, target, F(frond_xyprintf(2, 2, "%s", "Hi")), F(frond_xyprintf(2, 2, L"%ls", L"Hi"))),
    // Anti-aliased outlines and fills.
    ROW(1, 0, 0, arg, F(frond_line(2, 2, 30, 30, d)), F(frond_polyline(3, ftri, d)), F(frond_polygon(3, ftri, d)),
        F(frond_drawpoly(3, ftri, d)), F(frond_drawpoly(4, fclosed, d)), F(frond_drawcurve(3, ftri, d)),
        F(frond_drawcurve(3, ftri, 0.3f, d)), F(frond_drawclosedcurve(3, ftri, d)),
        F(frond_drawclosedcurve(3, ftri, 0.3f, d)), F(frond_bezier(4, fbez, d)),
        F(frond_drawbezier(4, fbez, d)), F(frond_rectangle(2, 2, 28, 28, d)), F(frond_ellipse(2, 2, 28, 20, d)),
        F(frond_circle(20, 20, 10, d)), F(frond_arc(2, 2, 28, 28, 0, 180, d)), F(frond_pie(2, 2, 28, 28, 0, 90, d)),
        F(frond_roundrect(2, 2, 28, 28, 3, 4, 5, 6, d)), F(frond_fillrect(2, 2, 28, 28, d)),
        F(frond_fillpoly(3, ftri, d)), F(frond_fillclosedcurve(3, ftri, d)), F(frond_fillclosedcurve(3, ftri, 0.3f, d)),
        F(frond_fillellipse(2, 2, 28, 20, d)), F(frond_fillcircle(20, 20, 10, d)),
        F(frond_fillpie(2, 2, 28, 28, 0, 90, d)), F(frond_fillroundrect(2, 2, 28, 28, 3, 4, 5, 6, d))),
    ROW(1, 1, 1, target, F(frond_roundrect(2, 2, 28, 28, 5)), F(frond_fillroundrect(2, 2, 28, 28, 5))),
    ROW(1, 0, 0, arg, F(frond_drawpath(path, d)), F(frond_drawpath(path, 1, 1, d)), F(frond_fillpath(path, d)),
        F(frond_fillpath(path, 1, 1, d))),
    // Patterns, alpha, textures and images.
    ROW(1, 0, 0, none, F(frond_setpattern_none(d)), F(frond_setpattern_lineargradient(0, 0, 1, 10, 0, 2, d)),
        F(frond_setpattern_pathgradient({10, 10}, 1, 3, ftri, 1, &white, d)),
        F(frond_setpattern_ellipse({0, 0}, 1, 0, 0, 10, 10, 2, d)), F(frond_setpattern_texture(src, 0, 0, 8, 8, d)),
        F(frond_gentexture(true, d))),
    ROW(1, 0, 0, arg, F(frond_setalpha(0x80, d)), F(frond_drawimage(src, 0, 0, d)),
        F(frond_drawimage(src, 0, 0, 16, 16, 0, 0, 8, 8, d)),
        F(frond_puttexture(src, frond_rect{0, 0, 8, 8}, frond_rect{0, 0, 4, 4}, d))),
    ROW(1, 0, 0, none, F(frond_drawimage(nullptr, 0, 0, d)),
        F(frond_drawimage(nullptr, 0, 0, 1, 1, 0, 0, 1, 1, d))),
    ROW(0, 0, 0, arg, F(frond_puttexture(src, 0, 0, 8, 8, d)), F(frond_puttexture(src, frond_rect{0, 0, 8, 8}, d))),
    // Transforms (they count on selector 0, even the queries).
    ROW(1, 0, 0, none, F(frond_rotate(10, d)), F(frond_translate(1, 2, d)), F(frond_scale(2, 2, d)),
        F(frond_transform_reset(d)), F(frond_get_transform(&matrix, d)), F(frond_set_transform(&identity, d)),
        F(frond_transform_calc(frond_point{1, 1}, d)), F(frond_transform_calc(1, 1, d))),
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
