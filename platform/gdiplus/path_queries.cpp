// The flat calls that transform, flatten, widen and measure paths, and test points against them.
#include <algorithm>
#include <cmath>

#include "gdiplus/path.h"
#include "gdiplus/region.h"
#include "gdiplus/status.h"
#include "gdiplus/stroke.h"

namespace Gdiplus {

namespace {

// Replaces the path's figures by `contours` as polygonal figures.
void replace_figures(GpPath& path, const std::vector<render::Contour>& contours, const std::vector<bool>& closed) {
  const FillMode mode = path.fill_mode;
  path.reset();
  path.fill_mode = mode;
  for (size_t i = 0; i < contours.size(); ++i) {
    path.start_figure();
    path.add_lines(contours[i].data(), contours[i].size());
    if (closed[i]) path.close_figure();
  }
}

bool valid_flatness(REAL flatness) { return flatness > 0 && std::isfinite(flatness); }

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
  if (path == nullptr || !valid_flatness(flatness)) return InvalidParameter;
  return detail::guard_allocation([&] {
    std::vector<bool> closed;
    const auto contours = path->flatten(matrix ? *matrix : GpMatrix(), flatness, &closed);
    replace_figures(*path, contours, closed);
    return Ok;
  });
}

// The result is the outline's closed figures, filled by the winding rule
// (the outline's pieces overlap where the path turns).
GpStatus GdipWidenPath(GpPath* path, GpPen* pen, GpMatrix* matrix, REAL flatness) {
  if (detail::any_null(path, pen) || !valid_flatness(flatness)) return InvalidParameter;
  return detail::guard_allocation([&] {
    const auto contours = outline(*path, *pen, flatness);
    replace_figures(*path, contours, std::vector<bool>(contours.size(), true));
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

GpStatus GdipIsVisiblePathPoint(GpPath* path, REAL x, REAL y, GpGraphics*, BOOL* result) {
  if (detail::any_null(path, result)) return InvalidParameter;
  return detail::guard_allocation([&] {
    const GpRegion area = GpRegion::from_contours(path->flatten(GpMatrix(), detail::kFlatness, nullptr), path->fill_mode);
    *result = area.contains(x, y) ? TRUE : FALSE;
    return Ok;
  });
}

GpStatus GdipIsOutlineVisiblePathPoint(GpPath* path, REAL x, REAL y, GpPen* pen, GpGraphics*, BOOL* result) {
  if (detail::any_null(path, pen, result)) return InvalidParameter;
  return detail::guard_allocation([&] {
    const GpRegion area = GpRegion::from_contours(outline(*path, *pen, REAL(detail::kFlatness)), FillModeWinding);
    *result = area.contains(x, y) ? TRUE : FALSE;
    return Ok;
  });
}

}  // namespace Gdiplus
