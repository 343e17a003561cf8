// GDI lines and shapes: the ROP2 masks, the cosmetic line walker (both
// directions, clipping, styles), geometric pens painting each pixel once,
// the shape rules (null pen, arcs, polygons, Bezier counts) and flood fills.
// Depends on: gdi_test_util.h and the GDI's private ink header.

#include <gtest/gtest.h>

#include <random>

#include "gdi/ink.h"
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

TEST(GdiShapes, Rop2MasksMatchEveryTruthTable) {
  std::mt19937 rng(7);
  for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
    for (int i = 0; i < 64; ++i) {
      const uint32_t pen = seeded::biased_word(rng), dst = seeded::biased_word(rng);
      uint32_t expected = 0;
      for (int bit = 0; bit < 32; ++bit) {
        const int p = (pen >> bit) & 1, d = (dst >> bit) & 1;
        expected |= uint32_t(((mode - 1) >> (2 * p + d)) & 1) << bit;
      }
      EXPECT_EQ(platform::gdi::make_ink(mode, pen).apply(dst), expected) << "mode " << mode;
    }
  }
}

TEST(GdiShapes, CosmeticLinesAreExactOnAxesAndDiagonals) {
  for (int bits : {32, 24}) {
    TestDib dib(32, 32, bits);
    use_pen(dib.dc, CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    SetROP2(dib.dc, bits == 32 ? R2_COPYPEN : R2_MERGEPEN);  // the general path on 24-bit rows
    const struct { int x0, y0, x1, y1; } lines[] = {{2, 3, 20, 3}, {20, 5, 2, 5}, {4, 8, 4, 30}, {6, 30, 6, 8},
                                                     {8, 8, 28, 28}, {28, 10, 10, 28}};
    for (const auto& l : lines) {
      dib.fill(0);
      MoveToEx(dib.dc, l.x0, l.y0, nullptr);
      ASSERT_TRUE(LineTo(dib.dc, l.x1, l.y1));
      POINT at{};
      GetCurrentPositionEx(dib.dc, &at);
      EXPECT_EQ(at.x, l.x1);
      const int n = std::max(std::abs(l.x1 - l.x0), std::abs(l.y1 - l.y0));
      const int sx = (l.x1 > l.x0) - (l.x1 < l.x0), sy = (l.y1 > l.y0) - (l.y1 < l.y0);
      int lit = 0;
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) lit += dib.get(x, y) == kRed;
      EXPECT_EQ(lit, n);
      for (int i = 0; i < n; ++i) EXPECT_EQ(dib.get(l.x0 + i * sx, l.y0 + i * sy), kRed) << i;
    }
  }
}

