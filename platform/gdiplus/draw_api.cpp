// The outline calls (lines, polygons, curves, Beziers, rectangles, ellipses,
// arcs, pies, paths): each builds a path of the shape and strokes it.
// Depends on: paths, pens and the renderer. Does no rasterising itself.
#include <vector>

#include "gdiplus/graphics.h"
#include "gdiplus/path.h"
#include "gdiplus/pen.h"
#include "gdiplus/render.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

// Strokes the path that `shape` builds, when the arguments are `valid`.
template <typename Shape>
GpStatus draw(GpGraphics* graphics, GpPen* pen, bool valid, Shape&& shape) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (pen == nullptr || !valid) return InvalidParameter;
  return detail::guard_allocation([&] {
    GpPath path(FillModeAlternate);
    shape(path);
    return render::stroke_path(*graphics, *pen, path);
  });
}

}  // namespace

GpStatus GdipDrawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2) {
  const GpPointF points[2] = {{x1, y1}, {x2, y2}};
  return GdipDrawLines(graphics, pen, points, 2);
}

GpStatus GdipDrawLines(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  return draw(graphics, pen, points != nullptr && count >= 2, [&](GpPath& p) { p.add_lines(points, size_t(count)); });
}

GpStatus GdipDrawPolygon(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  return draw(graphics, pen, points != nullptr && count >= 2, [&](GpPath& p) { p.add_polygon(points, size_t(count)); });
}

GpStatus GdipDrawCurve(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  return GdipDrawCurve2(graphics, pen, points, count, detail::kDefaultTension);
}

GpStatus GdipDrawCurve2(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count, REAL tension) {
  return draw(graphics, pen, points != nullptr && count >= 2,
              [&](GpPath& p) { p.add_curve(points, size_t(count), tension); });
}

GpStatus GdipDrawClosedCurve(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  return GdipDrawClosedCurve2(graphics, pen, points, count, detail::kDefaultTension);
}

GpStatus GdipDrawClosedCurve2(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count, REAL tension) {
  return draw(graphics, pen, points != nullptr && count >= 3,
              [&](GpPath& p) { p.add_closed_curve(points, size_t(count), tension); });
}

GpStatus GdipDrawBeziers(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  return draw(graphics, pen, points != nullptr && count >= 4 && (count - 1) % 3 == 0,
              [&](GpPath& p) { p.add_beziers(points, size_t(count)); });
}

GpStatus GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
  const GpRectF rect{x, y, width, height};
  return GdipDrawRectangles(graphics, pen, &rect, 1);
}

GpStatus GdipDrawRectangles(GpGraphics* graphics, GpPen* pen, const GpRectF* rects, INT count) {
  return draw(graphics, pen, rects != nullptr && count > 0, [&](GpPath& p) {
    for (INT i = 0; i < count; ++i) p.add_rectangle(rects[i]);
  });
}

GpStatus GdipDrawEllipse(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
  return draw(graphics, pen, true, [&](GpPath& p) { p.add_ellipse(x, y, width, height); });
}

GpStatus GdipDrawArc(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep) {
  return draw(graphics, pen, width > 0 && height > 0, [&](GpPath& p) { p.add_arc(x, y, width, height, start, sweep); });
}

GpStatus GdipDrawPie(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep) {
  return draw(graphics, pen, width > 0 && height > 0, [&](GpPath& p) { p.add_pie(x, y, width, height, start, sweep); });
}

GpStatus GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (detail::any_null(pen, path)) return InvalidParameter;
  return detail::guard_allocation([&] { return render::stroke_path(*graphics, *pen, *path); });
}

}  // namespace Gdiplus
