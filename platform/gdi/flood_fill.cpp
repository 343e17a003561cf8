// FloodFill and ExtFloodFill: an iterative span fill. A bit per pixel of the
// clip box marks what is taken; a span is painted with the brush (under the
// ROP2) as soon as it is taken, and only pixels not yet taken are ever
// tested, so a brush of the surface colour still ends and no pixel is
// painted twice. Colours are compared on 24 bits; the area is
// four-connected and stays inside the clip. Memory: the bits and a stack of
// spans waiting to be looked around.
// Depends on: shape_call (brush ink), flood_scan, primitives. Does not fill eight-connected areas or leave
// the clip.
#include <algorithm>
#include <vector>

#include "gdi/flood_scan.h"
#include "gdi/primitives.h"
#include "gdi/shape_call.h"

using namespace platform::gdi;

namespace {

struct Span {
  int64_t y, left, right;  // right excluded
  // The span of the row it was found from (taken whole, so never looked at
  // again from here); parent_y == y for the first span.
  int64_t parent_y, parent_left, parent_right;
};

class AreaFiller {
 public:
  AreaFiller(const ShapeTarget& t, uint32_t colour, bool surface_mode)
      : t_(t), colour_(colour & 0xFFFFFFu), surface_mode_(surface_mode), width_(t.box.right - t.box.left),
        words_per_row_(size_t(width_ + 63) / 64), taken_(words_per_row_ * size_t(t.box.bottom - t.box.top), 0) {}

  bool fillable(int64_t x, int64_t y) const {
    const uint32_t w = t_.surface.bits_per_pixel == 32 ? t_.surface.row32(int(y))[x] : read_pixel(t_.surface, int(x), int(y));
    return ((w & 0xFFFFFFu) == colour_) == surface_mode_ && allowed(x, y);
  }

  // Fills the area around (x, y); false when (x, y) cannot start one.
  bool fill(int64_t x, int64_t y) {
    if (!fillable(x, y)) return false;
    const Span first = take(y, x, x + 1, true);
    std::vector<Span> pending{{y, first.left, first.right, y, 0, 0}};
    while (!pending.empty()) {
      const Span s = pending.back();
      pending.pop_back();
      for (int64_t ny : {s.y - 1, s.y + 1}) {
        if (ny < t_.box.top || ny >= t_.box.bottom) continue;
        if (ny != s.parent_y) {
          look_around(s, ny, s.left, s.right, &pending);
        } else {  // only beyond the parent's ends
          look_around(s, ny, s.left, std::min(s.right, s.parent_left), &pending);
          look_around(s, ny, std::max(s.left, s.parent_right), s.right, &pending);
        }
      }
    }
    return true;
  }

 private:
  // Takes every run of open fillable pixels of row ny that touches [x0, end)
  // and queues it to be looked around in turn.
  void look_around(const Span& s, int64_t ny, int64_t x0, int64_t end, std::vector<Span>* pending) {
    while (x0 < end) {
      x0 = next_open(ny, x0, end);
      if (x0 >= end) break;
      if (!fillable(x0, ny)) {
        ++x0;
        continue;
      }
      const Span run = take(ny, x0, x0 + 1, x0 == s.left);
      pending->push_back(Span{ny, run.left, run.right, s.y, s.left, s.right});
      x0 = run.right;
    }
  }

