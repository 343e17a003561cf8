// Rectangle, Ellipse, RoundRect and Polygon: the brush inside, the pen on the
// outline, each pixel painted once. Row shapes with a solid cosmetic pen are
// painted row by row straight onto the target; wider or styled pens go
// through a mask, where the pen wins over the brush.
// Depends on: shape_call (shape_rows, pen_draw, ShapeMask). Does not draw arcs or pies (arcs.cpp).
#include <algorithm>
#include <cmath>

#include "gdi/shape_call.h"

using namespace platform::gdi;

namespace {

constexpr double kPi = 3.14159265358979323846;

// Points around an ellipse of centre (cx, cy) and radii (rx, ry), logical,
// from parametric angle a0 counter-clockwise (on screen) over `sweep`.
void add_elliptic_arc(double cx, double cy, double rx, double ry, double a0, double sweep,
                      std::vector<FloatPoint>& out) {
  const double r = std::max({rx, ry, 0.5});
  const double step = 2 * std::acos(std::max(-1.0, 1 - 0.25 / r));
  const int n = int(std::clamp(std::ceil(std::fabs(sweep) / step), 4.0, 4096.0));
  for (int i = 0; i <= n; ++i) {
    const double a = a0 + sweep * i / n;
    out.push_back(FloatPoint{cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
}

// The pen's path around a row shape whose outline pixels span the logical
// box [l, r] x [t, b] (both edges included), corners of radii (rx, ry).
Figure round_figure(double l, double t, double r, double b, double rx, double ry) {
  Figure f;
  f.closed = true;
  rx = std::min(rx, (r - l) / 2), ry = std::min(ry, (b - t) / 2);
  if (rx <= 0 || ry <= 0) {
    f.points = {{l, t}, {r, t}, {r, b}, {l, b}};
    return f;
  }
  add_elliptic_arc(r - rx, t + ry, rx, ry, 0, kPi / 2, f.points);
  add_elliptic_arc(l + rx, t + ry, rx, ry, kPi / 2, kPi / 2, f.points);
  add_elliptic_arc(l + rx, b - ry, rx, ry, kPi, kPi / 2, f.points);
  add_elliptic_arc(r - rx, b - ry, rx, ry, 3 * kPi / 2, kPi / 2, f.points);
  return f;
}

// Rows of `box` within the target's rows.
template <class Row>
void for_rows(const ShapeCall& call, const RoundBox& box, Row row) {
  const int64_t y0 = std::max<int64_t>(box.top, call.target.box.top);
  const int64_t y1 = std::min<int64_t>(box.bottom, call.target.box.bottom);
  for (int64_t y = y0; y < y1; ++y) row(y);
}

void fill_rows(const ShapeCall& call, const RoundBox& box) {
  for_rows(call, box, [&](int64_t y) {
    const RowSpan s = box.row(y);
    call.target.span(y, s.left, s.right + 1, call.target.brush);
  });
}

// A rectangle, ellipse or rounded rectangle in the logical box; corner
// sizes of 0 for a rectangle, the box's size for an ellipse.
BOOL draw_row_shape(HDC dc, int left, int top, int right, int bottom, int64_t corner_w, int64_t corner_h,
                    bool ellipse) {
  ShapeCall call;
  if (!begin_shape(dc, &call)) return FALSE;
  if (!call.drawable) return TRUE;
  RoundBox box = device_box(call, left, top, right, bottom);
  if (call.pen.null) {  // the right and bottom edges the pen would have drawn are left out too
    --box.right, --box.bottom;
    if (ellipse) box.corner_w = box.right - box.left, box.corner_h = box.bottom - box.top;
    else box.corner_w = corner_w, box.corner_h = corner_h;
    fill_rows(call, box);
    return TRUE;
  }
  box.corner_w = ellipse ? box.right - box.left : corner_w;
  box.corner_h = ellipse ? box.bottom - box.top : corner_h;
  if (box.empty()) return TRUE;
  const ShapeTarget& t = call.target;
  if (!call.pen.geometric && !call.pen.styled()) {
    for_rows(call, box, [&](int64_t y) {
      const RowParts p = row_parts(box, y);
      if (p.left_end >= p.right_start) {
        t.span(y, p.span.left, p.span.right + 1, t.pen);
        return;
      }
      t.span(y, p.span.left, p.left_end + 1, t.pen);
      t.span(y, p.left_end + 1, p.right_start, t.brush);
      t.span(y, p.right_start, p.span.right + 1, t.pen);
    });
    return TRUE;
  }
  const double ox = t.origin.x, oy = t.origin.y;
  const double l = double(box.left) - ox, tp = double(box.top) - oy;
  const double r = double(box.right - 1) - ox, b = double(box.bottom - 1) - oy;
  const Figure outline = round_figure(l, tp, r, b, (double(box.corner_w) - 1) / 2, (double(box.corner_h) - 1) / 2);
  const RECT reach = geometric_bounds(call.pen, call.dc->miter_limit, {outline}, t.origin);
  ShapeMask mask(t, std::min<int64_t>(reach.left, box.left), std::min<int64_t>(reach.top, box.top),
                 std::max<int64_t>(reach.right, box.right), std::max<int64_t>(reach.bottom, box.bottom));
  for_rows(call, box, [&](int64_t y) {
    const RowSpan s = box.row(y);
    mask.mark(y, s.left, s.right + 1, ShapeMask::kBrush);
  });
  draw_pen(call, outline, &mask);
  mask.paint(t);
  return TRUE;
}

int64_t corner(int size) { return std::llabs(int64_t{size}); }

}  // namespace

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  return draw_row_shape(dc, left, top, right, bottom, 0, 0, false);
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  return draw_row_shape(dc, left, top, right, bottom, 0, 0, true);
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height) {
  return draw_row_shape(dc, left, top, right, bottom, corner(width), corner(height), false);
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  ShapeCall call;
  if (!begin_shape(dc, &call) || points == nullptr || count < 2) return FALSE;
  if (!call.drawable) return TRUE;
  const ShapeTarget& t = call.target;
  // Pixel centres (integer coordinates) at the scan converter's half-pixel centres.
  Gdiplus::render::Contour contour;
  Figure outline;
  outline.closed = true;
  int64_t x0 = INT64_MAX, y0 = INT64_MAX, x1 = INT64_MIN, y1 = INT64_MIN;
  for (int i = 0; i < count; ++i) {
    const int64_t x = int64_t{points[i].x} + t.origin.x, y = int64_t{points[i].y} + t.origin.y;
    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    contour.push_back(Gdiplus::GpPointF{Gdiplus::REAL(double(x) + 0.5), Gdiplus::REAL(double(y) + 0.5)});
    outline.points.push_back(FloatPoint{double(points[i].x), double(points[i].y)});
  }
  const RECT& b = t.box;
  Gdiplus::render::Rasterizer raster(false, Gdiplus::FillModeAlternate,
                                     Gdiplus::render::PixelBox{int(b.left), int(b.top), int(b.right), int(b.bottom)});
  raster.add(contour);
  if (call.pen.null) {
    ShapeSpans direct(t, nullptr, ShapeMask::kBrush);
    raster.sweep(direct);
    return TRUE;
  }
  const RECT reach = call.pen.geometric ? geometric_bounds(call.pen, call.dc->miter_limit, {outline}, t.origin)
                                        : RECT{LONG(std::max<int64_t>(x0, INT32_MIN)), LONG(std::max<int64_t>(y0, INT32_MIN)),
                                               LONG(std::min<int64_t>(x1 + 1, INT32_MAX)), LONG(std::min<int64_t>(y1 + 1, INT32_MAX))};
  ShapeMask mask(t, reach.left, reach.top, reach.right, reach.bottom);
  ShapeSpans into_mask(t, &mask, ShapeMask::kBrush);
  raster.sweep(into_mask);
  if (call.pen.geometric)
    draw_geometric(t, call.pen, call.dc->miter_limit, {outline}, &mask);
  else
    draw_cosmetic(t, call.pen, points, size_t(count), true, &mask);
  mask.paint(t);
  return TRUE;
}
