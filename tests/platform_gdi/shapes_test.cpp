// GDI lines and shapes: the cosmetic line walker against the ROP2 truth
// tables (both directions, clipping, styles), geometric pens painting each
// pixel once, the shape rules (null pen, arcs, polygons, Bezier counts) and
// flood fills. Depends on: gdi_test_util.h, tests/support/seeded.h.

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "support/seeded.h"
#include "platform_gdi/gdi_test_util.h"

using gdi_test::TestDib;

namespace {

constexpr uint32_t kRed = 0x00FF0000;  // RGB(255, 0, 0) as a pixel word

// Selects a pen (and deletes the previous non-stock one).
void use_pen(HDC dc, HPEN pen) { DeleteObject(SelectObject(dc, pen)); }

HPEN geometric_pen(DWORD style, DWORD width, COLORREF color) {
  const LOGBRUSH brush{BS_SOLID, color, 0};
  return ExtCreatePen(PS_GEOMETRIC | style, width, &brush, 0, nullptr);
}

// Bit i of the result is bit (2 * pen bit i + destination bit i) of mode - 1.
uint32_t rop2(int mode, uint32_t pen, uint32_t dst) {
  uint32_t out = 0;
  for (int bit = 0; bit < 32; ++bit) {
    out |= uint32_t(((mode - 1) >> (2 * (pen >> bit & 1) + (dst >> bit & 1))) & 1) << bit;
  }
  return out;
}

// Seeded random lines in a random colour and write mode (SetROP2) over
// random 32- or 24-bit pixels: the same pixels in both directions apart from
// the end pixel, clipping never moves a pixel, LineTo ends at its point, and
// a line along an axis or a diagonal (a third of them) takes exactly the
// pixels of its run, each combined with the pen by the mode's truth table.
TEST(GdiShapes, CosmeticLinesAreExactStableBothWaysAndUnderClipping) {
  seeded::iterations(400, [](std::mt19937& rng, int) {
    const int bits = rng() % 2 ? 32 : 24, mode = seeded::between(rng, R2_BLACK, R2_WHITE);
    const uint32_t colour = rng() & 0xFFFFFF, seed = rng();
    TestDib a(64, 48, bits), b(64, 48, bits), c(64, 48, bits);
    for (TestDib* d : {&a, &b, &c}) {
      d->randomize(seed);
      use_pen(d->dc, CreatePen(PS_SOLID, 1, colour));
      SetROP2(d->dc, mode);
    }
    IntersectClipRect(c.dc, 10, 7, 50, 33);
    const std::vector<uint32_t> before = a.pixels();
    const uint32_t pen = (colour & 0xFF) << 16 | (colour & 0xFF00) | colour >> 16;
    const auto inked = [&](int x, int y) {
      return rop2(mode, pen, before[size_t(y) * 64 + x]) & (bits == 32 ? ~0u : 0xFFFFFFu);
    };
    const auto coord = [&rng](int range) { return int(rng() % (range + 40)) - 20; };
    const POINT p{coord(64), coord(48)};
    POINT q{coord(64), coord(48)};
    const int run = rng() % 3 == 0 ? seeded::between(rng, 0, 30) : -1;  // the straight run's length
    const int dx[] = {1, 1, 0, -1, -1, -1, 0, 1}, dy[] = {0, 1, 1, 1, 0, -1, -1, -1}, direction = int(rng() % 8);
    if (run >= 0) q = POINT{p.x + run * dx[direction], p.y + run * dy[direction]};
    const POINT forward[] = {p, q}, backward[] = {q, p};
    MoveToEx(a.dc, p.x, p.y, nullptr);
    ASSERT_TRUE(LineTo(a.dc, q.x, q.y));
    POINT at{};
    GetCurrentPositionEx(a.dc, &at);
    EXPECT_TRUE(at.x == q.x && at.y == q.y);
    Polyline(b.dc, backward, 2);
    Polyline(c.dc, forward, 2);
    const auto on_run = [&](int x, int y) {
      for (int i = 0; i < run; ++i)
        if (x == p.x + i * dx[direction] && y == p.y + i * dy[direction]) return true;
      return false;
    };
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) {
        const bool inside = x >= 10 && x < 50 && y >= 7 && y < 33;
        const uint32_t old = before[size_t(y) * 64 + x];
        ASSERT_EQ(c.get(x, y), inside ? a.get(x, y) : old) << "clipped, at " << x << "," << y;
        if (run >= 0) {
          ASSERT_EQ(a.get(x, y), on_run(x, y) ? inked(x, y) : old) << "at " << x << "," << y;
        }
      }
    for (TestDib* d : {&a, &b}) {  // add each line's missing end pixel
      const POINT end = d == &a ? q : p;
      if (end.x >= 0 && end.x < 64 && end.y >= 0 && end.y < 48 && (p.x != q.x || p.y != q.y)) {
        d->set(end.x, end.y, inked(end.x, end.y));
      }
    }
    ASSERT_EQ(a.pixels(), b.pixels());
  });
}

