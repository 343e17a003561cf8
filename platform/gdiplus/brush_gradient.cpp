// The flat calls of linear and path gradient brushes: creation from points,
// rectangles and paths, centre colour and point, surround colours.
// Depends on: the brush kinds and paths. Paints nothing: paint.cpp samples
// the brushes.
#include <cmath>

#include "gdiplus/brush_kinds.h"
#include "gdiplus/path.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

GpPathGradient* path_brush(GpPathGradient* brush) { return detail::brush_of_kind(brush, BrushTypePathGradient); }

GpStatus create_line(const GpPointF& p1, const GpPointF& p2, ARGB c1, ARGB c2, WrapMode wrap, GpLineGradient** brush) {
  if (brush == nullptr || !detail::valid_wrap(wrap) || wrap == WrapModeClamp) return InvalidParameter;
  const double dx = double(p2.X) - p1.X, dy = double(p2.Y) - p1.Y;
  const double length2 = dx * dx + dy * dy;
  if (!(length2 > 0) || !std::isfinite(length2)) return OutOfMemory;  // GDI+'s answer for coincident points
  return detail::guard_allocation([&] {
    auto* made = new GpLineGradient;
    made->along_x = dx / length2;
    made->along_y = dy / length2;
    made->along_0 = -(p1.X * dx + p1.Y * dy) / length2;
    made->colors[0] = c1;
    made->colors[1] = c2;
    made->wrap = wrap;
    *brush = made;
    return Ok;
  });
}

// Centroid of the polygon's area; the mean of its points when it has none.
GpPointF centroid(const std::vector<GpPointF>& polygon) {
  double area = 0, cx = 0, cy = 0, mx = 0, my = 0;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const GpPointF& a = polygon[i];
    const GpPointF& b = polygon[(i + 1) % polygon.size()];
    const double cross = double(a.X) * b.Y - double(b.X) * a.Y;
    area += cross;
    cx += (double(a.X) + b.X) * cross;
    cy += (double(a.Y) + b.Y) * cross;
    mx += a.X;
    my += a.Y;
  }
  if (std::fabs(area) > 1e-12) return GpPointF{REAL(cx / (3 * area)), REAL(cy / (3 * area))};
  return GpPointF{REAL(mx / polygon.size()), REAL(my / polygon.size())};
}

GpStatus create_path_gradient(std::vector<GpPointF> boundary, WrapMode wrap, GpPathGradient** brush) {
  auto* made = new GpPathGradient;
  made->center = centroid(boundary);
  made->boundary = std::move(boundary);
  made->wrap = wrap;
  *brush = made;
  return Ok;
}

}  // namespace

GpStatus GdipCreateLineBrush(const GpPointF* point1, const GpPointF* point2, ARGB color1, ARGB color2, GpWrapMode wrap,
                             GpLineGradient** brush) {
  if (detail::any_null(point1, point2)) return InvalidParameter;
  return create_line(*point1, *point2, color1, color2, wrap, brush);
}

GpStatus GdipCreatePathGradient(const GpPointF* points, INT count, GpWrapMode wrap, GpPathGradient** brush) {
  if (detail::any_null(points, brush) || count < 2 || !detail::valid_wrap(wrap)) return InvalidParameter;
  return detail::guard_allocation(
      [&] { return create_path_gradient(std::vector<GpPointF>(points, points + count), wrap, brush); });
}

// The boundary is the path's figures as lines, one after the other.
GpStatus GdipCreatePathGradientFromPath(const GpPath* path, GpPathGradient** brush) {
  if (detail::any_null(path, brush)) return InvalidParameter;
  return detail::guard_allocation([&] {
    std::vector<GpPointF> boundary;
    for (const render::Contour& figure : path->flatten(GpMatrix(), detail::kFlatness, nullptr))
      boundary.insert(boundary.end(), figure.begin(), figure.end());
    if (boundary.size() < 2) return OutOfMemory;  // as GDI+ answers for an empty path
    return create_path_gradient(std::move(boundary), WrapModeClamp, brush);
  });
}

GpStatus GdipSetPathGradientCenterColor(GpPathGradient* brush, ARGB color) {
  GpPathGradient* gradient = path_brush(brush);
  if (gradient == nullptr) return InvalidParameter;
  gradient->center_color = color;
  return Ok;
}

GpStatus GdipSetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* point) {
  GpPathGradient* gradient = path_brush(brush);
  if (gradient == nullptr || point == nullptr) return InvalidParameter;
  gradient->center = *point;
  return Ok;
}

// One colour per boundary point; fewer colours than points repeat the last one.
GpStatus GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* brush, const ARGB* colors, INT* count) {
  GpPathGradient* gradient = path_brush(brush);
  if (gradient == nullptr || detail::any_null(colors, count)) return InvalidParameter;
  if (*count <= 0 || size_t(*count) > gradient->boundary.size()) return InvalidParameter;
  return detail::guard_allocation([&] {
    gradient->surround.assign(colors, colors + *count);
    return Ok;
  });
}

}  // namespace Gdiplus
