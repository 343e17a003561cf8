// The fill calls: each builds a path of the shape and fills it, and the
// region fill and clear.
// Depends on: brush, graphics, path, render, status. Strokes nothing (the draw calls).
#include <vector>

#include "gdiplus/brush.h"
#include "gdiplus/graphics.h"
#include "gdiplus/path.h"
#include "gdiplus/render.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

// Fills the path that `shape` builds (in fill mode `mode`), when the arguments are `valid`.
template <typename Shape>
GpStatus fill(GpGraphics* graphics, GpBrush* brush, bool valid, FillMode mode, Shape&& shape) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (brush == nullptr || !valid || (mode != FillModeAlternate && mode != FillModeWinding)) return InvalidParameter;
  return detail::guard_allocation([&] {
    GpPath path(mode);
    shape(path);
    return render::fill_path(*graphics, *brush, path);
  });
}

}  // namespace

GpStatus GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
  const GpRectF rect{x, y, width, height};
  return GdipFillRectangles(graphics, brush, &rect, 1);
}

// Overlapping rectangles are painted once where they overlap (one fill, winding rule).
GpStatus GdipFillRectangles(GpGraphics* graphics, GpBrush* brush, const GpRectF* rects, INT count) {
  return fill(graphics, brush, rects != nullptr && count > 0, FillModeWinding, [&](GpPath& p) {
    for (INT i = 0; i < count; ++i) {
      // Normalised, so that every rectangle winds the same way.
      GpRectF r = rects[i];
      if (r.Width < 0) r.X += r.Width, r.Width = -r.Width;
      if (r.Height < 0) r.Y += r.Height, r.Height = -r.Height;
      p.add_rectangle(r);
    }
  });
}

GpStatus GdipFillPolygon(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count, GpFillMode mode) {
  return fill(graphics, brush, points != nullptr && count >= 3, mode,
              [&](GpPath& p) { p.add_polygon(points, size_t(count)); });
}

GpStatus GdipFillEllipse(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
  return fill(graphics, brush, true, FillModeAlternate, [&](GpPath& p) { p.add_ellipse(x, y, width, height); });
}

GpStatus GdipFillPie(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height, REAL start,
                     REAL sweep) {
  return fill(graphics, brush, width > 0 && height > 0, FillModeAlternate,
              [&](GpPath& p) { p.add_pie(x, y, width, height, start, sweep); });
}

GpStatus GdipFillClosedCurve(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count) {
  return GdipFillClosedCurve2(graphics, brush, points, count, detail::kDefaultTension, FillModeAlternate);
}

GpStatus GdipFillClosedCurve2(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count, REAL tension,
                              GpFillMode mode) {
  return fill(graphics, brush, points != nullptr && count >= 3, mode,
              [&](GpPath& p) { p.add_closed_curve(points, size_t(count), tension); });
}

GpStatus GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (detail::any_null(brush, path)) return InvalidParameter;
  return detail::guard_allocation([&] { return render::fill_path(*graphics, *brush, *path); });
}

}  // namespace Gdiplus