TEST(GdiShapes, StylesRunOnThroughAPolylineAndPaintGapsWhenOpaque) {
  TestDib dib(16, 16);
  use_pen(dib.dc, CreatePen(PS_DOT, 1, RGB(255, 0, 0)));  // 3 on, 3 off
  SetBkColor(dib.dc, RGB(0, 0, 255));
  const POINT corner[] = {{0, 0}, {4, 0}, {4, 6}};
  for (int mode : {TRANSPARENT, OPAQUE}) {
    dib.fill(0x11111111);
    SetBkMode(dib.dc, mode);
    Polyline(dib.dc, corner, 3);
    const uint32_t gap = mode == OPAQUE ? 0x000000FFu : 0x11111111u;
    const uint32_t along[] = {dib.get(0, 0), dib.get(1, 0), dib.get(2, 0), dib.get(3, 0), dib.get(4, 0),
                              dib.get(4, 1), dib.get(4, 2), dib.get(4, 3), dib.get(4, 4), dib.get(4, 5)};
    const uint32_t expected[] = {kRed, kRed, kRed, gap, gap, gap, kRed, kRed, kRed, gap};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(along[i], expected[i]) << "pixel " << i << " mode " << mode;
  }
}

TEST(GdiShapes, GeometricPensCoverTheirWidthAndPaintEachPixelOnce) {
  TestDib dib(64, 64);
  use_pen(dib.dc, geometric_pen(PS_ENDCAP_FLAT | PS_JOIN_MITER, 5, RGB(255, 0, 0)));
  MoveToEx(dib.dc, 10, 10, nullptr);
  LineTo(dib.dc, 30, 10);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) EXPECT_EQ(dib.get(x, y) == kRed, x >= 10 && x < 30 && y >= 8 && y <= 12) << x << "," << y;
  // Sharp joins, round caps, dashes and crossings: XOR flips each pixel once,
  // so it paints what the copy mode paints.
  TestDib copy(64, 64);
  for (DWORD style : {DWORD(PS_ENDCAP_ROUND | PS_JOIN_ROUND), DWORD(PS_ENDCAP_SQUARE | PS_JOIN_MITER),
                      DWORD(PS_DASHDOT | PS_ENDCAP_ROUND | PS_JOIN_BEVEL)}) {
    const POINT zigzag[] = {{5, 5}, {58, 20}, {8, 30}, {50, 58}, {30, 2}};
    for (TestDib* d : {&dib, &copy}) {
      d->fill(0);
      use_pen(d->dc, geometric_pen(style, 7, RGB(255, 0, 0)));
      SetROP2(d->dc, d == &dib ? R2_XORPEN : R2_COPYPEN);
      Polyline(d->dc, zigzag, 5);
    }
    EXPECT_EQ(dib.pixels(), copy.pixels()) << std::hex << style;
  }
  SetROP2(dib.dc, R2_COPYPEN);
}

// The smallest rectangle holding every pixel that is not white: left, top, right, bottom.
std::array<LONG, 4> drawn_box(const TestDib& d) {
  std::array<LONG, 4> r{d.w, d.h, 0, 0};
  for (int y = 0; y < d.h; ++y)
    for (int x = 0; x < d.w; ++x)
      if (d.get(x, y) != 0xFFFFFFFFu) {
        r = {std::min(r[0], LONG(x)), std::min(r[1], LONG(y)), std::max(r[2], LONG(x) + 1), std::max(r[3], LONG(y) + 1)};
      }
  return r;
}

TEST(GdiShapes, NullPenShrinksFillsAndArcsTakeTheirSweep) {
  TestDib pen(40, 40), none(40, 40), arc(40, 40), hollow(40, 40);
  for (TestDib* d : {&pen, &none, &arc, &hollow}) d->fill(0xFFFFFFFF);
  SelectObject(pen.dc, GetStockObject(BLACK_BRUSH));
  SelectObject(none.dc, GetStockObject(BLACK_BRUSH));
  SelectObject(none.dc, GetStockObject(NULL_PEN));
  Ellipse(pen.dc, 5, 5, 35, 25);
  Ellipse(none.dc, 5, 5, 35, 25);
  EXPECT_EQ(drawn_box(pen), (std::array<LONG, 4>{5, 5, 35, 25}));
  EXPECT_EQ(drawn_box(none), (std::array<LONG, 4>{5, 5, 34, 24}));
  // Equal radials: the whole outline, as Ellipse draws it with a hollow brush.
  Arc(arc.dc, 5, 5, 35, 25, 30, 15, 30, 15);
  SelectObject(hollow.dc, GetStockObject(HOLLOW_BRUSH));
  Ellipse(hollow.dc, 5, 5, 35, 25);
  EXPECT_EQ(arc.pixels(), hollow.pixels());
  // A pie of the upper half keeps to it.
  TestDib half(40, 40);
  Pie(half.dc, 5, 5, 35, 35, 35, 20, 5, 20);  // counter-clockwise from the right: the upper half
  for (int y = 21; y < 40; ++y)
    for (int x = 0; x < 40; ++x) EXPECT_EQ(half.get(x, y), 0u) << x << "," << y;
  EXPECT_EQ(half.get(20, 10), 0x00FFFFFFu);  // the white stock brush inside
}

