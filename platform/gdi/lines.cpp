// LineTo, Polyline, PolyPolyline and PolyBezier: the pen along open figures.
// Cosmetic lines leave out their end point; a style runs on through the
// segments of one polyline. Geometric pens draw each call as one area.
// Depends on: shape_call (pen_draw for cosmetic and geometric pens). Fills nothing; arcs are arcs.cpp.
#include <algorithm>
#include <cmath>

#include "gdi/shape_call.h"

using namespace platform::gdi;

namespace {

Figure figure_of(const POINT* points, size_t count) {
  Figure f;
  for (size_t i = 0; i < count; ++i) f.points.push_back(FloatPoint{double(points[i].x), double(points[i].y)});
  return f;
}

// Cosmetic pens take the integer points as they are; geometric pens one area.
void draw_polyline(const ShapeCall& call, const POINT* points, size_t count) {
  if (!call.drawable || call.pen.null || count < 2) return;
  if (call.pen.geometric)
    draw_pen(call, figure_of(points, count), nullptr);
  else
    draw_cosmetic(call.target, call.pen, points, count, false, nullptr);
}

// One cubic Bezier from p0 to p3 appended to `out`, divided into pieces of
// at most about four pixels of control-polygon length.
void add_bezier(FloatPoint p0, FloatPoint p1, FloatPoint p2, FloatPoint p3, std::vector<FloatPoint>& out) {
  const double length = std::hypot(p1.x - p0.x, p1.y - p0.y) + std::hypot(p2.x - p1.x, p2.y - p1.y) +
                        std::hypot(p3.x - p2.x, p3.y - p2.y);
  const int steps = int(std::clamp(std::ceil(length / 4), 1.0, 4096.0));
  for (int i = 1; i <= steps; ++i) {
    const double t = double(i) / steps, s = 1 - t;
    const double a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
    out.push_back(FloatPoint{a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
}

}  // namespace

BOOL LineTo(HDC dc, int x, int y) {
  ShapeCall call;
  if (!begin_shape(dc, &call, false)) return FALSE;
  const POINT points[2] = {call.dc->position, POINT{x, y}};
  draw_polyline(call, points, 2);
  call.dc->position = points[1];
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  ShapeCall call;
  if (!begin_shape(dc, &call, false) || points == nullptr || count < 2) return FALSE;
  draw_polyline(call, points, size_t(count));
  return TRUE;
}

BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD polylines) {
  ShapeCall call;
  if (!begin_shape(dc, &call, false) || points == nullptr || counts == nullptr || polylines == 0) return FALSE;
  for (DWORD i = 0; i < polylines; ++i)
    if (counts[i] < 2) return FALSE;
  size_t first = 0;
  for (DWORD i = 0; i < polylines; ++i) {
    draw_polyline(call, points + first, counts[i]);
    first += counts[i];
  }
  return TRUE;
}

BOOL PolyBezier(HDC dc, const POINT* points, DWORD count) {
  ShapeCall call;
  if (!begin_shape(dc, &call, false) || points == nullptr || count < 1 || count % 3 != 1) return FALSE;
  if (!call.drawable || call.pen.null || count < 4) return TRUE;
  Figure curve = figure_of(points, 1);
  for (DWORD i = 1; i + 2 < count; i += 3) {
    const Figure part = figure_of(points + i - 1, 4);
    add_bezier(part.points[0], part.points[1], part.points[2], part.points[3], curve.points);
  }
  if (call.pen.geometric) {
    draw_pen(call, curve, nullptr);
    return TRUE;
  }
  std::vector<POINT> line;
  for (const FloatPoint& p : curve.points) {
    const POINT q{LONG(std::lround(p.x)), LONG(std::lround(p.y))};
    if (line.empty() || q.x != line.back().x || q.y != line.back().y) line.push_back(q);
  }
  draw_polyline(call, line.data(), line.size());
  return TRUE;
}
