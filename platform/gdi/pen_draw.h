// Drawing a pen along figures: one-pixel cosmetic lines through the line
// walker (styles continue from one segment of a figure to the next), and
// geometric pens as one area per call, outlined by the GDI+ layer's AGG
// stroker and filled aliased with the top-left rule, so that overlapping
// segments, joins and caps paint each pixel once. Points are logical.
// Depends on: pen_shape, shape_target, gdiplus/raster. Does not choose the pen or inks (shape_call).
#pragma once

#include <vector>

#include "gdi/pen_shape.h"
#include "gdi/shape_target.h"
#include "gdiplus/raster.h"

namespace platform::gdi {

struct FloatPoint {
  double x, y;
};

struct Figure {
  std::vector<FloatPoint> points;
  bool closed = false;
};

// Receives scan-converted runs: marks them as `what` in the mask when there
// is one, else paints them with the pen (kPen) or the brush (kBrush).
class ShapeSpans : public Gdiplus::render::SpanSink {
 public:
  ShapeSpans(const ShapeTarget& target, ShapeMask* mask, uint8_t what) : target_(target), mask_(mask), what_(what) {}
  void span(int y, int x, int len, const uint8_t*, uint8_t) override;

 private:
  const ShapeTarget& target_;
  ShapeMask* mask_;
  uint8_t what_;
};

// Cosmetic pen along the integer polyline; a closed one returns to its first
// point. Into `mask` when given, else straight onto the target.
void draw_cosmetic(const ShapeTarget& target, const PenShape& pen, const POINT* points, size_t count, bool closed,
                   ShapeMask* mask);

// Geometric pen along the figures (each dash gets the pen's caps).
void draw_geometric(const ShapeTarget& target, const PenShape& pen, float miter_limit,
                    const std::vector<Figure>& figures, ShapeMask* mask);

// The device box a geometric pen along `figures` may touch; for masks.
RECT geometric_bounds(const PenShape& pen, float miter_limit, const std::vector<Figure>& figures, POINT origin);

}  // namespace platform::gdi