TEST(GdiShapes, PolygonsAlternateAndBeziersNeed3kPlus1Points) {
  TestDib dib(40, 40);
  SelectObject(dib.dc, GetStockObject(WHITE_BRUSH));
  SelectObject(dib.dc, GetStockObject(NULL_PEN));
  const POINT star[] = {{20, 2}, {30, 36}, {2, 14}, {38, 14}, {10, 36}};
  Polygon(dib.dc, star, 5);
  EXPECT_EQ(dib.get(20, 20), 0u);           // the middle is crossed twice: outside
  EXPECT_EQ(dib.get(20, 8), 0x00FFFFFFu);   // a point of the star
  const POINT curve[] = {{0, 0}, {10, 10}, {20, 10}, {30, 0}, {35, 5}};
  for (DWORD count : {0u, 2u, 3u, 5u}) EXPECT_FALSE(PolyBezier(dib.dc, curve, count)) << count;
  EXPECT_TRUE(PolyBezier(dib.dc, curve, 4));
}

// A corridor that winds through every other row of a large image: a fill
// that recursed per pixel or per span would run out of stack here.
TEST(GdiShapes, FloodFillFollowsAWindingCorridorWithoutRecursion) {
  TestDib dib(2048, 1024);
  for (int y = 1; y < 1024; y += 2)
    for (int x = 0; x < 2048; ++x) dib.set(x, y, x == ((y / 2) % 2 ? 0 : 2047) ? 0u : 0x00FFFFFFu);  // walls with a gap
  SelectObject(dib.dc, GetStockObject(GRAY_BRUSH));
  ASSERT_TRUE(ExtFloodFill(dib.dc, 5, 0, 0, FLOODFILLSURFACE));
  for (int y = 0; y < 1024; ++y)
    for (int x = 0; x < 2048; x += 97) {
      const bool wall = y % 2 == 1 && x != ((y / 2) % 2 ? 0 : 2047);
      ASSERT_EQ(dib.get(x, y), wall ? 0x00FFFFFFu : 0x00808080u) << x << "," << y;
    }
}

// Random walls and specks, alpha (no part of a colour) in half the pixels,
// a random clip, either mode, a start anywhere near the bitmap (on a wall,
// outside the clip or the bitmap) and a surface colour that may be the
// brush's own, against a breadth-first fill of the same four-connected area.
TEST(GdiShapes, RandomFloodFillsMatchAPlainReference) {
  using seeded::between;
  constexpr uint32_t kWall = 0x00FF0000u, kGrey = 0x00808080u;  // the grey is the brush's
  seeded::iterations(80, [](std::mt19937& rng, int) {
    const int w = between(rng, 1, 90), h = between(rng, 1, 60), density = between(rng, 0, 60);
    TestDib dib(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int r = int(rng() % 100);
        const uint32_t alpha = rng() % 2 ? rng() & 0xFF000000u : 0, speck = rng() % 2 ? 0x000000FFu : kGrey;
        dib.set(x, y, (r < density ? kWall : r < density + 10 ? speck : 0u) | alpha);
      }
    const RECT clip{between(rng, 0, w / 2), between(rng, 0, h / 2), between(rng, w / 2, w), between(rng, h / 2, h)};
    IntersectClipRect(dib.dc, clip.left, clip.top, clip.right, clip.bottom);
    const bool surface = rng() % 2;
    const uint32_t colour = surface ? (rng() % 3 ? 0u : kGrey) : kWall;
    const int sx = between(rng, -2, w + 1), sy = between(rng, -2, h + 1);
    const std::vector<uint32_t> before = dib.pixels();
    const auto open = [&](int x, int y) {
      if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) return false;
      return ((before[size_t(y) * w + x] & 0xFFFFFFu) == colour) == surface;
    };
    std::vector<uint32_t> want = before;
    std::vector<bool> seen(want.size());
    std::vector<POINT> todo{{sx, sy}};
    while (!todo.empty()) {
      const POINT q = todo.back();
      todo.pop_back();
      if (!open(q.x, q.y) || seen[size_t(q.y) * w + q.x]) continue;
      seen[size_t(q.y) * w + q.x] = true;
      want[size_t(q.y) * w + q.x] = kGrey;
      for (const POINT n : {POINT{q.x - 1, q.y}, POINT{q.x + 1, q.y}, POINT{q.x, q.y - 1}, POINT{q.x, q.y + 1}}) {
        todo.push_back(n);
      }
    }
    SelectObject(dib.dc, GetStockObject(GRAY_BRUSH));
    const COLORREF as_colorref = RGB(colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF);
    const UINT mode = surface ? FLOODFILLSURFACE : FLOODFILLBORDER;
    EXPECT_EQ(bool(ExtFloodFill(dib.dc, sx, sy, as_colorref, mode)), open(sx, sy));
    EXPECT_EQ(dib.pixels(), want);
  });
}

}  // namespace