// Seeded random lines: the same pixels in both directions apart from the
// end pixel, and clipping never moves a pixel.
TEST(GdiShapes, CosmeticLinesAreStableBothWaysAndUnderClipping) {
  TestDib a(64, 48), b(64, 48), c(64, 48);
  for (HDC dc : {a.dc, b.dc, c.dc}) use_pen(dc, CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
  IntersectClipRect(c.dc, 10, 7, 50, 33);
  for (int seed = 0; seed < 300; ++seed) {
    std::mt19937 rng(seed);
    const auto coord = [&rng](int range) { return int(rng() % (range + 40)) - 20; };
    const POINT p{coord(64), coord(48)}, q{coord(64), coord(48)};
    a.fill(0), b.fill(0), c.fill(0);
    const POINT forward[] = {p, q}, backward[] = {q, p};
    Polyline(a.dc, forward, 2);
    Polyline(b.dc, backward, 2);
    Polyline(c.dc, forward, 2);
    for (TestDib* d : {&a, &b}) {  // add each line's missing end pixel
      const POINT end = d == &a ? q : p;
      if (end.x >= 0 && end.x < 64 && end.y >= 0 && end.y < 48 && (p.x != q.x || p.y != q.y)) d->set(end.x, end.y, kRed);
    }
    ASSERT_EQ(a.pixels(), b.pixels()) << "seed " << seed;
    a.fill(0);
    Polyline(a.dc, forward, 2);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) {
        const bool inside = x >= 10 && x < 50 && y >= 7 && y < 33;
        ASSERT_EQ(c.get(x, y), inside ? a.get(x, y) : 0u) << "seed " << seed << " at " << x << "," << y;
      }
  }
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

TEST(GdiShapes, NullPenShrinksFillsAndArcsTakeTheirSweep) {
  TestDib pen(40, 40), none(40, 40), arc(40, 40);
  SelectObject(pen.dc, GetStockObject(BLACK_BRUSH));
  pen.fill(0xFFFFFFFF), none.fill(0xFFFFFFFF), arc.fill(0xFFFFFFFF);
  Ellipse(pen.dc, 5, 5, 35, 25);
  SelectObject(none.dc, GetStockObject(NULL_PEN));
  SelectObject(none.dc, GetStockObject(BLACK_BRUSH));
  Ellipse(none.dc, 5, 5, 35, 25);
  const auto extent = [](const TestDib& d) {
    RECT r{40, 40, -1, -1};
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        if (d.get(x, y) != 0xFFFFFFFFu) r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y),
                                            std::max<LONG>(r.right, x), std::max<LONG>(r.bottom, y)};
    return r;
  };
  const RECT with_pen = extent(pen), without = extent(none);
  EXPECT_EQ((std::vector<LONG>{with_pen.left, with_pen.top, with_pen.right, with_pen.bottom}),
            (std::vector<LONG>{5, 5, 34, 24}));
  EXPECT_EQ((std::vector<LONG>{without.left, without.top, without.right, without.bottom}),
            (std::vector<LONG>{5, 5, 33, 23}));
  // Equal radials: the whole outline, as Ellipse draws it with a hollow brush.
  use_pen(arc.dc, CreatePen(PS_SOLID, 1, 0));
  Arc(arc.dc, 5, 5, 35, 25, 30, 15, 30, 15);
  TestDib hollow(40, 40);
  hollow.fill(0xFFFFFFFF);
  use_pen(hollow.dc, CreatePen(PS_SOLID, 1, 0));
  SelectObject(hollow.dc, GetStockObject(HOLLOW_BRUSH));
  Ellipse(hollow.dc, 5, 5, 35, 25);
  EXPECT_EQ(arc.pixels(), hollow.pixels());
  // A chord and a pie of the same half keep to it.
  for (auto shape : {&Pie, &Chord}) {
    TestDib half(40, 40);
    shape(half.dc, 5, 5, 35, 35, 35, 20, 5, 20);  // counter-clockwise from the right: the upper half
    for (int y = 21; y < 40; ++y)
      for (int x = 0; x < 40; ++x) EXPECT_EQ(half.get(x, y), 0u) << x << "," << y;
    EXPECT_EQ(half.get(20, 10), 0x00FFFFFFu);  // the white stock brush inside
  }
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