  bool allowed(int64_t x, int64_t y) const {
    if (t_.clip.size() == 1) return true;  // the box is the clip
    for (const RECT& c : t_.clip)
      if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) return true;
    return false;
  }
  uint64_t* row_bits(int64_t y) { return taken_.data() + size_t(y - t_.box.top) * words_per_row_; }
  bool is_taken(int64_t x, int64_t y) {
    const size_t i = size_t(x - t_.box.left);
    return (row_bits(y)[i / 64] >> (i % 64)) & 1;
  }
  // The first column from x below `end` not yet taken (64 at a time over taken words).
  int64_t next_open(int64_t y, int64_t x, int64_t end) {
    const uint64_t* bits = row_bits(y);
    while (x < end) {
      const size_t i = size_t(x - t_.box.left);
      const uint64_t open = ~bits[i / 64] >> (i % 64);
      if (open == 0) {
        x += int64_t(64 - i % 64);
        continue;
      }
      return std::min(end, x + int64_t(__builtin_ctzll(open)));
    }
    return end;
  }
  // Grows [x0, x1) of row y over open fillable pixels (to the left only when
  // asked), takes it and paints it.
  Span take(int64_t y, int64_t x0, int64_t x1, bool grow_left) {
    if (grow_left)
      while (x0 > t_.box.left && !is_taken(x0 - 1, y) && fillable(x0 - 1, y)) --x0;
    x1 = grow_right(y, x1, next_taken(y, x1));
    mark_taken(row_bits(y), size_t(x0 - t_.box.left), size_t(x1 - t_.box.left));
    t_.span(y, x0, x1, t_.brush);
    return Span{y, x0, x1, y, 0, 0};
  }
  // Sets bits [first, last) of a row: partial words at the ends, whole words between.
  static void mark_taken(uint64_t* bits, size_t first, size_t last) {
    const auto ones_from = [](size_t shift) { return ~uint64_t{0} << shift; };
    size_t w = first / 64;
    const size_t end_word = last / 64;
    if (w == end_word) {
      bits[w] |= ones_from(first % 64) & ~ones_from(last % 64);
      return;
    }
    bits[w++] |= ones_from(first % 64);
    std::fill(bits + w, bits + end_word, ~uint64_t{0});
    if (last % 64) bits[end_word] |= ~ones_from(last % 64);
  }
  // The first taken column from x on (the box's right edge when none).
  int64_t next_taken(int64_t y, int64_t x) {
    const uint64_t* bits = row_bits(y);
    while (x < t_.box.right) {
      const size_t i = size_t(x - t_.box.left);
      const uint64_t taken = bits[i / 64] >> (i % 64);
      if (taken != 0) return std::min<int64_t>(t_.box.right, x + int64_t(__builtin_ctzll(taken)));
      x += int64_t(64 - i % 64);
    }
    return t_.box.right;
  }
  // The first column from x, below `limit`, that is not fillable.
  int64_t grow_right(int64_t y, int64_t x, int64_t limit) {
    if (t_.surface.bits_per_pixel != 32 || t_.clip.size() != 1) {
      while (x < limit && fillable(x, y)) ++x;
      return x;
    }
    const uint32_t* row = t_.surface.row32(int(y));
    const uint32_t c = colour_;
    const auto differs = [&](int64_t k) { return ((row[k] & 0xFFFFFFu) == c) != surface_mode_; };
    x = skip_fillable(row, x, limit, c, surface_mode_);
    while (x < limit && !differs(x)) ++x;
    return x;
  }

  const ShapeTarget& t_;
  const uint32_t colour_;
  const bool surface_mode_;  // fill pixels of the colour (true) or up to it (false)
  const int64_t width_;
  const size_t words_per_row_;
  std::vector<uint64_t> taken_;
};

}  // namespace

BOOL ExtFloodFill(HDC dc, int x, int y, COLORREF color, UINT type) {
  ShapeCall call;
  if (!begin_shape(dc, &call) || (type != FLOODFILLBORDER && type != FLOODFILLSURFACE) || !call.drawable) return FALSE;
  const ShapeTarget& t = call.target;
  const int64_t px = int64_t{x} + t.origin.x, py = int64_t{y} + t.origin.y;
  if (px < t.box.left || px >= t.box.right || py < t.box.top || py >= t.box.bottom) return FALSE;
  try {
    AreaFiller finder(t, colorref_word(color), type == FLOODFILLSURFACE);
    if (!finder.fill(px, py)) return FALSE;
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  return TRUE;
}

BOOL FloodFill(HDC dc, int x, int y, COLORREF border) { return ExtFloodFill(dc, x, y, border, FLOODFILLBORDER); }
