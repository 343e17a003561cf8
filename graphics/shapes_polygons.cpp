// Rectangles, rounded rectangles, three-dimensional bars, polylines,
// polygons, Bezier curves, the gradient triangle strip and flood fills,
// through the platform's shape calls with the image's pen and brush.
// Depends on: shapes.h (DC, variants), state (selectors, change counting),
// system libraries (GradientFill).

#include <cmath>
#include <vector>

#include "graphics/shapes.h"
#include "graphics/state.h"
#include "graphics/system_libraries.h"

namespace frond {
namespace {

// Point arrays are (x, y) pairs of int32: the platform's POINT layout.
static_assert(sizeof(POINT) == 2 * sizeof(int32_t), "POINT is two int32");
const POINT* as_points(const int* points) { return reinterpret_cast<const POINT*>(points); }

void draw_rectangle(int left, int top, int right, int bottom, shape_variant variant, IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc == nullptr) return;
  draw_variant(dc, variant, [&] { Rectangle(dc, left, top, right, bottom); });
}

void draw_roundrect(int left, int top, int right, int bottom, int xradius, int yradius, shape_variant variant,
                    IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc == nullptr) return;
  const int width = clamp_int(2 * int64_t{xradius}), height = clamp_int(2 * int64_t{yradius});
  draw_variant(dc, variant, [&] { RoundRect(dc, left, top, right, bottom, width, height); });
}

void draw_polygon(int numpoints, const int* points, shape_variant variant, IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc == nullptr || points == nullptr || numpoints < 2) return;
  draw_variant(dc, variant, [&] { Polygon(dc, as_points(points), numpoints); });
}

}  // namespace

// The hollow brush is the call's own, selected only for its duration.
void rectangle(int left, int top, int right, int bottom, IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc == nullptr) return;
  const LOGBRUSH hollow = {BS_NULL, 0, 0};
  HBRUSH brush = CreateBrushIndirect(&hollow);
  if (brush == nullptr) return;
  HGDIOBJ previous = SelectObject(dc, brush);
  Rectangle(dc, left, top, right, bottom);
  SelectObject(dc, previous);
  DeleteObject(brush);
}

void fillrect(int left, int top, int right, int bottom, IMAGE* img) {
  draw_rectangle(left, top, right, bottom, shape_variant::outline_and_fill, img);
}

void solidrect(int left, int top, int right, int bottom, IMAGE* img) {
  draw_rectangle(left, top, right, bottom, shape_variant::fill_only, img);
}

void bar(int left, int top, int right, int bottom, IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc == nullptr) return;
  const RECT r = {left, top, right, bottom};
  FillRect(dc, &r, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
}

void roundrect(int left, int top, int right, int bottom, int xradius, int yradius, IMAGE* img) {
  draw_roundrect(left, top, right, bottom, xradius, yradius, shape_variant::outline_only, img);
}

void roundrect(int left, int top, int right, int bottom, int radius, IMAGE* img) {
  roundrect(left, top, right, bottom, radius, radius, img);
}

void fillroundrect(int left, int top, int right, int bottom, int xradius, int yradius, IMAGE* img) {
  draw_roundrect(left, top, right, bottom, xradius, yradius, shape_variant::outline_and_fill, img);
}

void fillroundrect(int left, int top, int right, int bottom, int radius, IMAGE* img) {
  fillroundrect(left, top, right, bottom, radius, radius, img);
}

void solidroundrect(int left, int top, int right, int bottom, int xradius, int yradius, IMAGE* img) {
  draw_roundrect(left, top, right, bottom, xradius, yradius, shape_variant::fill_only, img);
}

void solidroundrect(int left, int top, int right, int bottom, int radius, IMAGE* img) {
  solidroundrect(left, top, right, bottom, radius, radius, img);
}