TEST(GdiShapes, FloodFillFailsWhereItCannotStartAndEndsOnItsOwnColour) {
  TestDib dib(32, 32);
  SelectObject(dib.dc, GetStockObject(WHITE_BRUSH));
  use_pen(dib.dc, CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
  SelectObject(dib.dc, GetStockObject(HOLLOW_BRUSH));
  Rectangle(dib.dc, 4, 4, 20, 20);
  SelectObject(dib.dc, GetStockObject(WHITE_BRUSH));
  const std::vector<uint32_t> outlined = dib.pixels();
  EXPECT_FALSE(FloodFill(dib.dc, 4, 4, RGB(255, 0, 0)));                     // on the border
  EXPECT_FALSE(ExtFloodFill(dib.dc, 8, 8, RGB(0, 255, 0), FLOODFILLSURFACE));  // not of that colour
  EXPECT_FALSE(FloodFill(dib.dc, 40, 8, RGB(255, 0, 0)));                    // outside
  IntersectClipRect(dib.dc, 0, 0, 8, 8);
  EXPECT_FALSE(FloodFill(dib.dc, 10, 10, RGB(255, 0, 0)));  // outside the clip
  EXPECT_EQ(dib.pixels(), outlined);
  EXPECT_TRUE(FloodFill(dib.dc, 6, 6, RGB(255, 0, 0)));     // only the clipped part of the inside
  EXPECT_EQ(dib.get(6, 6), 0x00FFFFFFu);
  EXPECT_EQ(dib.get(10, 10), 0u);
  SelectClipRgn(dib.dc, nullptr);
  dib.set(12, 12, 0xAB000000);  // alpha differs only: the same colour on 24 bits
  EXPECT_TRUE(ExtFloodFill(dib.dc, 10, 10, 0, FLOODFILLSURFACE));
  EXPECT_EQ(dib.get(12, 12), 0x00FFFFFFu);
  EXPECT_EQ(dib.get(25, 25), 0u);
  EXPECT_TRUE(ExtFloodFill(dib.dc, 10, 10, RGB(255, 255, 255), FLOODFILLSURFACE));  // brush = surface: ends
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

// Random walls, a random clip and either mode against a breadth-first fill
// of the same four-connected area.
TEST(GdiShapes, RandomFloodFillsMatchAPlainReference) {
  seeded::iterations(60, [](std::mt19937& rng, int) {
    const int w = seeded::between(rng, 1, 90), h = seeded::between(rng, 1, 60), density = seeded::between(rng, 0, 60);
    TestDib dib(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int r = int(rng() % 100);
        dib.set(x, y, r < density ? 0x00FF0000u : r < density + 10 ? 0x000000FFu : 0u);  // red walls, blue specks
      }
    const RECT clip{seeded::between(rng, 0, w / 2), seeded::between(rng, 0, h / 2), seeded::between(rng, w / 2, w),
                    seeded::between(rng, h / 2, h)};
    IntersectClipRect(dib.dc, clip.left, clip.top, clip.right, clip.bottom);
    const bool surface = rng() % 2;
    const int sx = seeded::between(rng, 0, w - 1), sy = seeded::between(rng, 0, h - 1);
    const auto inside = [&](int x, int y) { return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom; };
    const auto open = [&](const std::vector<uint32_t>& p, int x, int y) {
      const uint32_t c = p[size_t(y) * w + x];
      return inside(x, y) && (surface ? c == 0u : c != 0x00FF0000u);  // the black surface, or up to the red walls
    };
    std::vector<uint32_t> want = dib.pixels();
    std::vector<POINT> todo;
    if (open(want, sx, sy)) todo.push_back({sx, sy});
    const bool starts = !todo.empty();
    while (!todo.empty()) {
      const POINT q = todo.back();
      todo.pop_back();
      if (!open(want, q.x, q.y) || want[size_t(q.y) * w + q.x] == 0x00808080u) continue;
      want[size_t(q.y) * w + q.x] = 0x00808080u;
      for (const POINT n : {POINT{q.x - 1, q.y}, POINT{q.x + 1, q.y}, POINT{q.x, q.y - 1}, POINT{q.x, q.y + 1}}) todo.push_back(n);
    }
    SelectObject(dib.dc, GetStockObject(GRAY_BRUSH));
    EXPECT_EQ(bool(ExtFloodFill(dib.dc, sx, sy, surface ? 0 : RGB(255, 0, 0), surface ? FLOODFILLSURFACE : FLOODFILLBORDER)), starts);
    EXPECT_EQ(dib.pixels(), want);
  });
}

TEST(GdiShapes, FillRectIgnoresTheWriteMode) {
  TestDib dib(8, 8);
  dib.fill(0x00123456);
  SetROP2(dib.dc, R2_XORPEN);
  const RECT r{0, 0, 8, 8};
  FillRect(dib.dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(dib.get(3, 3), 0x00FFFFFFu);
}

}  // namespace
