// Pens as shapes: which kind, how wide, which caps and joins, and the dash
// runs of the predefined styles (cosmetic runs in pixels, geometric runs in
// pen widths, as GDI draws them).
// Depends on: pen_shape.h (objects' pens). Draws nothing.
#include "gdi/pen_shape.h"

#include <algorithm>
#include <cmath>

namespace platform::gdi {
namespace {

std::vector<double> style_runs(DWORD style, bool geometric) {
  switch (style) {
    case PS_DASH: return geometric ? std::vector<double>{3, 1} : std::vector<double>{18, 6};
    case PS_DOT: return geometric ? std::vector<double>{1, 1} : std::vector<double>{3, 3};
    case PS_DASHDOT: return geometric ? std::vector<double>{3, 1, 1, 1} : std::vector<double>{9, 6, 3, 6};
    case PS_DASHDOTDOT:
      return geometric ? std::vector<double>{3, 1, 1, 1, 1, 1} : std::vector<double>{9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE: return {1, 1};
    default: return {};
  }
}

}  // namespace

PenShape describe_pen(const Pen& pen) {
  PenShape shape;
  const DWORD line = pen.style & PS_STYLE_MASK;
  shape.null = line == PS_NULL || (pen.type == OBJ_EXTPEN && pen.brush_style == BS_NULL);
  // CreatePen: wider than one pixel is geometric with round ends and joins.
  shape.geometric = pen.type == OBJ_EXTPEN ? (pen.style & PS_TYPE_MASK) == PS_GEOMETRIC : pen.width > 1;
  shape.width = shape.geometric ? std::max<double>(1, pen.width) : 1;
  if (pen.type == OBJ_EXTPEN) {
    const DWORD cap = pen.style & PS_ENDCAP_MASK, join = pen.style & PS_JOIN_MASK;
    shape.cap = cap == PS_ENDCAP_FLAT ? PenCap::flat : cap == PS_ENDCAP_SQUARE ? PenCap::square : PenCap::round;
    shape.join = join == PS_JOIN_MITER ? PenJoin::miter : join == PS_JOIN_BEVEL ? PenJoin::bevel : PenJoin::round;
  }
  if (line == PS_USERSTYLE) {
    shape.runs.assign(pen.style_entries.begin(), pen.style_entries.end());
    if (shape.runs.size() % 2 == 1) {  // an odd list repeats with on and off swapped
      const std::vector<double> once = shape.runs;
      shape.runs.insert(shape.runs.end(), once.begin(), once.end());
    }
  } else {
    shape.runs = style_runs(line, shape.geometric);
    if (shape.geometric)
      for (double& r : shape.runs) r *= shape.width;
  }
  double total = 0;
  for (double r : shape.runs) total += r;
  if (!(total > 0)) shape.runs.clear();  // an empty pattern draws solid
  return shape;
}

StyleCursor::StyleCursor(const std::vector<double>& runs) {
  uint64_t end = 0;
  for (double r : runs) {
    end += uint64_t(std::max(0.0, std::floor(r)));
    ends_.push_back(end);
  }
  if (ends_.empty() || ends_.back() == 0) ends_.assign(1, 1);  // solid
}

bool StyleCursor::on(uint64_t position) const {
  if (ends_.size() == 1) return true;
  const uint64_t p = position % ends_.back();
  const size_t run = size_t(std::upper_bound(ends_.begin(), ends_.end(), p) - ends_.begin());
  return run % 2 == 0;
}

}  // namespace platform::gdi