void bar3d(int left, int top, int right, int bottom, int depth, int topflag, IMAGE* img) {
  const int r = clamp_int(int64_t{right} - 1), b = clamp_int(int64_t{bottom} - 1);
  const int rd = clamp_int(int64_t{r} + depth), bd = clamp_int(int64_t{b} - depth);
  const int td = clamp_int(int64_t{top} - depth), ld = clamp_int(int64_t{left} + depth);
  bar(left, top, r, b, img);
  const int outline[] = {r, b, r, top, left, top, left, b, r, b, rd, bd, rd, td, ld, td, left, top};
  drawpoly(topflag ? 9 : 7, outline, img);
  if (topflag) line(r, top, rd, td, img);
}

void drawpoly(int numpoints, const int* points, IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc == nullptr || points == nullptr || numpoints < 2) return;
  const int last = 2 * (numpoints - 1);
  if (numpoints > 3 && points[0] == points[last] && points[1] == points[last + 1]) {
    draw_variant(dc, shape_variant::outline_only, [&] { Polygon(dc, as_points(points), numpoints - 1); });
  } else {
    Polyline(dc, as_points(points), numpoints);
  }
}

void polyline(int numpoints, const int* points, IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc != nullptr && points != nullptr && numpoints >= 2) Polyline(dc, as_points(points), numpoints);
}

void polygon(int numpoints, const int* points, IMAGE* img) {
  draw_polygon(numpoints, points, shape_variant::outline_only, img);
}

void fillpoly(int numpoints, const int* points, IMAGE* img) {
  draw_polygon(numpoints, points, shape_variant::outline_and_fill, img);
}

void solidpoly(int numpoints, const int* points, IMAGE* img) {
  draw_polygon(numpoints, points, shape_variant::fill_only, img);
}

void drawlines(int numlines, const int* points, IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc == nullptr || points == nullptr || numlines < 1) return;
  try {
    const std::vector<DWORD> counts(size_t(numlines), 2);
    PolyPolyline(dc, as_points(points), counts.data(), DWORD(numlines));
  } catch (const std::bad_alloc&) {
  }
}

void drawbezier(int numpoints, const int* points, IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc == nullptr || points == nullptr || numpoints < 1) return;
  const int count = numpoints - (numpoints + 2) % 3;  // the largest 3k + 1 not above numpoints
  PolyBezier(dc, as_points(points), DWORD(count));
}

void fillpoly_gradient(int numpoints, const gradient_point* points, IMAGE* img) {
  if (numpoints <= 2 || points == nullptr) return;
  HDC dc = shape_dc(img);
  if (dc == nullptr) return;
  try {
    std::vector<TRIVERTEX> vertices(static_cast<size_t>(numpoints));
    for (int i = 0; i < numpoints; ++i) {
      const gradient_point& p = points[i];
      int x = 0, y = 0;
      if (!truncate_to_int(p.x, &x) || !truncate_to_int(p.y, &y)) return;
      vertices[size_t(i)] = TRIVERTEX{x, y, COLOR16(((p.color >> 16) & 0xFF) << 8), COLOR16(((p.color >> 8) & 0xFF) << 8),
                                      COLOR16((p.color & 0xFF) << 8), 0};
    }
    std::vector<GRADIENT_TRIANGLE> strip(static_cast<size_t>(numpoints) - 2);
    for (size_t i = 0; i < strip.size(); ++i) strip[i] = GRADIENT_TRIANGLE{ULONG(i), ULONG(i + 1), ULONG(i + 2)};
    dll_GradientFill(dc, vertices.data(), ULONG(numpoints), strip.data(), ULONG(strip.size()), GRADIENT_FILL_TRIANGLE);
  } catch (const std::bad_alloc&) {
  }
}

void floodfill(int x, int y, argb_color border, IMAGE* img) {
  if (HDC dc = shape_dc(img)) FloodFill(dc, x, y, to_gdi_color(border));
}

void floodfillsurface(int x, int y, argb_color areacolor, IMAGE* img) {
  if (HDC dc = shape_dc(img)) ExtFloodFill(dc, x, y, to_gdi_color(areacolor), FLOODFILLSURFACE);
}

}  // namespace frond
