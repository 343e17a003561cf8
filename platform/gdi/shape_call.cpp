// Setting up a shape call: the target, the pen's shape and the inks of pen,
// pen background and brush under the DC's ROP2 and background mode.
// Depends on: shape_call.h (dc, pen_shape, ink). Draws nothing.
#include "gdi/shape_call.h"

#include <algorithm>
#include <cmath>

namespace platform::gdi {

bool begin_shape(HDC handle, ShapeCall* call, bool with_brush) {
  call->dc = find_dc(handle);
  if (!call->dc) return false;
  const DeviceContext& dc = *call->dc;
  call->pen = describe_pen(*dc.pen);
  call->drawable = call->target.open(dc);
  if (!call->drawable) return true;
  const bool transparent = dc.bk_mode == TRANSPARENT;
  call->target.pen = make_ink(dc.rop2, colorref_word(dc.pen->color));
  call->target.background = transparent ? Ink{} : make_ink(dc.rop2, colorref_word(dc.bk_color));
  if (with_brush) call->target.brush = make_brush_ink(make_pattern(*dc.brush, dc.bk_color), dc.rop2, transparent);
  return true;
}

void draw_pen(const ShapeCall& call, const Figure& figure, ShapeMask* mask) {
  if (call.pen.null || figure.points.empty()) return;
  if (call.pen.geometric) {
    draw_geometric(call.target, call.pen, call.dc->miter_limit, {figure}, mask);
    return;
  }
  std::vector<POINT> points;
  for (const FloatPoint& p : figure.points) {
    const auto whole = [](double v) { return LONG(std::clamp(std::round(v), double(INT32_MIN), double(INT32_MAX))); };
    const POINT q{whole(p.x), whole(p.y)};
    if (points.empty() || q.x != points.back().x || q.y != points.back().y) points.push_back(q);
  }
  if (points.size() == 1) {  // a figure within one pixel still shows that pixel
    const int64_t x = int64_t{points[0].x} + call.target.origin.x, y = int64_t{points[0].y} + call.target.origin.y;
    if (mask) mask->mark(x, y, ShapeMask::kPen); else call.target.span(y, x, x + 1, call.target.pen);
    return;
  }
  draw_cosmetic(call.target, call.pen, points.data(), points.size(), figure.closed, mask);
}

RoundBox device_box(const ShapeCall& call, int left, int top, int right, int bottom) {
  const int64_t ox = call.target.origin.x, oy = call.target.origin.y;
  return RoundBox{std::min(left, right) + ox, std::min(top, bottom) + oy, std::max(left, right) + ox,
                  std::max(top, bottom) + oy};
}

}  // namespace platform::gdi
