// Building paths: lines, Beziers, elliptical arcs as Bezier curves (angles
// are those of the rays from the centre, clockwise in degrees), cardinal
// splines as Bezier curves, and whole figures.
// Depends on: AGG's curve flattener, matrix, raster. Draws nothing; strokes and widening are stroke.cpp.
#include "gdiplus/path.h"

#include <agg_curves.h>

#include <algorithm>
#include <cmath>

namespace Gdiplus {

namespace {

constexpr double kPi = 3.14159265358979323846;

bool finite(std::initializer_list<GpPointF> points) {
  return std::all_of(points.begin(), points.end(), [](const GpPointF& p) { return std::isfinite(p.X) && std::isfinite(p.Y); });
}

bool same_point(const GpPointF& a, const GpPointF& b) { return a.X == b.X && a.Y == b.Y; }

// The parametric angle of the ellipse point that the ray at `ray` (radians) from the centre meets.
double parametric_angle(double ray, double rx, double ry) {
  if (rx == 0 || ry == 0) return ray;
  const double phi = std::atan2(rx * std::sin(ray), ry * std::cos(ray));
  // Both angles lie in the same quadrant: keep phi on the ray's turn.
  return ray + std::remainder(phi - ray, 2 * kPi);
}

// The Bezier points (1 + 3k) of the arc of the ellipse in the rectangle.
std::vector<GpPointF> arc_points(REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep) {
  const double rx = width / 2.0, ry = height / 2.0, cx = x + rx, cy = y + ry;
  sweep = std::clamp(sweep, -360.0f, 360.0f);
  const double a0 = start * kPi / 180, a1 = (double(start) + sweep) * kPi / 180;
  const double p0 = parametric_angle(a0, rx, ry);
  const double p1 = std::fabs(sweep) >= 360 ? p0 + (sweep > 0 ? 2 * kPi : -2 * kPi) : parametric_angle(a1, rx, ry);
  const int pieces = std::max(1, int(std::ceil(std::fabs(p1 - p0) / (kPi / 2) - 1e-9)));
  const double step = (p1 - p0) / pieces;
  const double k = 4.0 / 3.0 * std::tan(step / 4);
  auto at = [&](double phi) { return GpPointF{REAL(cx + rx * std::cos(phi)), REAL(cy + ry * std::sin(phi))}; };
  auto handle = [&](double phi, double scale, const GpPointF& base) {
    return GpPointF{REAL(base.X - scale * rx * std::sin(phi)), REAL(base.Y + scale * ry * std::cos(phi))};
  };
  std::vector<GpPointF> out{at(p0)};
  for (int i = 0; i < pieces; ++i) {
    const double from = p0 + step * i, to = i + 1 == pieces ? p1 : from + step;
    const GpPointF end = at(to);
    out.push_back(handle(from, k, out.back()));
    out.push_back(handle(to, -k, end));
    out.push_back(end);
  }
  return out;
}

// Bezier points of the cardinal spline through `points`: each control point
// lies tension / 3 of the chord between the neighbours away from its point.
std::vector<GpPointF> spline_points(const GpPointF* points, size_t count, REAL tension, bool closed) {
  auto point = [&](long i) {
    if (closed) return points[size_t((i % long(count) + long(count)) % long(count))];
    return points[size_t(std::clamp(i, 0L, long(count) - 1))];
  };
  const double t = tension / 3.0;
  const long segments = closed ? long(count) : long(count) - 1;
  std::vector<GpPointF> out{points[0]};
  for (long i = 0; i < segments; ++i) {
    const GpPointF p0 = point(i - 1), p1 = point(i), p2 = point(i + 1), p3 = point(i + 2);
    out.push_back(GpPointF{REAL(p1.X + t * (p2.X - p0.X)), REAL(p1.Y + t * (p2.Y - p0.Y))});
    out.push_back(GpPointF{REAL(p2.X - t * (p3.X - p1.X)), REAL(p2.Y - t * (p3.Y - p1.Y))});
    out.push_back(p2);
  }
  return out;
}

}  // namespace

namespace detail {

bool valid_types(const BYTE* types, size_t count) {
  constexpr BYTE kKnownFlags = PathPointTypeDashMode | PathPointTypePathMarker | PathPointTypeCloseSubpath;
  for (size_t i = 0; i < count; ++i) {
    const BYTE kind = types[i] & PathPointTypePathTypeMask;
    if ((types[i] & ~(PathPointTypePathTypeMask | kKnownFlags)) != 0) return false;
    if (i == 0 && kind != PathPointTypeStart) return false;
    if (kind == PathPointTypeBezier) {
      if (i + 2 >= count) return false;
      for (size_t k = 1; k <= 2; ++k)
        if ((types[i + k] & PathPointTypePathTypeMask) != PathPointTypeBezier) return false;
      i += 2;
    } else if (kind != PathPointTypeStart && kind != PathPointTypeLine) {
      return false;
    }
  }
  return true;
}

std::vector<GpPointF> to_float(const GpPoint* points, INT count) {
  std::vector<GpPointF> out;
  for (INT i = 0; i < count; ++i) out.push_back(GpPointF{REAL(points[i].X), REAL(points[i].Y)});
  return out;
}

}  // namespace detail

void GpPath::append(const GpPointF& point, BYTE type) {
  if (new_figure_) {
    type = PathPointTypeStart;
    new_figure_ = false;
  }
  points.push_back(point);
  types.push_back(type);
}

void GpPath::close_last() {
  if (!types.empty()) types.back() |= PathPointTypeCloseSubpath;
  new_figure_ = true;
}

void GpPath::close_figure() {
  if (!new_figure_) close_last();
}

void GpPath::close_all_figures() {
  for (size_t i = 0; i < types.size(); ++i)
    if (i + 1 == types.size() || (types[i + 1] & PathPointTypePathTypeMask) == PathPointTypeStart)
      types[i] |= PathPointTypeCloseSubpath;
  new_figure_ = true;
}

void GpPath::assign(const GpPointF* pts, const BYTE* kinds, size_t count) {
  points.assign(pts, pts + count);
  types.assign(kinds, kinds + count);
  new_figure_ = types.empty() || (types.back() & PathPointTypeCloseSubpath) != 0;
}

void GpPath::reverse() {
  std::vector<GpPointF> new_points(points.rbegin(), points.rend());
  std::vector<BYTE> new_types;
  new_types.reserve(types.size());
  // Figures from the last to the first; within one, the segment that ends at
  // new point j is the old segment that ended at old point n - j + 1.
  size_t end = types.size();
  while (end > 0) {
    size_t start = end - 1;
    while (start > 0 && (types[start] & PathPointTypePathTypeMask) != PathPointTypeStart) --start;
    const bool closed = (types[end - 1] & PathPointTypeCloseSubpath) != 0;
    new_types.push_back(PathPointTypeStart);
    for (size_t old = end - 1; old > start; --old) new_types.push_back(BYTE(types[old] & ~PathPointTypeCloseSubpath));
    if (closed) new_types.back() |= PathPointTypeCloseSubpath;
    end = start;
  }
  points = std::move(new_points);
  types = std::move(new_types);
}

void GpPath::reset() {
  points.clear();
  types.clear();
  fill_mode = FillModeAlternate;
  new_figure_ = true;
}

void GpPath::add_lines(const GpPointF* pts, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (i == 0 && !new_figure_ && same_point(points.back(), pts[0])) continue;
    append(pts[i], PathPointTypeLine);
  }
}

