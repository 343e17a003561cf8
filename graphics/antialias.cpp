// GDI+ drawing: the steps every outline and fill shares (which image, which
// pen or brush, where a failure goes) and the rounded-rectangle path.
// Depends on: state (selectors, change counting), images (the GDI+ objects).
// The outline, fill, pattern and image functions live in antialias_*.cpp.

#include "graphics/antialias.h"

#include <algorithm>

using namespace Gdiplus;

namespace frond {

IMAGE* outline_image(IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  return image != nullptr && image->line_style != PS_NULL ? image : nullptr;
}

std::vector<GpPointF> to_gdip_points(int count, const frond_point* points) {
  std::vector<GpPointF> converted;
  if (points == nullptr || count < 1) return converted;
  converted.reserve(size_t(count));
  for (int i = 0; i < count; ++i) converted.push_back(GpPointF{points[i].x, points[i].y});
  return converted;
}

namespace {

// `r` held to 0 .. limit; a NaN radius counts as 0.
float clamp_radius(float r, float limit) { return r > 0 ? std::min(r, limit) : 0.0f; }

}  // namespace

corner_radii clamp_corner_radii(float w, float h, corner_radii radii) {
  corner_radii out;
  out.r1 = clamp_radius(radii.r1, std::min(w, h));
  out.r2 = clamp_radius(radii.r2, std::min(w - out.r1, h));
  out.r3 = clamp_radius(radii.r3, std::min(h - out.r2, w));
  out.r4 = clamp_radius(radii.r4, std::min(h - out.r1, w - out.r3));
  return out;
}

GpPath* make_roundrect_path(float x, float y, float w, float h, corner_radii radii) {
  if (!(w > 0) || !(h > 0)) return nullptr;
  const corner_radii r = clamp_corner_radii(w, h, radii);
  GpPath* path = nullptr;
  if (GdipCreatePath(FillModeAlternate, &path) != Ok) return nullptr;
  // Clockwise from the top-left corner's end; zero-length edges and
  // zero-radius corners are left out.
  const auto edge = [path](float x1, float y1, float x2, float y2, float length) {
    if (length > 0) GdipAddPathLine(path, x1, y1, x2, y2);
  };
  const auto corner = [path](float left, float top, float radius, float start) {
    if (radius > 0) GdipAddPathArc(path, left, top, radius + radius, radius + radius, start, 90);
  };
  edge(x + r.r1, y, x + w - r.r2, y, w - r.r1 - r.r2);
  corner(x + w - 2 * r.r2, y, r.r2, 270);
  edge(x + w, y + r.r2, x + w, y + h - r.r3, h - r.r2 - r.r3);
  corner(x + w - 2 * r.r3, y + h - 2 * r.r3, r.r3, 0);
  edge(x + w - r.r3, y + h, x + r.r4, y + h, w - r.r3 - r.r4);
  corner(x, y + h - 2 * r.r4, r.r4, 90);
  edge(x, y + h - r.r4, x, y + r.r1, h - r.r4 - r.r1);
  corner(x, y, r.r1, 180);
  GdipClosePathFigure(path);
  return path;
}

}  // namespace frond
