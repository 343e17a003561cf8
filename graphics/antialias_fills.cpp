// GDI+ fills with the image's fill brush (its pattern when one is set, else a
// solid brush of the fill colour kept for later fills): rectangles, polygons,
// closed curves, ellipses, circles, pies and rounded rectangles, one GDI+
// call each. Depends on: antialias.h (shared steps), images.

#include "graphics/antialias.h"

using namespace Gdiplus;

namespace frond {

void frond_fillrect(float x, float y, float w, float h, IMAGE* img) {
  fill_on(resolve_image_counting(img),
          [&](GpGraphics* g, GpBrush* brush) { return GdipFillRectangle(g, brush, x, y, w, h); });
}

void frond_fillpoly(int numpoints, const frond_point* points, IMAGE* img) {
  fill_on(resolve_image_counting(img), [&](GpGraphics* g, GpBrush* brush) {
    return GdipFillPolygon(g, brush, to_gdip_points(numpoints, points).data(), numpoints, FillModeAlternate);
  });
}

void frond_fillclosedcurve(int numpoints, const frond_point* points, IMAGE* img) {
  fill_on(resolve_image_counting(img), [&](GpGraphics* g, GpBrush* brush) {
    return GdipFillClosedCurve(g, brush, to_gdip_points(numpoints, points).data(), numpoints);
  });
}

void frond_fillclosedcurve(int numpoints, const frond_point* points, float tension, IMAGE* img) {
  fill_on(resolve_image_counting(img), [&](GpGraphics* g, GpBrush* brush) {
    return GdipFillClosedCurve2(g, brush, to_gdip_points(numpoints, points).data(), numpoints, tension,
                                FillModeAlternate);
  });
}

void frond_fillellipse(float x, float y, float w, float h, IMAGE* img) {
  fill_on(resolve_image_counting(img),
          [&](GpGraphics* g, GpBrush* brush) { return GdipFillEllipse(g, brush, x, y, w, h); });
}

void frond_fillcircle(float x, float y, float r, IMAGE* img) { frond_fillellipse(x - r, y - r, r + r, r + r, img); }

void frond_fillpie(float x, float y, float w, float h, float startAngle, float sweepAngle, IMAGE* img) {
  fill_on(resolve_image_counting(img), [&](GpGraphics* g, GpBrush* brush) {
    return GdipFillPie(g, brush, x, y, w, h, startAngle, sweepAngle);
  });
}

void frond_fillroundrect(float x, float y, float w, float h, float r1, float r2, float r3, float r4, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  GpPath* path = image ? make_roundrect_path(x, y, w, h, {r1, r2, r3, r4}) : nullptr;
  if (path == nullptr) return;
  fill_on(image, [path](GpGraphics* g, GpBrush* brush) { return GdipFillPath(g, brush, path); });
  GdipDeletePath(path);
}

void frond_fillroundrect(float x, float y, float w, float h, float radius) {
  frond_fillroundrect(x, y, w, h, radius, radius, radius, radius, nullptr);
}

}  // namespace frond