void GpPath::add_beziers(const GpPointF* pts, size_t count) {
  if (count == 0) return;
  if (new_figure_ || !same_point(points.back(), pts[0])) append(pts[0], PathPointTypeLine);
  for (size_t i = 1; i < count; ++i) append(pts[i], PathPointTypeBezier);
}

void GpPath::add_arc(REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep) {
  const std::vector<GpPointF> arc = arc_points(x, y, width, height, start, sweep);
  add_beziers(arc.data(), arc.size());
}

void GpPath::add_curve(const GpPointF* pts, size_t count, REAL tension) {
  const std::vector<GpPointF> curve = spline_points(pts, count, tension, false);
  add_beziers(curve.data(), curve.size());
}

void GpPath::add_polygon(const GpPointF* pts, size_t count) {
  start_figure();
  add_lines(pts, count);
  close_last();
}

void GpPath::add_rectangle(const GpRectF& r) {
  if (r.Width == 0 || r.Height == 0) return;
  const GpPointF corners[4] = {{r.X, r.Y}, {r.X + r.Width, r.Y}, {r.X + r.Width, r.Y + r.Height}, {r.X, r.Y + r.Height}};
  add_polygon(corners, 4);
}

void GpPath::add_ellipse(REAL x, REAL y, REAL width, REAL height) {
  start_figure();
  add_arc(x, y, width, height, 0, 360);
  close_last();
}

