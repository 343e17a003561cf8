// Seeded random block transfers against a plain per-pixel reference: every
// one of the 256 raster operations through BitBlt, or PatBlt with extents of
// either sign, and PATCOPY through FillRect (random source, destination, and
// a solid, null or hatched brush over an opaque or transparent background);
// and StretchBlt's nearest-pixel sampling with mirrored, clipped, partly
// outside and empty rectangles, 24- and 32-bit bitmaps. Both vary the viewport origins,
// a device clip (SelectClipRgn) and a logical one (IntersectClipRect).
// Depends on: tests/support/seeded.h.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gdi_test_util.h"
#include "support/seeded.h"

using gdi_test::TestDib;
using seeded::between;

namespace {

// Each bit of the result looked up in the operation's truth table, index P*4 + S*2 + D.
uint32_t truth_table(uint8_t rop, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t out = 0;
  for (int bit = 0; bit < 32; ++bit) {
    const int index = (((p >> bit) & 1) << 2) | (((s >> bit) & 1) << 1) | ((d >> bit) & 1);
    out |= uint32_t{(rop >> index) & 1u} << bit;
  }
  return out;
}
// The result changes with S (or P) for some values of the others.
bool reads_source(uint8_t rop) { return ((rop >> 2) & 0x33) != (rop & 0x33); }
bool reads_pattern(uint8_t rop) { return ((rop >> 4) & 0x0F) != (rop & 0x0F); }

uint32_t gdi_word(COLORREF c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

// The 8x8 hatch pictures, aligned to device pixel (0, 0).
bool hatch_line(int style, int x, int y) {
  x &= 7, y &= 7;
  switch (style) {
    case HS_HORIZONTAL: return y == 0;
    case HS_VERTICAL: return x == 0;
    case HS_FDIAGONAL: return x == y;      // "\"
    case HS_BDIAGONAL: return x + y == 7;  // "/"
    case HS_CROSS: return x == 0 || y == 0;
    default: return x == y || x + y == 7;
  }
}

// Where a call may draw on a destination: its device clip rectangle (from
// SelectClipRgn) intersected with a logical one (IntersectClipRect).
struct Placement {
  POINT dst_origin, src_origin;
  RECT clip;  // device coordinates
};

Placement random_setup(std::mt19937& rng, TestDib& dst, TestDib& src) {
  Placement s{};
  s.dst_origin = POINT{between(rng, -3, 3), between(rng, -3, 3)};
  s.src_origin = POINT{between(rng, -3, 3), between(rng, -3, 3)};
  SetViewportOrgEx(dst.dc, s.dst_origin.x, s.dst_origin.y, nullptr);
  SetViewportOrgEx(src.dc, s.src_origin.x, s.src_origin.y, nullptr);
  // Both clips mostly cover the bitmap (corners in order: normalising reversed
  // rectangles is not what this test is about).
  const auto span = [&rng](int extent, LONG* lo, LONG* hi) {
    *lo = between(rng, -2, extent / 3);
    *hi = between(rng, std::max<int>(*lo + 1, 2 * extent / 3), extent + 2);
  };
  RECT device{}, logical{};
  span(dst.w, &device.left, &device.right);
  span(dst.h, &device.top, &device.bottom);
  const HRGN region = CreateRectRgn(device.left, device.top, device.right, device.bottom);
  SelectClipRgn(dst.dc, region);
  DeleteObject(region);
  span(dst.w, &logical.left, &logical.right);
  span(dst.h, &logical.top, &logical.bottom);
  logical = RECT{logical.left - s.dst_origin.x, logical.top - s.dst_origin.y, logical.right - s.dst_origin.x,
                 logical.bottom - s.dst_origin.y};
  IntersectClipRect(dst.dc, logical.left, logical.top, logical.right, logical.bottom);
  s.clip = RECT{std::max(device.left, logical.left + s.dst_origin.x), std::max(device.top, logical.top + s.dst_origin.y),
                std::min(device.right, logical.right + s.dst_origin.x),
                std::min(device.bottom, logical.bottom + s.dst_origin.y)};
  return s;
}

bool in_rect(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// Every raster operation twice, then 88 PATCOPYs through FillRect. A null
// brush makes operations that read the pattern do nothing; a hatch over a
// transparent background keeps its gaps when the operation reads no source;
// a source pixel outside its bitmap leaves its destination pixel alone when
// the operation reads it. None of them heeds the write mode (SetROP2).
TEST(BlitRandom, BitBltFollowsTheTruthTableOfEveryOperation) {
  seeded::iterations(600, [](std::mt19937& rng, int iteration) {
    const bool fill_rect = iteration >= 512;
    const auto rop = static_cast<uint8_t>(fill_rect ? 0xF0 : iteration % 256);
    TestDib src(between(rng, 1, 20), between(rng, 1, 12), rng() % 3 ? 32 : 24, rng() % 2);
    TestDib dst(between(rng, 1, 20), between(rng, 1, 12), rng() % 3 ? 32 : 24, rng() % 2);
    src.randomize(rng());
    dst.randomize(rng());
    const Placement s = random_setup(rng, dst, src);
    const COLORREF ink = rng() & 0xFFFFFF, paper = rng() & 0xFFFFFF;
    const int style = between(rng, -2, HS_DIAGCROSS);  // -2: the null brush, -1: a solid one
    const HBRUSH brush = style == -2 ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                         : style < 0 ? CreateSolidBrush(ink)
                                     : CreateHatchBrush(style, ink);
    SelectObject(dst.dc, brush);
    SetBkColor(dst.dc, paper);
    const bool transparent = rng() % 2;
    SetBkMode(dst.dc, transparent ? TRANSPARENT : OPAQUE);
    SetROP2(dst.dc, between(rng, R2_BLACK, R2_WHITE));
    // Rectangles that start near or on both bitmaps, in logical coordinates.
    const int x = between(rng, -3, dst.w - 1) - s.dst_origin.x, y = between(rng, -3, dst.h - 1) - s.dst_origin.y;
    const int w = between(rng, 1, 25), h = between(rng, 1, 15);
    const int xs = between(rng, -1, src.w - 1) - s.src_origin.x, ys = between(rng, -1, src.h - 1) - s.src_origin.y;
    const std::vector<uint32_t> before = dst.pixels();
    if (fill_rect) {
      const RECT r{x, y, x + w, y + h};
      ASSERT_TRUE(FillRect(dst.dc, &r, brush));
    } else if (!reads_source(rop) && rng() % 2) {
      // The same rectangle from its opposite corner (negative extents) or its own.
      const bool flip_x = rng() % 2, flip_y = rng() % 2;
      ASSERT_TRUE(PatBlt(dst.dc, flip_x ? x + w : x, flip_y ? y + h : y, flip_x ? -w : w, flip_y ? -h : h,
                         DWORD(rop) << 16));
    } else {
      const HDC source = reads_source(rop) || rng() % 2 ? src.dc : nullptr;  // optional when unread
      ASSERT_TRUE(BitBlt(dst.dc, x, y, w, h, source, xs, ys, DWORD(rop) << 16));
    }

    const uint32_t keep = dst.bpp == 32 ? 0xFFFFFFFFu : 0x00FFFFFFu;
    const bool paints = !(style == -2 && reads_pattern(rop));
    for (int dy = 0; dy < dst.h; ++dy) {
      for (int dx = 0; dx < dst.w; ++dx) {
        const uint32_t d = before[size_t(dy) * dst.w + dx];
        uint32_t expected = d;
        const int lx = dx - s.dst_origin.x, ly = dy - s.dst_origin.y;
        const int sx = xs + lx - x + s.src_origin.x, sy = ys + ly - y + s.src_origin.y;
        const bool source_there = sx >= 0 && sy >= 0 && sx < src.w && sy < src.h;
        const bool on_line = style < 0 || hatch_line(style, dx, dy);
        const bool gap_kept = transparent && !on_line && reads_pattern(rop) && !reads_source(rop);
        if (lx >= x && lx < x + w && ly >= y && ly < y + h && in_rect(s.clip, dx, dy) &&
            (source_there || !reads_source(rop)) && paints && !gap_kept) {
          const uint32_t p = gdi_word(on_line ? ink : paper);
          expected = truth_table(rop, p, source_there ? src.get(sx, sy) : 0, d) & keep;
        }
        ASSERT_EQ(dst.get(dx, dy), expected) << "rop 0x" << std::hex << int(rop) << std::dec << " pixel " << dx << ","
                                             << dy;
      }
    }
    SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
  });
}

// The documented nearest-pixel rule written out: destination pixel i of a
// span of d pixels takes source pixel floor((i + 1/2) * s / d); a negative
// extent runs its span backwards from the pixel before its origin.
int source_pixel(int i, int d, int origin, int s) {
  const int offset = int(std::floor((i + 0.5) * std::abs(s) / std::abs(d)));
  return s > 0 ? origin + offset : origin - 1 - offset;
}
// The span offset of logical position l in a span of extent d starting at origin, or -1 outside it.
int span_offset(int l, int origin, int d) {
  const int i = d > 0 ? l - origin : origin - 1 - l;
  return i >= 0 && i < std::abs(d) ? i : -1;
}

TEST(BlitRandom, StretchBltSamplesTheNearestSourcePixel) {
  seeded::iterations(400, [](std::mt19937& rng, int) {
    TestDib src(between(rng, 1, 24), between(rng, 1, 12), rng() % 3 ? 32 : 24, rng() % 2);
    TestDib dst(between(rng, 1, 30), between(rng, 1, 20), rng() % 3 ? 32 : 24, rng() % 2);
    src.randomize(rng());
    dst.randomize(rng());
    const Placement s = random_setup(rng, dst, src);
    SetStretchBltMode(dst.dc, between(rng, BLACKONWHITE, HALFTONE));  // every mode samples alike
    const auto extent = [&](int most) { return rng() % 32 ? (rng() % 4 ? 1 : -1) * between(rng, 1, most) : 0; };
    const int x = between(rng, -4, dst.w + 4), y = between(rng, -4, dst.h + 4), w = extent(35), h = extent(25);
    const int xs = between(rng, -3, src.w + 3), ys = between(rng, -3, src.h + 3), ws = extent(src.w + 2),
              hs = extent(src.h + 2);
    const bool invert = rng() % 4 == 0;
    const std::vector<uint32_t> before = dst.pixels();
    const bool empty = w == 0 || h == 0 || ws == 0 || hs == 0;  // fails and draws nothing
    ASSERT_EQ(bool(StretchBlt(dst.dc, x, y, w, h, src.dc, xs, ys, ws, hs, invert ? NOTSRCCOPY : SRCCOPY)), !empty);

    const uint32_t keep = dst.bpp == 32 ? 0xFFFFFFFFu : 0x00FFFFFFu;
    for (int dy = 0; dy < dst.h; ++dy) {
      for (int dx = 0; dx < dst.w; ++dx) {
        uint32_t expected = before[size_t(dy) * dst.w + dx];
        const int i = span_offset(dx - s.dst_origin.x, x, w), j = span_offset(dy - s.dst_origin.y, y, h);
        if (!empty && i >= 0 && j >= 0 && in_rect(s.clip, dx, dy)) {
          const int sx = source_pixel(i, w, xs, ws) + s.src_origin.x, sy = source_pixel(j, h, ys, hs) + s.src_origin.y;
          if (sx >= 0 && sy >= 0 && sx < src.w && sy < src.h)
            expected = (invert ? ~src.get(sx, sy) : src.get(sx, sy)) & keep;
        }
        ASSERT_EQ(dst.get(dx, dy), expected) << "pixel " << dx << "," << dy;
      }
    }
  });
}

}  // namespace
