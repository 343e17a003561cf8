// Where a shape call draws: the DC's surface, the device rectangles it may
// touch (worked out once per call), its viewport origin, and the inks of its
// pen and brush under the DC's ROP2. Writers take device coordinates in 64
// bits and clip every run to the rectangles, so no shape can write outside.
// ShapeMask collects a filled shape's brush and pen pixels first, so that
// each pixel is painted once, by the pen where both cover it.
// Depends on: dc, ink. Chooses no pen or brush and does not work out shapes.
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/dc.h"
#include "gdi/ink.h"

namespace platform::gdi {

struct ShapeTarget {
  // False when the DC has no pixels or nothing may be drawn.
  bool open(const DeviceContext& dc);

  // Device pixels x0 .. x1-1 of row y.
  void span(int64_t y, int64_t x0, int64_t x1, const Ink& ink) const;
  void span(int64_t y, int64_t x0, int64_t x1, const BrushInk& ink) const;

  Surface surface;
  std::vector<RECT> clip;  // non-empty, within the surface
  RECT box{};              // bounding box of `clip`
  POINT origin{};          // logical (0, 0) in device pixels
  Ink pen;                 // the pen's colour under the ROP2
  Ink background;          // gaps of styled cosmetic pens in OPAQUE mode (a no-op in TRANSPARENT mode)
  BrushInk brush;
};

class ShapeMask {
 public:
  enum : uint8_t { kNone = 0, kBrush = 1, kPen = 2 };

  // Covers the device rectangle `area` cut to the target's box.
  ShapeMask(const ShapeTarget& target, int64_t left, int64_t top, int64_t right, int64_t bottom);
  bool empty() const { return box_.left >= box_.right || box_.top >= box_.bottom; }
  const RECT& box() const { return box_; }

  // Marks device pixels x0 .. x1-1 of row y (cut to the mask); the pen wins over the brush.
  void mark(int64_t y, int64_t x0, int64_t x1, uint8_t what);
  void mark(int64_t x, int64_t y, uint8_t what) { mark(y, x, x + 1, what); }
  uint8_t at(int64_t x, int64_t y) const;

  // Paints the marked pixels: brush pixels with the brush, pen pixels with the pen.
  void paint(const ShapeTarget& target) const;

 private:
  RECT box_{};
  std::vector<uint8_t> cells_;
};

}  // namespace platform::gdi
