// Arc and Pie: part of the ellipse of a box, counter-clockwise (on screen)
// from the start radial to the end radial; equal radials take the whole
// ellipse. Pie closes the arc with both radii (one line over the whole
// ellipse when the radials are equal) and fills with the brush, the pen
// painting over it.
// Depends on: shape_call (target, pen, brush), line_walker. No AngleArc or ArcTo; nothing moves the
// current position.
#include <algorithm>
#include <cmath>

#include "gdi/line_walker.h"
#include "gdi/shape_call.h"

using namespace platform::gdi;

namespace {

constexpr double kPi = 3.14159265358979323846;

enum class ArcKind { arc, pie };

// Where an arc lies, in device coordinates.
struct ArcGeometry {
  double cx, cy, rx, ry;  // centre and radii of the pixel-centre ellipse
  double start, sweep;    // radial angle of the start (radians, counter-clockwise) and the sweep, in (0, 2 pi]
  FloatPoint first, last;  // the arc's ends on the ellipse

  // The angle of (x, y) from the start, in [0, 2 pi).
  double from_start(double x, double y) const {
    const double a = std::atan2(-(y - cy), x - cx) - start;
    return std::fmod(a + 4 * kPi, 2 * kPi);
  }
  bool in_sweep(double x, double y) const { return from_start(x, y) <= sweep + 1e-9; }
  FloatPoint on_ellipse(double radial) const {
    const double phi = std::atan2(rx * std::sin(radial), ry * std::cos(radial));
    return FloatPoint{cx + rx * std::cos(phi), cy - ry * std::sin(phi)};
  }
};

ArcGeometry arc_geometry(const RoundBox& box, int64_t xs, int64_t ys, int64_t xe, int64_t ye) {
  ArcGeometry g{};
  g.cx = (double(box.left) + double(box.right) - 1) / 2, g.cy = (double(box.top) + double(box.bottom) - 1) / 2;
  g.rx = (double(box.right) - 1 - double(box.left)) / 2, g.ry = (double(box.bottom) - 1 - double(box.top)) / 2;
  g.start = std::atan2(-(double(ys) - g.cy), double(xs) - g.cx);
  const double end = std::atan2(-(double(ye) - g.cy), double(xe) - g.cx);
  g.sweep = std::fmod(end - g.start + 4 * kPi, 2 * kPi);
  if (g.sweep <= 0) g.sweep = 2 * kPi;
  g.first = g.on_ellipse(g.start);
  g.last = g.on_ellipse(end);
  return g;
}

// The pen's path, logical.
Figure arc_figure(const ArcGeometry& g, ArcKind kind, POINT origin) {
  Figure f;
  f.closed = kind != ArcKind::arc;
  const double ox = origin.x, oy = origin.y;
  if (kind == ArcKind::pie) f.points.push_back(FloatPoint{g.cx - ox, g.cy - oy});
  const double phi0 = std::atan2(g.rx * std::sin(g.start), g.ry * std::cos(g.start));
  const double end = g.start + g.sweep;
  double phi1 = std::atan2(g.rx * std::sin(end), g.ry * std::cos(end));
  while (phi1 <= phi0) phi1 += 2 * kPi;
  if (g.sweep >= 2 * kPi) phi1 = phi0 + 2 * kPi;
  const double r = std::max({g.rx, g.ry, 0.5});
  const double step = 2 * std::acos(std::max(-1.0, 1 - 0.25 / r));
  const int n = int(std::clamp(std::ceil((phi1 - phi0) / step), 4.0, 4096.0));
  for (int i = 0; i <= n; ++i) {
    const double a = phi0 + (phi1 - phi0) * i / n;
    f.points.push_back(FloatPoint{g.cx + g.rx * std::cos(a) - ox, g.cy - g.ry * std::sin(a) - oy});
  }
  return f;
}

void mark_line(ShapeMask& mask, FloatPoint a, FloatPoint b) {
  const int64_t x0 = std::llround(a.x), y0 = std::llround(a.y), x1 = std::llround(b.x), y1 = std::llround(b.y);
  walk_line(x0, y0, x1, y1, mask.box(), [&mask](int64_t x, int64_t y, int64_t) { mask.mark(x, y, ShapeMask::kPen); });
  mask.mark(x1, y1, ShapeMask::kPen);
}

BOOL draw_arc(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye, ArcKind kind) {
  ShapeCall call;
  if (!begin_shape(dc, &call)) return FALSE;
  if (!call.drawable || (kind == ArcKind::arc && call.pen.null)) return TRUE;
  const ShapeTarget& t = call.target;
  RoundBox box = device_box(call, left, top, right, bottom);
  if (call.pen.null) --box.right, --box.bottom;
  box.corner_w = box.right - box.left, box.corner_h = box.bottom - box.top;
  if (box.empty()) return TRUE;
  const ArcGeometry g = arc_geometry(box, int64_t{xs} + t.origin.x, int64_t{ys} + t.origin.y,
                                     int64_t{xe} + t.origin.x, int64_t{ye} + t.origin.y);
  const bool thin = !call.pen.null && !call.pen.geometric && !call.pen.styled();
  const int64_t y0 = std::max<int64_t>(box.top, t.box.top), y1 = std::min<int64_t>(box.bottom, t.box.bottom);

  const Figure outline = arc_figure(g, kind, t.origin);
  RECT area{LONG(std::max<int64_t>(box.left, INT32_MIN)), LONG(std::max<int64_t>(box.top, INT32_MIN)),
            LONG(std::min<int64_t>(box.right, INT32_MAX)), LONG(std::min<int64_t>(box.bottom, INT32_MAX))};
  if (!thin && !call.pen.null) {
    const RECT reach = geometric_bounds(call.pen, call.dc->miter_limit, {outline}, t.origin);
    area = RECT{std::min(area.left, reach.left), std::min(area.top, reach.top), std::max(area.right, reach.right),
                std::max(area.bottom, reach.bottom)};
  }
  ShapeMask mask(t, area.left, area.top, area.right, area.bottom);
  if (mask.empty()) return TRUE;
  for (int64_t y = y0; y < y1; ++y) {
    const RowParts p = row_parts(box, y);
    for (int64_t x = std::max<int64_t>(p.span.left, mask.box().left); x <= std::min<int64_t>(p.span.right, mask.box().right - 1); ++x) {
      if (!g.in_sweep(double(x), double(y))) continue;
      const bool edge = p.left_end >= p.right_start || x <= p.left_end || x >= p.right_start;
      if (thin && edge)
        mask.mark(x, y, ShapeMask::kPen);
      else if (kind != ArcKind::arc)
        mask.mark(x, y, ShapeMask::kBrush);
    }
  }
  if (thin && kind == ArcKind::pie) {  // both radii, one line when the radials are equal
    const FloatPoint centre{g.cx, g.cy};
    mark_line(mask, centre, g.first), mark_line(mask, centre, g.last);
  }
  if (!thin) draw_pen(call, outline, &mask);
  mask.paint(t);
  return TRUE;
}

}  // namespace

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  return draw_arc(dc, left, top, right, bottom, xs, ys, xe, ye, ArcKind::arc);
}

BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  return draw_arc(dc, left, top, right, bottom, xs, ys, xe, ye, ArcKind::pie);
}
