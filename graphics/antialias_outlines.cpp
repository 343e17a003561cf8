// GDI+ outlines with the image's pen: lines, polylines, polygons, cardinal
// splines, Bezier curves, rectangles, ellipses, circles, arcs, pies and
// rounded rectangles, one GDI+ call each. Line style 5 hides all of them but
// the rounded rectangle. Depends on: antialias.h (shared steps), images.

#include "graphics/antialias.h"

using namespace Gdiplus;

namespace frond {

void frond_line(float x1, float y1, float x2, float y2, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) { return GdipDrawLine(g, pen, x1, y1, x2, y2); });
}

void frond_polyline(int numpoints, const frond_point* points, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) {
    return GdipDrawLines(g, pen, to_gdip_points(numpoints, points).data(), numpoints);
  });
}

void frond_polygon(int numpoints, const frond_point* points, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) {
    return GdipDrawPolygon(g, pen, to_gdip_points(numpoints, points).data(), numpoints);
  });
}

void frond_drawpoly(int numpoints, const frond_point* points, IMAGE* img) {
  if (points != nullptr && numpoints > 3 && points[numpoints - 1].x == points[0].x &&
      points[numpoints - 1].y == points[0].y) {
    frond_polygon(numpoints - 1, points, img);
    return;
  }
  frond_polyline(numpoints, points, img);
}

void frond_drawcurve(int numpoints, const frond_point* points, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) {
    return GdipDrawCurve(g, pen, to_gdip_points(numpoints, points).data(), numpoints);
  });
}

void frond_drawcurve(int numpoints, const frond_point* points, float tension, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) {
    return GdipDrawCurve2(g, pen, to_gdip_points(numpoints, points).data(), numpoints, tension);
  });
}

void frond_drawclosedcurve(int numpoints, const frond_point* points, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) {
    return GdipDrawClosedCurve(g, pen, to_gdip_points(numpoints, points).data(), numpoints);
  });
}

void frond_drawclosedcurve(int numpoints, const frond_point* points, float tension, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) {
    return GdipDrawClosedCurve2(g, pen, to_gdip_points(numpoints, points).data(), numpoints, tension);
  });
}

void frond_bezier(int numpoints, const frond_point* points, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) {
    return GdipDrawBeziers(g, pen, to_gdip_points(numpoints, points).data(), numpoints);
  });
}

void frond_drawbezier(int numpoints, const frond_point* points, IMAGE* img) { frond_bezier(numpoints, points, img); }

void frond_rectangle(float x, float y, float w, float h, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) { return GdipDrawRectangle(g, pen, x, y, w, h); });
}

void frond_ellipse(float x, float y, float w, float h, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) { return GdipDrawEllipse(g, pen, x, y, w, h); });
}

void frond_circle(float x, float y, float r, IMAGE* img) { frond_ellipse(x - r, y - r, r + r, r + r, img); }

void frond_arc(float x, float y, float w, float h, float startAngle, float sweepAngle, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) {
    return GdipDrawArc(g, pen, x, y, w, h, startAngle, sweepAngle);
  });
}

void frond_pie(float x, float y, float w, float h, float startAngle, float sweepAngle, IMAGE* img) {
  stroke_on(outline_image(img), [&](GpGraphics* g, GpPen* pen) {
    return GdipDrawPie(g, pen, x, y, w, h, startAngle, sweepAngle);
  });
}

void frond_roundrect(float x, float y, float w, float h, float r1, float r2, float r3, float r4, IMAGE* img) {
  // Drawn whatever the line style: the pen itself stays solid for style 5.
  IMAGE* image = resolve_image_counting(img);
  GpPath* path = image ? make_roundrect_path(x, y, w, h, {r1, r2, r3, r4}) : nullptr;
  if (path == nullptr) return;
  stroke_on(image, [path](GpGraphics* g, GpPen* pen) { return GdipDrawPath(g, pen, path); });
  GdipDeletePath(path);
}

void frond_roundrect(float x, float y, float w, float h, float radius) {
  frond_roundrect(x, y, w, h, radius, radius, radius, radius, nullptr);
}

}  // namespace frond
