// The flat calls that reshape a flattened path: the perspective warp onto
// three or four points, and the winding-mode outline (the union of the
// areas its figures fill under the non-zero rule, computed by Clipper on
// coordinates in 1/1024ths of a unit).
// Depends on: Clipper, path, status. Draws nothing.
#include <clipper.hpp>

#include <cmath>

#include "gdiplus/path.h"
#include "gdiplus/status.h"

namespace Gdiplus {
namespace {

// The map of the unit square onto a quadrilateral: (u, v) goes to
// ((a u + b v + c) / w, (d u + e v + f) / w) with w = g u + h v + 1.
struct Projection {
  double a, b, c, d, e, f, g, h;

  // Corners: (0, 0), (1, 0), (0, 1), (1, 1). False when they are degenerate.
  bool fit(const GpPointF& p00, const GpPointF& p10, const GpPointF& p01, const GpPointF& p11) {
    const double sx = double(p00.X) - p10.X + p11.X - p01.X, sy = double(p00.Y) - p10.Y + p11.Y - p01.Y;
    g = h = 0;
    if (sx != 0 || sy != 0) {
      const double dx1 = double(p10.X) - p11.X, dx2 = double(p01.X) - p11.X;
      const double dy1 = double(p10.Y) - p11.Y, dy2 = double(p01.Y) - p11.Y;
      const double den = dx1 * dy2 - dx2 * dy1;
      if (den == 0) return false;
      g = (sx * dy2 - dx2 * sy) / den;
      h = (dx1 * sy - sx * dy1) / den;
    }
    a = p10.X - double(p00.X) + g * p10.X, b = p01.X - double(p00.X) + h * p01.X, c = p00.X;
    d = p10.Y - double(p00.Y) + g * p10.Y, e = p01.Y - double(p00.Y) + h * p01.Y, f = p00.Y;
    return std::isfinite(a + b + d + e + g + h);
  }

  GpPointF apply(double u, double v) const {
    const double w = g * u + h * v + 1;
    return GpPointF{REAL((a * u + b * v + c) / w), REAL((d * u + e * v + f) / w)};
  }
};

bool finite(const GpPointF& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

constexpr double kClipperScale = 1024;
// Clipper's integer range with room for its own arithmetic.
constexpr double kClipperLimit = 4.0e15;

bool to_clipper(const render::Contour& contour, ClipperLib::Path* out) {
  for (const GpPointF& p : contour) {
    const double x = std::round(p.X * kClipperScale), y = std::round(p.Y * kClipperScale);
    if (!(std::fabs(x) < kClipperLimit && std::fabs(y) < kClipperLimit)) return false;
    out->push_back(ClipperLib::IntPoint(ClipperLib::cInt(x), ClipperLib::cInt(y)));
  }
  return true;
}

render::Contour from_clipper(const ClipperLib::Path& path) {
  render::Contour out;
  for (const ClipperLib::IntPoint& p : path) out.push_back(GpPointF{REAL(p.X / kClipperScale), REAL(p.Y / kClipperScale)});
  return out;
}

}  // namespace

GpStatus GdipWarpPath(GpPath* path, GpMatrix* matrix, const GpPointF* points, INT count, REAL srcx, REAL srcy,
                      REAL srcwidth, REAL srcheight, WarpMode mode, REAL flatness) {
  if (detail::any_null(path, points) || (count != 3 && count != 4) || !detail::valid_flatness(flatness) ||
      !(srcwidth != 0 && srcheight != 0) || !std::isfinite(srcx + srcy + srcwidth + srcheight))
    return InvalidParameter;
  if (mode == WarpModeBilinear) return NotImplemented;
  if (mode != WarpModePerspective) return InvalidParameter;
  const GpPointF p11 = count == 4 ? points[3]
                                  : GpPointF{points[1].X + points[2].X - points[0].X, points[1].Y + points[2].Y - points[0].Y};
  Projection projection{};
  if (!projection.fit(points[0], points[1], points[2], p11)) return InvalidParameter;
  return detail::guard_allocation([&] {
    std::vector<bool> closed;
    std::vector<render::Contour> contours = path->flatten(matrix ? *matrix : GpMatrix(), flatness, &closed);
    for (render::Contour& contour : contours)
      for (GpPointF& p : contour) {
        p = projection.apply((double(p.X) - srcx) / srcwidth, (double(p.Y) - srcy) / srcheight);
        if (!finite(p)) return InvalidParameter;  // beyond the horizon: the path stays as it was
      }
    path->replace_figures(contours, closed);
    return Ok;
  });
}

GpStatus GdipWindingModeOutline(GpPath* path, GpMatrix* matrix, REAL flatness) {
  if (path == nullptr || !detail::valid_flatness(flatness)) return InvalidParameter;
  return detail::guard_allocation([&] {
    ClipperLib::Paths subject;
    for (const render::Contour& contour : path->flatten(matrix ? *matrix : GpMatrix(), flatness, nullptr)) {
      ClipperLib::Path figure;
      if (!to_clipper(contour, &figure)) return InvalidParameter;
      subject.push_back(std::move(figure));
    }
    constexpr ClipperLib::PolyFillType rule = ClipperLib::pftNonZero;
    ClipperLib::Clipper clipper;
    clipper.AddPaths(subject, ClipperLib::ptSubject, true);
    ClipperLib::Paths united;
    if (!clipper.Execute(ClipperLib::ctUnion, united, rule, rule)) return GenericError;
    std::vector<render::Contour> contours;
    for (const ClipperLib::Path& figure : united) contours.push_back(from_clipper(figure));
    path->replace_figures(contours, std::vector<bool>(contours.size(), true));
    path->fill_mode = FillModeWinding;
    return Ok;
  });
}

}  // namespace Gdiplus
