// The clipped writers of the shape calls (spans of pen or brush ink over the
// DC's clip rectangles) and the pen-over-brush mask that keeps a shape from
// painting a pixel twice. Depends on: the DC, primitives and inks. Decides no
// geometry: the shape calls say which spans to paint.
#include "gdi/shape_target.h"

#include <algorithm>
#include <cstring>

#include "gdi/primitives.h"

namespace platform::gdi {
namespace {

template <class Apply>
void clipped_span(const ShapeTarget& t, int64_t y, int64_t x0, int64_t x1, Apply apply) {
  if (y < t.box.top || y >= t.box.bottom || x0 >= x1) return;
  uint32_t scratch[256];
  for (const RECT& c : t.clip) {
    if (y < c.top || y >= c.bottom) continue;
    int64_t a = std::max<int64_t>(x0, c.left);
    const int64_t b = std::min<int64_t>(x1, c.right);
    // 24-bit rows go through a scratch buffer, a piece at a time.
    while (a < b) {
      const size_t n = t.surface.bits_per_pixel == 32 ? size_t(b - a) : std::min<size_t>(size_t(b - a), 256);
      uint32_t* words = open_span(t.surface, int(a), int(y), n, scratch);
      apply(words, a, n);
      close_span(t.surface, int(a), int(y), n, words);
      a += int64_t(n);
    }
  }
}

}  // namespace

bool ShapeTarget::open(const DeviceContext& dc) {
  if (!surface_of(dc, &surface) || (surface.bits_per_pixel != 32 && surface.bits_per_pixel != 24)) return false;
  clip = clip_rects(dc, surface.width, surface.height);
  if (clip.empty()) return false;
  box = bounding_box(clip);
  origin = dc.viewport;
  return true;
}

void ShapeTarget::span(int64_t y, int64_t x0, int64_t x1, const Ink& ink) const {
  if (ink.is_nop()) return;
  clipped_span(*this, y, x0, x1, [&ink](uint32_t* w, int64_t, size_t n) { ink_span(w, n, ink); });
}

void ShapeTarget::span(int64_t y, int64_t x0, int64_t x1, const BrushInk& ink) const {
  if (ink.hollow) return;
  clipped_span(*this, y, x0, x1, [&ink, y](uint32_t* w, int64_t x, size_t n) { ink_span(w, x, y, n, ink); });
}

ShapeMask::ShapeMask(const ShapeTarget& target, int64_t left, int64_t top, int64_t right, int64_t bottom) {
  box_ = RECT{LONG(std::max<int64_t>(left, target.box.left)), LONG(std::max<int64_t>(top, target.box.top)),
              LONG(std::min<int64_t>(right, target.box.right)), LONG(std::min<int64_t>(bottom, target.box.bottom))};
  if (empty()) return;
  cells_.assign(size_t(box_.right - box_.left) * size_t(box_.bottom - box_.top), kNone);
}

void ShapeMask::mark(int64_t y, int64_t x0, int64_t x1, uint8_t what) {
  if (empty() || y < box_.top || y >= box_.bottom) return;
  x0 = std::max<int64_t>(x0, box_.left);
  x1 = std::min<int64_t>(x1, box_.right);
  if (x0 >= x1) return;
  uint8_t* row = cells_.data() + size_t(y - box_.top) * size_t(box_.right - box_.left);
  for (int64_t x = x0; x < x1; ++x) row[x - box_.left] = std::max(row[x - box_.left], what);
}

uint8_t ShapeMask::at(int64_t x, int64_t y) const {
  if (empty() || x < box_.left || x >= box_.right || y < box_.top || y >= box_.bottom) return kNone;
  return cells_[size_t(y - box_.top) * size_t(box_.right - box_.left) + size_t(x - box_.left)];
}

void ShapeMask::paint(const ShapeTarget& target) const {
  if (empty()) return;
  const size_t width = size_t(box_.right - box_.left);
  for (int64_t y = box_.top; y < box_.bottom; ++y) {
    const uint8_t* row = cells_.data() + size_t(y - box_.top) * width;
    size_t i = 0;
    while (i < width) {
      const uint8_t what = row[i];
      size_t j = i + 1;
      while (j < width && row[j] == what) ++j;
      const int64_t x0 = box_.left + int64_t(i), x1 = box_.left + int64_t(j);
      if (what == kPen) target.span(y, x0, x1, target.pen);
      if (what == kBrush) target.span(y, x0, x1, target.brush);
      i = j;
    }
  }
}

}  // namespace platform::gdi
