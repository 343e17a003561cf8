// Which calls count a change of the window's picture: one row per public
// drawing form, each called on selector 0 (with and without a drawing target),
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

// Where a row draws: on its image argument, on the drawing target whatever
// it is given, or nowhere (setters and queries).
enum class Where { arg, target, none };

struct Row {
  const char* name;
  int selector0, page, image;  // changes counted per call
  Where where;
  void (*call)(IMAGE* d);
};

#define ROW(name, s0, pg, im, where, ...) {name, s0, pg, im, Where::where, [](IMAGE* d) { (void)d; __VA_ARGS__; }}

const Row rows[] = {
    // Lines, curves and shapes through GDI.
    ROW("moveto", 1, 0, 0, none, moveto(5, 5, d)),
    ROW("line", 1, 0, 0, arg, line(2, 2, 30, 30, d)),
    ROW("line_f", 1, 0, 0, arg, line_f(2, 2, 30, 30, d)),
    ROW("lineto", 1, 0, 0, arg, lineto(30, 30, d)),
    ROW("lineto_f", 1, 0, 0, arg, lineto_f(30, 30, d)),
    ROW("linerel", 1, 0, 0, arg, linerel(30, 30, d)),
    ROW("linerel_f", 1, 0, 0, arg, linerel_f(30, 30, d)),
    ROW("arc", 1, 0, 0, arg, arc(20, 20, 0, 180, 10, d)),
    ROW("arc_f", 1, 0, 0, arg, arc_f(20, 20, 0, 180, 10, d)),
    ROW("ellipse", 1, 0, 0, arg, ellipse(20, 20, 0, 180, 10, 6, d)),
    ROW("ellipse_f", 1, 0, 0, arg, ellipse_f(20, 20, 0, 180, 10, 6, d)),
    ROW("circle", 1, 0, 0, arg, circle(20, 20, 10, d)),
    ROW("circle_f", 1, 0, 0, arg, circle_f(20, 20, 10, d)),
    ROW("fillpie", 1, 0, 0, arg, fillpie(20, 20, 0, 90, 10, 8, d)),
    ROW("fillpie radius", 1, 0, 0, arg, fillpie(20, 20, 0, 90, 10, d)),
    ROW("sector", 1, 0, 0, arg, sector(20, 20, 0, 90, 10, 8, d)),
    ROW("pie", 1, 0, 0, arg, pie(20, 20, 0, 90, 10, 8, d)),
    ROW("solidpie", 1, 0, 0, arg, solidpie(20, 20, 0, 90, 10, 8, d)),
    ROW("fillpie_f", 1, 0, 0, arg, fillpie_f(20, 20, 0, 90, 10, 8, d)),
    ROW("fillpie_f radius", 1, 0, 0, arg, fillpie_f(20, 20, 0, 90, 10, d)),
    ROW("sector_f", 1, 0, 0, arg, sector_f(20, 20, 0, 90, 10, 8, d)),
    ROW("pie_f", 1, 0, 0, arg, pie_f(20, 20, 0, 90, 10, 8, d)),
    ROW("solidpie_f", 1, 0, 0, arg, solidpie_f(20, 20, 0, 90, 10, 8, d)),
    ROW("fillellipse", 1, 0, 0, arg, fillellipse(20, 20, 10, 6, d)),
    ROW("solidellipse", 1, 0, 0, arg, solidellipse(20, 20, 10, 6, d)),
    ROW("fillcircle", 1, 0, 0, arg, fillcircle(20, 20, 10, d)),
    ROW("solidcircle", 1, 0, 0, arg, solidcircle(20, 20, 10, d)),
    ROW("fillellipse_f", 1, 0, 0, arg, fillellipse_f(20, 20, 10, 6, d)),
    ROW("solidellipse_f", 1, 0, 0, arg, solidellipse_f(20, 20, 10, 6, d)),
    ROW("fillcircle_f", 1, 0, 0, arg, fillcircle_f(20, 20, 10, d)),
    ROW("solidcircle_f", 1, 0, 0, arg, solidcircle_f(20, 20, 10, d)),
    ROW("rectangle", 1, 0, 0, arg, rectangle(2, 2, 30, 30, d)),
    ROW("fillrect", 1, 0, 0, arg, fillrect(2, 2, 30, 30, d)),
    ROW("solidrect", 1, 0, 0, arg, solidrect(2, 2, 30, 30, d)),
    ROW("bar", 1, 0, 0, arg, bar(2, 2, 30, 30, d)),
    ROW("roundrect", 1, 0, 0, arg, roundrect(2, 2, 30, 30, 6, 4, d)),
    ROW("roundrect radius", 1, 0, 0, arg, roundrect(2, 2, 30, 30, 6, d)),
    ROW("fillroundrect", 1, 0, 0, arg, fillroundrect(2, 2, 30, 30, 6, 4, d)),
    ROW("fillroundrect radius", 1, 0, 0, arg, fillroundrect(2, 2, 30, 30, 6, d)),
    ROW("solidroundrect", 1, 0, 0, arg, solidroundrect(2, 2, 30, 30, 6, 4, d)),
    ROW("solidroundrect radius", 1, 0, 0, arg, solidroundrect(2, 2, 30, 30, 6, d)),
    ROW("bar3d without top", 2, 0, 0, arg, bar3d(5, 5, 20, 20, 3, 0, d)),
    ROW("bar3d with top", 3, 0, 0, arg, bar3d(5, 5, 20, 20, 3, 1, d)),
    ROW("drawpoly", 1, 0, 0, arg, drawpoly(3, tri, d)),
    ROW("polyline", 1, 0, 0, arg, polyline(3, tri, d)),
    ROW("polygon", 1, 0, 0, arg, polygon(3, tri, d)),
    ROW("fillpoly", 1, 0, 0, arg, fillpoly(3, tri, d)),
    ROW("solidpoly", 1, 0, 0, arg, solidpoly(3, tri, d)),
    ROW("drawlines", 1, 0, 0, arg, drawlines(2, quad, d)),
    ROW("drawbezier", 1, 0, 0, arg, drawbezier(4, quad, d)),
    ROW("fillpoly_gradient", 1, 0, 0, arg, fillpoly_gradient(3, grad3, d)),
    ROW("fillpoly_gradient of two", 0, 0, 0, none, fillpoly_gradient(2, grad2, d)),
    ROW("floodfill", 1, 0, 0, arg, floodfill(1, 1, white, d)),
    ROW("floodfillsurface", 1, 0, 0, arg, floodfillsurface(1, 1, 0xFF000000, d)),
    // Block copies.
    ROW("putimage(dst,x,y,src)", 1, 0, 0, arg, putimage(d, 0, 0, src)),
    ROW("putimage(dst,block,src)", 1, 0, 0, arg, putimage(d, 0, 0, 4, 4, src, 0, 0)),
    ROW("putimage(dst,stretch,src)", 1, 0, 0, arg, putimage(d, 0, 0, 16, 16, src, 0, 0, 8, 8)),
    ROW("putimage(x,y,src)", 1, 1, 1, target, putimage(0, 0, src)),
    ROW("putimage(block,src)", 1, 1, 1, target, putimage(0, 0, 4, 4, src, 0, 0)),
    ROW("putimage(stretch,src)", 1, 1, 1, target, putimage(0, 0, 16, 16, src, 0, 0, 8, 8)),
    ROW("IMAGE::putimage(dst,x,y)", 1, 0, 0, arg, src->putimage(d, 0, 0)),
    ROW("IMAGE::putimage(dst,block)", 1, 0, 0, arg, src->putimage(d, 0, 0, 4, 4, 0, 0)),
    ROW("IMAGE::putimage(dst,stretch)", 1, 0, 0, arg, src->putimage(d, 0, 0, 16, 16, 0, 0, 8, 8)),
    ROW("IMAGE::putimage(x,y)", 1, 1, 1, target, src->putimage(0, 0)),
    ROW("IMAGE::putimage(block)", 1, 1, 1, target, src->putimage(0, 0, 4, 4, 0, 0)),
    // Blends and blur.
    ROW("putimage_transparent", 1, 0, 0, arg, putimage_transparent(d, src, 0, 0, 0, 0, 0, 0, 0)),
    ROW("putimage_alphablend", 1, 0, 0, arg, putimage_alphablend(d, src, 0, 0, 255, 0)),
    ROW("putimage_alphablend xs,ys", 1, 0, 0, arg, putimage_alphablend(d, src, 0, 0, 255, 0, 0, 0)),
    ROW("putimage_alphablend block", 1, 0, 0, arg, putimage_alphablend(d, src, 0, 0, 255, 0, 0, 4, 4, 0)),
    ROW("putimage_alphablend stretch", 1, 0, 0, arg, putimage_alphablend(d, src, 0, 0, 16, 16, 255, 0, 0, 0, 0, false, 0)),
    ROW("putimage_alphablend alpha 0", 1, 0, 0, none, putimage_alphablend(d, src, 0, 0, 0, 0)),
    ROW("putimage_alphatransparent", 1, 0, 0, arg, putimage_alphatransparent(d, src, 0, 0, 0, 255, 0, 0, 0, 0)),
    ROW("putimage_withalpha", 1, 0, 0, arg, putimage_withalpha(d, src, 0, 0, 0, 0, 0, 0)),
    ROW("putimage_withalpha stretch", 1, 0, 0, arg, putimage_withalpha(d, src, 0, 0, 16, 16, 0, 0, 0, 0, false)),
    ROW("putimage_alphafilter", 1, 0, 0, arg, putimage_alphafilter(d, src, 0, 0, src, 0, 0, 0, 0)),
    ROW("IMAGE::putimage_transparent", 1, 0, 0, arg, src->putimage_transparent(d, 0, 0, 0, 0, 0, 0, 0)),
    ROW("IMAGE::putimage_alphablend", 1, 0, 0, arg, src->putimage_alphablend(d, 0, 0, 255, 0, 0, 0, 0, 0)),
    ROW("IMAGE::putimage_alphablend stretch", 1, 0, 0, arg,
        src->putimage_alphablend(d, 0, 0, 16, 16, 255, 0, 0, 0, 0, false, 0)),
    ROW("IMAGE::putimage_alphatransparent", 1, 0, 0, arg, src->putimage_alphatransparent(d, 0, 0, 0, 255, 0, 0, 0, 0)),
    ROW("IMAGE::putimage_withalpha", 1, 0, 0, arg, src->putimage_withalpha(d, 0, 0, 0, 0, 0, 0)),
    ROW("IMAGE::putimage_withalpha stretch", 1, 0, 0, arg, src->putimage_withalpha(d, 0, 0, 16, 16, 0, 0, 0, 0, false)),
    ROW("IMAGE::putimage_alphafilter", 1, 0, 0, arg, src->putimage_alphafilter(d, 0, 0, src, 0, 0, 0, 0)),
    ROW("imagefilter_blurring", 1, 0, 0, arg, imagefilter_blurring(d, 0, 256)),
    // Turned copies: the int-flag forms send selectors to a page and never count.
    ROW("putimage_rotate int flags", 0, 0, 0, arg, putimage_rotate(d, src, 10, 10, 0.f, 0.f, 0.5f, 0, -1, 0)),
    ROW("putimage_rotatezoom int flags", 0, 0, 0, arg,
        putimage_rotatezoom(d, src, 10, 10, 0.f, 0.f, 0.5f, 2.f, 0, -1, 0)),
    ROW("putimage_rotate bool flags", 1, 0, 0, arg,
        putimage_rotate(d, src, 10, 10, 0.f, 0.f, 0.5f, false, -1, false)),
    ROW("putimage_rotatezoom bool flags", 1, 0, 0, arg,
        putimage_rotatezoom(d, src, 10, 10, 0.f, 0.f, 0.5f, 2.f, false, -1, false)),
    ROW("putimage turned", 1, 0, 0, arg, putimage(d, src, 10, 10, 0, 0, 8, 8, 4, 4, 0, 0.5f, 1.f)),
    ROW("putimage turned whole", 1, 0, 0, arg, putimage(d, src, 10, 10, 4, 4, 0, 0.5f, 1.f)),
    // Pixels.
    ROW("getpixel", 0, 0, 0, none, getpixel(1, 1, d)),
    ROW("putpixel", 1, 0, 0, arg, putpixel(1, 1, white, d)),
    ROW("putpixel_f", 1, 0, 0, arg, putpixel_f(1, 1, white, d)),
    ROW("putpixels", 1, 0, 0, arg, putpixels(2, tri, d)),
    ROW("putpixels_f", 1, 0, 0, arg, putpixels_f(2, tri, d)),
    ROW("putpixel_keepalpha", 1, 0, 0, arg, putpixel_keepalpha(1, 1, white, d)),
    ROW("putpixel_keepalpha_f", 1, 0, 0, arg, putpixel_keepalpha_f(1, 1, white, d)),
    ROW("putpixel_withalpha", 1, 0, 0, arg, putpixel_withalpha(1, 1, white, d)),
    ROW("putpixel_withalpha_f", 1, 0, 0, arg, putpixel_withalpha_f(1, 1, white, d)),
    ROW("putpixel_alphablend", 1, 0, 0, arg, putpixel_alphablend(1, 1, white, d)),
    ROW("putpixel_alphablend_f", 1, 0, 0, arg, putpixel_alphablend_f(1, 1, white, d)),
    ROW("putpixel_alphablend alpha", 1, 0, 0, arg, putpixel_alphablend(1, 1, white, uint8_t(200), d)),
    ROW("putpixel_alphablend_f alpha", 1, 0, 0, arg, putpixel_alphablend_f(1, 1, white, uint8_t(200), d)),
    ROW("putpixel off the image", 1, 0, 0, none, putpixel(-100, -100, white, d)),
    // Clearing, viewports and the setters that count.
    ROW("cleardevice", 1, 0, 0, arg, cleardevice(d)),
    ROW("clearviewport", 1, 0, 0, arg, clearviewport(d)),
    ROW("setviewport", 1, 0, 0, none, setviewport(1, 1, 30, 30, 1, d)),
    ROW("setbkcolor", 1, 0, 0, none, setbkcolor(0xFF000000, d)),
    ROW("setbkcolor_norepaint", 1, 0, 0, none, setbkcolor_norepaint(white, d)),
    ROW("setfontbkcolor", 1, 0, 0, none, setfontbkcolor(white, d)),
    ROW("setantialias", 1, 0, 0, none, setantialias(true, d)),
    // Setters and queries that never count.
    ROW("setcolor", 0, 0, 0, none, setcolor(white, d)),
    ROW("setfillstyle", 0, 0, 0, none, setfillstyle(1, white, d)),
    ROW("setfillcolor", 0, 0, 0, none, setfillcolor(white, d)),
    ROW("setbkmode", 0, 0, 0, none, setbkmode(TRANSPARENT, d)),
    ROW("setlinestyle", 0, 0, 0, none, setlinestyle(1, 0, 2, d)),
    ROW("setfont", 0, 0, 0, none, setfont(20, 0, "SimSun", d)),
    ROW("settextjustify", 0, 0, 0, none, settextjustify(1, 1, d)),
    ROW("textwidth", 0, 0, 0, none, textwidth("abc", d)),
    ROW("textheight", 0, 0, 0, none, textheight(L"abc", d)),
    ROW("getimage into", 0, 0, 0, none, getimage(scratch, d, 0, 0, 2, 2)),
    // Text through GDI.
    ROW("outtext", 1, 0, 0, arg, outtext("Hi", d)),
    ROW("outtext wide", 1, 0, 0, arg, outtext(L"Hi", d)),
    ROW("outtext char", 1, 0, 0, arg, outtext('H', d)),
    ROW("outtext wchar", 1, 0, 0, arg, outtext(L'H', d)),
    ROW("outtextxy", 1, 0, 0, arg, outtextxy(2, 2, "Hi", d)),
    ROW("outtextxy wide", 1, 0, 0, arg, outtextxy(2, 2, L"Hi", d)),
    ROW("outtextxy char", 1, 0, 0, arg, outtextxy(2, 2, 'H', d)),
    ROW("outtextxy wchar", 1, 0, 0, arg, outtextxy(2, 2, L'H', d)),
    ROW("outtextrect", 1, 0, 0, arg, outtextrect(2, 2, 30, 30, "Hi", d)),
    ROW("outtextrect wide", 1, 0, 0, arg, outtextrect(2, 2, 30, 30, L"Hi", d)),
    ROW("outtextrect empty", 1, 0, 0, none, outtextrect(2, 2, 0, 30, "Hi", d)),
    ROW("outtextrect null text", 1, 0, 0, none, outtextrect(2, 2, 30, 30, static_cast<const char*>(nullptr), d)),
    ROW("xyprintf", 1, 1, 1, target, xyprintf(2, 2, "%s", "Hi")),
    ROW("xyprintf wide", 1, 1, 1, target, xyprintf(2, 2, L"%ls", L"Hi")),
    ROW("rectprintf", 1, 1, 1, target, rectprintf(2, 2, 30, 30, "%s", "Hi")),
    ROW("rectprintf wide", 1, 1, 1, target, rectprintf(2, 2, 30, 30, L"%ls", L"Hi")),
    // Text through GDI+.
    ROW("frond_outtextxy", 1, 0, 0, arg, frond_outtextxy(2, 2, "Hi", d)),
    ROW("frond_outtextxy wide", 1, 0, 0, arg, frond_outtextxy(2, 2, L"Hi", d)),
    ROW("frond_outtextxy char", 1, 0, 0, arg, frond_outtextxy(2, 2, 'H', d)),
    ROW("frond_outtextxy wchar", 1, 0, 0, arg, frond_outtextxy(2, 2, L'H', d)),
    ROW("frond_drawtext", 1, 0, 0, arg, frond_drawtext("Hi", 2, 2, d)),
    ROW("frond_drawtext wide", 1, 0, 0, arg, frond_drawtext(L"Hi", 2, 2, d)),
    ROW("frond_xyprintf", 1, 1, 1, target, frond_xyprintf(2, 2, "%s", "Hi")),
    ROW("frond_xyprintf wide", 1, 1, 1, target, frond_xyprintf(2, 2, L"%ls", L"Hi")),
    // Anti-aliased outlines and fills.
    ROW("frond_line", 1, 0, 0, arg, frond_line(2, 2, 30, 30, d)),
    ROW("frond_polyline", 1, 0, 0, arg, frond_polyline(3, ftri, d)),
    ROW("frond_polygon", 1, 0, 0, arg, frond_polygon(3, ftri, d)),
    ROW("frond_drawpoly", 1, 0, 0, arg, frond_drawpoly(3, ftri, d)),
    ROW("frond_drawcurve", 1, 0, 0, arg, frond_drawcurve(3, ftri, d)),
    ROW("frond_drawcurve tension", 1, 0, 0, arg, frond_drawcurve(3, ftri, 0.3f, d)),
    ROW("frond_drawclosedcurve", 1, 0, 0, arg, frond_drawclosedcurve(3, ftri, d)),
    ROW("frond_drawclosedcurve tension", 1, 0, 0, arg, frond_drawclosedcurve(3, ftri, 0.3f, d)),
    ROW("frond_bezier", 1, 0, 0, arg, frond_bezier(4, fbez, d)),
    ROW("frond_drawbezier", 1, 0, 0, arg, frond_drawbezier(4, fbez, d)),
    ROW("frond_rectangle", 1, 0, 0, arg, frond_rectangle(2, 2, 28, 28, d)),
    ROW("frond_ellipse", 1, 0, 0, arg, frond_ellipse(2, 2, 28, 20, d)),
    ROW("frond_circle", 1, 0, 0, arg, frond_circle(20, 20, 10, d)),
    ROW("frond_arc", 1, 0, 0, arg, frond_arc(2, 2, 28, 28, 0, 180, d)),
    ROW("frond_pie", 1, 0, 0, arg, frond_pie(2, 2, 28, 28, 0, 90, d)),
    ROW("frond_roundrect", 1, 0, 0, arg, frond_roundrect(2, 2, 28, 28, 3, 4, 5, 6, d)),
    ROW("frond_roundrect on the target", 1, 1, 1, target, frond_roundrect(2, 2, 28, 28, 5)),
    ROW("frond_fillrect", 1, 0, 0, arg, frond_fillrect(2, 2, 28, 28, d)),
    ROW("frond_fillpoly", 1, 0, 0, arg, frond_fillpoly(3, ftri, d)),
    ROW("frond_fillclosedcurve", 1, 0, 0, arg, frond_fillclosedcurve(3, ftri, d)),
    ROW("frond_fillclosedcurve tension", 1, 0, 0, arg, frond_fillclosedcurve(3, ftri, 0.3f, d)),
    ROW("frond_fillellipse", 1, 0, 0, arg, frond_fillellipse(2, 2, 28, 20, d)),
    ROW("frond_fillcircle", 1, 0, 0, arg, frond_fillcircle(20, 20, 10, d)),
    ROW("frond_fillpie", 1, 0, 0, arg, frond_fillpie(2, 2, 28, 28, 0, 90, d)),
    ROW("frond_fillroundrect", 1, 0, 0, arg, frond_fillroundrect(2, 2, 28, 28, 3, 4, 5, 6, d)),
    ROW("frond_fillroundrect on the target", 1, 1, 1, target, frond_fillroundrect(2, 2, 28, 28, 5)),
    ROW("frond_drawpath", 1, 0, 0, arg, frond_drawpath(path, d)),
    ROW("frond_drawpath offset", 1, 0, 0, arg, frond_drawpath(path, 1, 1, d)),
    ROW("frond_fillpath", 1, 0, 0, arg, frond_fillpath(path, d)),
    ROW("frond_fillpath offset", 1, 0, 0, arg, frond_fillpath(path, 1, 1, d)),
    // Patterns, alpha, textures and images.
    ROW("frond_setpattern_none", 1, 0, 0, none, frond_setpattern_none(d)),
    ROW("frond_setpattern_lineargradient", 1, 0, 0, none, frond_setpattern_lineargradient(0, 0, 1, 10, 0, 2, d)),
    ROW("frond_setpattern_pathgradient", 1, 0, 0, none,
        frond_setpattern_pathgradient({10, 10}, 1, 3, ftri, 1, &white, d)),
    ROW("frond_setpattern_ellipse", 1, 0, 0, none, frond_setpattern_ellipse({0, 0}, 1, 0, 0, 10, 10, 2, d)),
    ROW("frond_setpattern_texture", 1, 0, 0, none, frond_setpattern_texture(src, 0, 0, 8, 8, d)),
    ROW("frond_setalpha", 1, 0, 0, arg, frond_setalpha(0x80, d)),
    ROW("frond_gentexture", 1, 0, 0, none, frond_gentexture(true, d)),
    ROW("frond_puttexture", 0, 0, 0, arg, frond_puttexture(src, 0, 0, 8, 8, d)),
    ROW("frond_puttexture rect", 0, 0, 0, arg, frond_puttexture(src, frond_rect{0, 0, 8, 8}, d)),
    ROW("frond_puttexture rects", 1, 0, 0, arg, frond_puttexture(src, frond_rect{0, 0, 8, 8}, frond_rect{0, 0, 4, 4}, d)),
    ROW("frond_drawimage", 1, 0, 0, arg, frond_drawimage(src, 0, 0, d)),
    ROW("frond_drawimage stretch", 1, 0, 0, arg, frond_drawimage(src, 0, 0, 16, 16, 0, 0, 8, 8, d)),
    // Transforms (they count on selector 0, even the queries).
    ROW("frond_rotate", 1, 0, 0, none, frond_rotate(10, d)),
    ROW("frond_translate", 1, 0, 0, none, frond_translate(1, 2, d)),
    ROW("frond_scale", 1, 0, 0, none, frond_scale(2, 2, d)),
    ROW("frond_transform_reset", 1, 0, 0, none, frond_transform_reset(d)),
    ROW("frond_get_transform", 1, 0, 0, none, frond_transform_matrix m; frond_get_transform(&m, d)),
    ROW("frond_set_transform", 1, 0, 0, none, frond_transform_matrix m{1, 0, 0, 1, 0, 0}; frond_set_transform(&m, d)),
    ROW("frond_transform_calc", 1, 0, 0, none, frond_transform_calc(frond_point{1, 1}, d)),
    ROW("frond_transform_calc x,y", 1, 0, 0, none, frond_transform_calc(1, 1, d)),
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
  for (const Row& row : rows) {
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
      SCOPED_TRACE(std::string(row.name) + " on " + run.on);
      IMAGE target(40, 40), page(40, 40), image(40, 40);
      for (IMAGE* img : {&target, &page, &image}) prepare(img);
      const auto snapshot = [&] {
        return std::vector<std::vector<argb_color>>{frond_test::pixels_of(&target), frond_test::pixels_of(&page),
                                                    frond_test::pixels_of(&image)};
      };
      IMAGE* const args[] = {nullptr, page_selector, &image};
      IMAGE* const named[] = {run.with_target ? &target : nullptr, &page, &image};
      state().draw_target = run.with_target ? &target : nullptr;
      state().pages[0] = run.with_target ? &target : nullptr;  // the int-flag turned copies use page 0
      state().pages[1] = &page;
      const auto before = snapshot();
      const int count = counter();
      row.call(args[run.arg]);
      EXPECT_EQ(count - counter(), run.changes);
      IMAGE* drawn = row.where == Where::arg ? named[run.arg] : row.where == Where::target && run.with_target ? &target : nullptr;
      const auto after = snapshot();
      const IMAGE* images[] = {&target, &page, &image};
      for (int i = 0; i < 3; ++i) EXPECT_EQ(before[i] != after[i], images[i] == drawn) << "image " << i;
    }
  }
  src = nullptr;
  path = nullptr;
}

}  // namespace
