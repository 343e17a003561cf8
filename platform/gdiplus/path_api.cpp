// The flat calls that make, copy and build paths: creation (also from points
// and types), figures, lines, Beziers, arcs, shapes, curves and other paths.
// Depends on: the path class. Queries and reshaping (bounds, flattening,
// widening, warping) are in path_queries.cpp and path_reshape.cpp.
#include <algorithm>
#include <memory>

#include "gdiplus/path.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

bool valid_fill_mode(FillMode mode) { return mode == FillModeAlternate || mode == FillModeWinding; }

// Runs `body` on `path` after checking it, turning allocation failures into OutOfMemory.
template <typename Body>
GpStatus build(GpPath* path, bool valid, Body&& body) {
  if (path == nullptr || !valid) return InvalidParameter;
  return detail::guard_allocation([&] {
    body(*path);
    return Ok;
  });
}

bool bezier_count(INT count) { return count >= 4 && (count - 1) % 3 == 0; }

}  // namespace

GpStatus GdipCreatePath(GpFillMode mode, GpPath** path) {
  if (path == nullptr || !valid_fill_mode(mode)) return InvalidParameter;
  return detail::guard_allocation([&] {
    *path = new GpPath(mode);
    return Ok;
  });
}

GpStatus GdipCreatePath2(const GpPointF* points, const BYTE* types, INT count, GpFillMode mode, GpPath** path) {
  if (detail::any_null(points, types, path) || count < 0 || !valid_fill_mode(mode) ||
      !detail::valid_types(types, size_t(count)))
    return InvalidParameter;
  return detail::guard_allocation([&] {
    auto made = std::make_unique<GpPath>(mode);
    made->assign(points, types, size_t(count));
    *path = made.release();
    return Ok;
  });
}

GpStatus GdipClonePath(GpPath* path, GpPath** clone) {
  if (detail::any_null(path, clone)) return InvalidParameter;
  return detail::guard_allocation([&] {
    *clone = new GpPath(*path);
    return Ok;
  });
}

GpStatus GdipDeletePath(GpPath* path) {
  if (path == nullptr) return InvalidParameter;
  delete path;
  return Ok;
}

GpStatus GdipResetPath(GpPath* path) {
  return build(path, true, [](GpPath& p) { p.reset(); });
}

GpStatus GdipSetPathFillMode(GpPath* path, GpFillMode mode) {
  return build(path, valid_fill_mode(mode), [mode](GpPath& p) { p.fill_mode = mode; });
}

GpStatus GdipGetPointCount(GpPath* path, INT* count) {
  if (detail::any_null(path, count)) return InvalidParameter;
  *count = INT(path->points.size());
  return Ok;
}

GpStatus GdipGetPathPoints(GpPath* path, GpPointF* points, INT count) {
  if (detail::any_null(path, points) || count <= 0) return InvalidParameter;
  if (size_t(count) < path->points.size()) return InsufficientBuffer;
  std::copy(path->points.begin(), path->points.end(), points);
  return Ok;
}

GpStatus GdipGetPathTypes(GpPath* path, BYTE* types, INT count) {
  if (detail::any_null(path, types) || count <= 0) return InvalidParameter;
  if (size_t(count) < path->types.size()) return InsufficientBuffer;
  std::copy(path->types.begin(), path->types.end(), types);
  return Ok;
}

GpStatus GdipStartPathFigure(GpPath* path) {
  return build(path, true, [](GpPath& p) { p.start_figure(); });
}

GpStatus GdipClosePathFigure(GpPath* path) {
  return build(path, true, [](GpPath& p) { p.close_figure(); });
}

GpStatus GdipClosePathFigures(GpPath* path) {
  return build(path, true, [](GpPath& p) { p.close_all_figures(); });
}

GpStatus GdipReversePath(GpPath* path) {
  return build(path, true, [](GpPath& p) { p.reverse(); });
}

GpStatus GdipGetPathLastPoint(GpPath* path, GpPointF* point) {
  if (detail::any_null(path, point) || path->points.empty()) return InvalidParameter;
  *point = path->points.back();
  return Ok;
}

GpStatus GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2) {
  const GpPointF points[2] = {{x1, y1}, {x2, y2}};
  return GdipAddPathLine2(path, points, 2);
}

GpStatus GdipAddPathLine2(GpPath* path, const GpPointF* points, INT count) {
  return build(path, points != nullptr && count > 0, [&](GpPath& p) { p.add_lines(points, size_t(count)); });
}

GpStatus GdipAddPathBezier(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4) {
  const GpPointF points[4] = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
  return GdipAddPathBeziers(path, points, 4);
}

GpStatus GdipAddPathBeziers(GpPath* path, const GpPointF* points, INT count) {
  return build(path, points != nullptr && bezier_count(count), [&](GpPath& p) { p.add_beziers(points, size_t(count)); });
}

GpStatus GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep) {
  return build(path, width > 0 && height > 0, [&](GpPath& p) { p.add_arc(x, y, width, height, start, sweep); });
}

GpStatus GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep) {
  return build(path, width > 0 && height > 0, [&](GpPath& p) { p.add_pie(x, y, width, height, start, sweep); });
}

GpStatus GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
  return build(path, true, [&](GpPath& p) { p.add_ellipse(x, y, width, height); });
}

GpStatus GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
  return build(path, true, [&](GpPath& p) { p.add_rectangle(GpRectF{x, y, width, height}); });
}

GpStatus GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count) {
  return build(path, points != nullptr && count >= 3, [&](GpPath& p) { p.add_polygon(points, size_t(count)); });
}

GpStatus GdipAddPathCurve(GpPath* path, const GpPointF* points, INT count) {
  return GdipAddPathCurve2(path, points, count, detail::kDefaultTension);
}

GpStatus GdipAddPathCurve2(GpPath* path, const GpPointF* points, INT count, REAL tension) {
  return build(path, points != nullptr && count >= 2, [&](GpPath& p) { p.add_curve(points, size_t(count), tension); });
}

GpStatus GdipAddPathClosedCurve(GpPath* path, const GpPointF* points, INT count) {
  return GdipAddPathClosedCurve2(path, points, count, detail::kDefaultTension);
}

GpStatus GdipAddPathClosedCurve2(GpPath* path, const GpPointF* points, INT count, REAL tension) {
  return build(path, points != nullptr && count >= 3,
               [&](GpPath& p) { p.add_closed_curve(points, size_t(count), tension); });
}

GpStatus GdipAddPathPath(GpPath* path, const GpPath* added, BOOL connect) {
  if (added == nullptr) return InvalidParameter;
  const GpPath copy = *added;  // `added` may be `path` itself
  return build(path, true, [&](GpPath& p) { p.add_path(copy, connect != FALSE); });
}

}  // namespace Gdiplus