void GpPath::add_pie(REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep) {
  start_figure();
  append(GpPointF{x + width / 2, y + height / 2}, PathPointTypeStart);
  add_arc(x, y, width, height, start, sweep);
  close_last();
}

void GpPath::add_closed_curve(const GpPointF* pts, size_t count, REAL tension) {
  start_figure();
  const std::vector<GpPointF> curve = spline_points(pts, count, tension, true);
  add_beziers(curve.data(), curve.size());
  close_last();
}

void GpPath::add_path(const GpPath& other, bool connect) {
  if (!connect) start_figure();
  for (size_t i = 0; i < other.points.size(); ++i) {
    BYTE type = other.types[i];
    if ((type & PathPointTypePathTypeMask) == PathPointTypeStart) {
      if (i > 0 || !connect) start_figure();
      type = BYTE((type & ~PathPointTypePathTypeMask) | PathPointTypeLine);
    }
    append(other.points[i], type);
    if (type & PathPointTypeCloseSubpath) new_figure_ = true;
  }
}

void GpPath::transform(const GpMatrix& matrix) {
  for (GpPointF& p : points) p = matrix.apply(p);
}

void GpPath::replace_figures(const std::vector<render::Contour>& contours, const std::vector<bool>& closed) {
  const FillMode mode = fill_mode;
  reset();
  fill_mode = mode;
  for (size_t i = 0; i < contours.size(); ++i) {
    start_figure();
    add_lines(contours[i].data(), contours[i].size());
    if (closed[i]) close_figure();
  }
}

std::vector<render::Contour> GpPath::flatten(const GpMatrix& matrix, double tolerance, std::vector<bool>* closed) const {
  std::vector<render::Contour> out;
  if (closed) closed->clear();
  agg::curve4_div curve;
  curve.approximation_scale(0.5 / tolerance);
  for (size_t i = 0; i < points.size(); ++i) {
    const BYTE kind = types[i] & PathPointTypePathTypeMask;
    const GpPointF p = matrix.apply(points[i]);
    if (kind == PathPointTypeStart || out.empty()) {
      out.emplace_back();
      if (closed) closed->push_back(false);
      out.back().push_back(p);
    } else if (kind == PathPointTypeBezier && i + 2 < points.size()) {
      const GpPointF from = out.back().back();
      const GpPointF c2 = matrix.apply(points[i + 1]), to = matrix.apply(points[i + 2]);
      i += 2;
      // Subdividing a curve with a non-finite point never converges: keep its end.
      if (finite({from, p, c2, to})) {
        curve.init(from.X, from.Y, p.X, p.Y, c2.X, c2.Y, to.X, to.Y);
        double x, y;
        curve.rewind(0);
        curve.vertex(&x, &y);  // the start point is there already
        while (!agg::is_stop(curve.vertex(&x, &y))) out.back().push_back(GpPointF{REAL(x), REAL(y)});
      } else {
        out.back().push_back(to);
      }
    } else {
      out.back().push_back(p);
    }
    if (closed && (types[i] & PathPointTypeCloseSubpath)) closed->back() = true;
  }
  return out;
}

}  // namespace Gdiplus
