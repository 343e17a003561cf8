// GpPen: the outline settings of a stroke. The pen paints with a solid fill
// of its colour; dash lengths are in multiples of the pen width, as in GDI+.
// Depends on: brush, gdiplus.h. Makes no outlines (stroke.h).
#pragma once

#include <memory>
#include <vector>

#include "gdiplus/brush.h"
#include "platform/gdiplus.h"

namespace Gdiplus {

class GpPen {
 public:
  GpPen(ARGB color, REAL width_, Unit unit_) : brush(new GpSolidFill(color)), width(width_), unit(unit_) {}
  GpPen(const GpPen&) = delete;
  GpPen& operator=(const GpPen&) = delete;

  std::unique_ptr<GpBrush> brush;
  REAL width;
  Unit unit;
  DashStyle dash_style = DashStyleSolid;
  std::vector<REAL> dash_pattern;  // empty for solid lines
  LineCap start_cap = LineCapFlat;
  LineCap end_cap = LineCapFlat;
  LineJoin line_join = LineJoinMiter;
  REAL miter_limit = 10;
};

}  // namespace Gdiplus
