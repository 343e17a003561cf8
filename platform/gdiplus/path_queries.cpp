// The flat calls that transform, flatten, widen and measure paths, and test
// points against them (with a graphics: in its device coordinates).
// Depends on: graphics, path, region, stroke, status. Draws nothing.
#include <algorithm>
#include <cmath>

#include "gdiplus/graphics.h"
#include "gdiplus/path.h"
#include "gdiplus/region.h"
#include "gdiplus/status.h"
#include "gdiplus/stroke.h"

namespace Gdiplus {

namespace {

// The pen outline of `path`, divided finely enough for `flatness` in path units.
std::vector<render::Contour> outline(const GpPath& path, const GpPen& pen, REAL flatness) {
  const REAL scale = REAL(detail::kFlatness / flatness);
  return render::stroke_outline(path, pen, GpMatrix::scaling(scale, scale));
}

}  // namespace

GpStatus GdipTransformPath(GpPath* path, GpMatrix* matrix) {
  if (path == nullptr) return InvalidParameter;
  if (matrix != nullptr) path->transform(*matrix);
  return Ok;
}

GpStatus GdipFlattenPath(GpPath* path, GpMatrix* matrix, REAL flatness) {
  if (path == nullptr || !detail::valid_flatness(flatness)) return InvalidParameter;
  return detail::guard_allocation([&] {
    std::vector<bool> closed;
    const auto contours = path->flatten(matrix ? *matrix : GpMatrix(), flatness, &closed);
    path->replace_figures(contours, closed);
    return Ok;
  });
}

// The result is the outline's closed figures, filled by the winding rule
// (the outline's pieces overlap where the path turns).
GpStatus GdipWidenPath(GpPath* path, GpPen* pen, GpMatrix* matrix, REAL flatness) {
  if (detail::any_null(path, pen) || !detail::valid_flatness(flatness)) return InvalidParameter;
  return detail::guard_allocation([&] {
    const auto contours = outline(*path, *pen, flatness);
    path->replace_figures(contours, std::vector<bool>(contours.size(), true));
    path->fill_mode = FillModeWinding;
    if (matrix != nullptr) path->transform(*matrix);
    return Ok;
  });
}

GpStatus GdipGetPathWorldBounds(GpPath* path, GpRectF* bounds, const GpMatrix* matrix, const GpPen* pen) {
  if (detail::any_null(path, bounds)) return InvalidParameter;
  return detail::guard_allocation([&] {
    const GpMatrix m = matrix ? *matrix : GpMatrix();
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    for (const render::Contour& figure : path->flatten(m, detail::kFlatness, nullptr))
      for (const GpPointF& p : figure) {
        x0 = std::min(x0, double(p.X)), y0 = std::min(y0, double(p.Y));
        x1 = std::max(x1, double(p.X)), y1 = std::max(y1, double(p.Y));
      }
    if (x0 > x1) {
      *bounds = GpRectF{0, 0, 0, 0};
      return Ok;
    }
    if (pen != nullptr) {
      const double half = pen->width / 2 * std::sqrt(std::fabs(double(m.determinant())));
      x0 -= half, y0 -= half, x1 += half, y1 += half;
    }
    *bounds = GpRectF{REAL(x0), REAL(y0), REAL(x1 - x0), REAL(y1 - y0)};
    return Ok;
  });
}

GpStatus GdipIsVisiblePathPoint(GpPath* path, REAL x, REAL y, GpGraphics* graphics, BOOL* result) {
  if (detail::any_null(path, result)) return InvalidParameter;
  if (graphics != nullptr && detail::usable(graphics) != Ok) return detail::usable(graphics);
  return detail::guard_allocation([&] {
    const GpMatrix to_device = graphics != nullptr ? graphics->world_to_device() : GpMatrix();
    const GpRegion area = GpRegion::from_contours(path->flatten(to_device, detail::kFlatness, nullptr), path->fill_mode);
    *result = area.contains(x, y) ? TRUE : FALSE;
    return Ok;
  });
}

GpStatus GdipIsOutlineVisiblePathPoint(GpPath* path, REAL x, REAL y, GpPen* pen, GpGraphics* graphics, BOOL* result) {
  if (detail::any_null(path, pen, result)) return InvalidParameter;
  if (graphics != nullptr && detail::usable(graphics) != Ok) return detail::usable(graphics);
  return detail::guard_allocation([&] {
    GpRegion area = GpRegion::from_contours(outline(*path, *pen, REAL(detail::kFlatness)), FillModeWinding);
    if (graphics != nullptr) area = area.transformed(graphics->world_to_device());
    *result = area.contains(x, y) ? TRUE : FALSE;
    return Ok;
  });
}

}  // namespace Gdiplus
