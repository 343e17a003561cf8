// Pen outlines through AGG's dash and stroke generators (butt ends, the
// pen's join and miter limit), with the pen's caps added as small polygons of
// the same orientation as AGG's outlines so that the non-zero rule unites them.
// Depends on: AGG's dash and stroke generators, path, pen, matrix. Fills nothing (render).
#include "gdiplus/stroke.h"

#include <agg_conv_dash.h>
#include <agg_conv_stroke.h>
#include <agg_path_storage.h>

#include <algorithm>
#include <cmath>

namespace Gdiplus::render {

namespace {

constexpr double kPi = 3.14159265358979323846;

double signed_area(const Contour& c) {
  double area = 0;
  for (size_t i = 0; i < c.size(); ++i) {
    const GpPointF& a = c[i];
    const GpPointF& b = c[(i + 1) % c.size()];
    area += double(a.X) * b.Y - double(b.X) * a.Y;
  }
  return area / 2;
}

template <typename Source>
void collect(Source& source, std::vector<Contour>& out) {
  source.rewind(0);
  double x, y;
  unsigned cmd;
  bool open = false;
  while (!agg::is_stop(cmd = source.vertex(&x, &y))) {
    if (agg::is_move_to(cmd)) {
      out.emplace_back();
      open = true;
    }
    if (agg::is_vertex(cmd) && open) out.back().push_back(GpPointF{REAL(x), REAL(y)});
    if (agg::is_end_poly(cmd)) open = false;
  }
}

agg::line_join_e agg_join(LineJoin join) {
  switch (join) {
    case LineJoinBevel:
      return agg::bevel_join;
    case LineJoinRound:
      return agg::round_join;
    case LineJoinMiterClipped:
      return agg::miter_join_revert;  // beyond the limit: bevelled
    default:
      return agg::miter_join;  // beyond the limit: cut off at the limit
  }
}

struct StrokeStyle {
  double width;  // world units
  double scale;  // device pixels per world unit
  const GpPen& pen;
};

template <typename Source>
void stroke(Source& source, const StrokeStyle& style, std::vector<Contour>& out) {
  agg::conv_stroke<Source> outline(source);
  outline.width(style.width);
  outline.line_join(agg_join(style.pen.line_join));
  outline.miter_limit(style.pen.miter_limit);
  outline.line_cap(agg::butt_cap);
  outline.approximation_scale(style.scale);
  collect(outline, out);
}

// +1 or -1: the orientation AGG gives stroke outlines (the same for every segment).
int stroke_orientation() {
  static const int orientation = [] {
    agg::path_storage segment;
    segment.move_to(0, 0);
    segment.line_to(10, 0);
    agg::conv_stroke<agg::path_storage> outline(segment);
    outline.width(2);
    std::vector<Contour> contours;
    collect(outline, contours);
    return !contours.empty() && signed_area(contours[0]) < 0 ? -1 : 1;
  }();
  return orientation;
}

// The cap of `cap` kind at `end`, the line arriving in unit direction (dx, dy)
// (zero when the figure has no length).
void add_cap(LineCap cap, GpPointF end, double dx, double dy, const StrokeStyle& style, std::vector<Contour>& out) {
  const double h = style.width / 2;
  const double ex = end.X, ey = end.Y;
  const bool has_direction = dx != 0 || dy != 0;
  const double nx = -dy, ny = dx;  // left normal
  Contour cap_shape;
  auto add = [&](double x, double y) { cap_shape.push_back(GpPointF{REAL(x), REAL(y)}); };
  switch (cap) {
    case LineCapSquare:
    case LineCapSquareAnchor:
      if (has_direction) {
        add(ex + nx * h, ey + ny * h);
        add(ex + (nx + dx) * h, ey + (ny + dy) * h);
        add(ex + (dx - nx) * h, ey + (dy - ny) * h);
        add(ex - nx * h, ey - ny * h);
      } else {
        add(ex - h, ey - h), add(ex + h, ey - h), add(ex + h, ey + h), add(ex - h, ey + h);
      }
      break;
    case LineCapRound:
    case LineCapRoundAnchor: {
      const int steps = std::clamp(int(std::ceil(kPi * h * style.scale)), 8, 256);
      for (int i = 0; i < steps; ++i) add(ex + h * std::cos(2 * kPi * i / steps), ey + h * std::sin(2 * kPi * i / steps));
      break;
    }
    case LineCapTriangle:
    case LineCapDiamondAnchor:
    case LineCapArrowAnchor:
      if (!has_direction) return;
      add(ex + nx * h, ey + ny * h);
      add(ex + dx * h, ey + dy * h);
      add(ex - nx * h, ey - ny * h);
      break;
    default:
      return;
  }
  if ((signed_area(cap_shape) < 0 ? -1 : 1) != stroke_orientation()) std::reverse(cap_shape.begin(), cap_shape.end());
  out.push_back(std::move(cap_shape));
}

// The unit direction pointing out of the figure at its first (or last) point; zero when it has no length.
void direction_at_end(const Contour& figure, bool at_start, double* dx, double* dy) {
  *dx = *dy = 0;
  const long n = long(figure.size());
  const GpPointF end = at_start ? figure.front() : figure.back();
  for (long k = 1; k < n; ++k) {
    const GpPointF& p = figure[size_t(at_start ? k : n - 1 - k)];
    const double ux = double(end.X) - p.X, uy = double(end.Y) - p.Y;
    const double length = std::hypot(ux, uy);
    if (length > 0) {
      *dx = ux / length, *dy = uy / length;
      return;
    }
  }
}

}  // namespace

std::vector<Contour> stroke_outline(const GpPath& path, const GpPen& pen, const GpMatrix& world_to_device) {
  std::vector<Contour> out;
  const double scale = std::sqrt(std::fabs(double(world_to_device.determinant())));
  if (!(scale > 0) || !std::isfinite(scale)) return out;
  // World-unit pens widen with the transform; other units are device pixels.
  double width = pen.unit == UnitWorld ? pen.width : pen.width / scale;
  width = std::max(width, 1 / scale);
  const StrokeStyle style{width, scale, pen};

  std::vector<bool> closed;
  const std::vector<Contour> figures = path.flatten(GpMatrix(), detail::kFlatness / scale, &closed);
  agg::path_storage lines;
  for (size_t f = 0; f < figures.size(); ++f) {
    const Contour& figure = figures[f];
    lines.move_to(figure[0].X, figure[0].Y);
    for (size_t i = 1; i < figure.size(); ++i) lines.line_to(figure[i].X, figure[i].Y);
    if (closed[f]) lines.close_polygon();
  }

  if (pen.dash_pattern.empty()) {
    stroke(lines, style, out);
  } else {
    agg::conv_dash<agg::path_storage> dashes(lines);
    const size_t n = pen.dash_pattern.size();
    for (size_t i = 0; i < n; i += 2) dashes.add_dash(pen.dash_pattern[i] * width, pen.dash_pattern[(i + 1) % n] * width);
    stroke(dashes, style, out);
  }

  for (size_t f = 0; f < figures.size(); ++f) {
    if (closed[f]) continue;
    double dx, dy;
    direction_at_end(figures[f], true, &dx, &dy);
    add_cap(pen.start_cap, figures[f].front(), dx, dy, style, out);
    direction_at_end(figures[f], false, &dx, &dy);
    add_cap(pen.end_cap, figures[f].back(), dx, dy, style, out);
  }
  return out;
}

}  // namespace Gdiplus::render
