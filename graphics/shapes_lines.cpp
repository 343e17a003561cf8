// The current position and lines: moves and GDI lines with the image's pen,
// and the float lines written straight into the pixel buffer in the line
// colour, clipped to the viewport.
// Depends on: state (selectors, change counting), shapes.h. Does not blend.

#include <algorithm>
#include <cmath>

#include "graphics/shapes.h"
#include "graphics/state.h"

namespace frond {
namespace {

constexpr int kNoLineStyle = PS_NULL;

// The smallest integer not below v, for v >= 0.
int64_t ceil_up(double v) {
  int64_t c = int64_t(v + 0.9);
  if (double(c) < v) ++c;
  return c;
}

struct end_point {
  double x, y;
};

enum class end_tag { none, at_p, at_q };

// Cuts the segment p-q, whose p is not beyond q along `along`, to [lo, hi]
// on that axis; false when nothing is left. A cut end stops being the end point.
bool cut_axis(end_point& p, end_point& q, end_tag& end, double lo, double hi, double end_point::*along,
              double end_point::*across) {
  if (q.*along < lo || p.*along > hi) return false;
  if (p.*along < lo) {
    if (q.*along - p.*along < 0.001) return false;
    p.*across = q.*across + (p.*across - q.*across) * (q.*along - lo) / (q.*along - p.*along), p.*along = lo;
    if (end == end_tag::at_p) end = end_tag::none;
  }
  if (q.*along > hi) {
    if (q.*along - p.*along < 0.001) return false;
    q.*across = p.*across + (q.*across - p.*across) * (hi - p.*along) / (q.*along - p.*along), q.*along = hi;
    if (end == end_tag::at_q) end = end_tag::none;
  }
  return true;
}

// A one-pixel line from (x1, y1) to (x2, y2), viewport-relative, written
// in line_color. The end point keeps its value unless the line was cut
// short of it. Non-finite end points draw nothing; every write stays inside
// the viewport and the image.
void raster_line(IMAGE* img, double x1, double y1, double x2, double y2) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  const auto& vp = img->viewport;
  const double L = vp.left, T = vp.top;
  const double R = std::min(vp.right, img->width), B = std::min(vp.bottom, img->height);
  if (!(L < R && T < B)) return;
  x1 += L, y1 += T, x2 += L, y2 += T;
  if (x1 == x2 && y1 == y2) return;
  end_point p{x1, y1}, q{x2, y2};
  end_tag end = end_tag::at_q;
  if (x1 > x2) std::swap(p, q), end = end_tag::at_p;
  if (!cut_axis(p, q, end, L, R, &end_point::x, &end_point::y)) return;
  const auto swap_ends = [&] {
    std::swap(p, q);
    end = end == end_tag::at_p ? end_tag::at_q : end == end_tag::at_q ? end_tag::at_p : end_tag::none;
  };
  if (p.y > q.y) swap_ends();
  if (!cut_axis(p, q, end, T, B, &end_point::y, &end_point::x)) return;

  // Every coordinate now lies within the viewport's closed rectangle.
  const int64_t left = int64_t(L), top = int64_t(T), right = int64_t(R), bottom = int64_t(B);
  const auto inside = [&](int64_t c, int64_t r) { return c >= left && c < right && r >= top && r < bottom; };
  argb_color* const pixels = img->pixels;
  const size_t stride = size_t(img->width);
  const auto pixel = [&](int64_t c, int64_t r) -> argb_color& { return pixels[size_t(r) * stride + size_t(c)]; };
  int64_t end_c = 0, end_r = 0;
  argb_color saved = 0;
  const auto remember = [&] {
    if (end == end_tag::none) return;
    const end_point& e = end == end_tag::at_p ? p : q;
    end_c = int64_t(e.x), end_r = int64_t(e.y);
    if (inside(end_c, end_r)) saved = pixel(end_c, end_r); else end = end_tag::none;
  };
  remember();

  const argb_color color = img->line_color;
  double dx = q.x - p.x, dy = q.y - p.y;
  if (dy > std::fabs(dx)) {
    const int64_t r0 = ceil_up(p.y), r1 = std::min(int64_t(q.y), bottom - 1);
    if (q.y > double(r1)) end = end_tag::none;
    double x = p.x + (double(r0) - p.y) * dx / dy + 0.5;
    const double step = dx / dy;
    for (int64_t r = r0; r <= r1; ++r, x += step)
      if (inside(int64_t(x), r)) pixel(int64_t(x), r) = color;
  } else {
    if (p.x > q.x) swap_ends(), dx = q.x - p.x, dy = q.y - p.y;
    const int64_t c0 = ceil_up(p.x), c1 = std::min(int64_t(q.x), right - 1);
    if (q.x > double(c1)) end = end_tag::none;
    double y = p.y + (double(c0) - p.x) * dy / dx + 0.5;
    const double step = dy / dx;
    for (int64_t c = c0; c <= c1; ++c, y += step)
      if (inside(c, int64_t(y))) pixel(c, int64_t(y)) = color;
  }
  if (end != end_tag::none) pixel(end_c, end_r) = saved;
}

}  // namespace

void moveto(int x, int y, IMAGE* img) {
  if (HDC dc = shape_dc(img)) MoveToEx(dc, x, y, nullptr);
}

void moverel(int dx, int dy, IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc == nullptr) return;
  const POINT p = current_position(dc);
  MoveToEx(dc, clamp_int(int64_t{p.x} + dx), clamp_int(int64_t{p.y} + dy), nullptr);
}

void line(int x1, int y1, int x2, int y2, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr || image->dc == nullptr || image->line_style == kNoLineStyle) return;
  MoveToEx(image->dc, x1, y1, nullptr);
  LineTo(image->dc, x2, y2);
  MoveToEx(image->dc, x1, y1, nullptr);
}

namespace {

void line_to(IMAGE* image, int x, int y) {
  if (image->line_style == kNoLineStyle)
    MoveToEx(image->dc, x, y, nullptr);
  else
    LineTo(image->dc, x, y);
}

}  // namespace

void lineto(int x, int y, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image != nullptr && image->dc != nullptr) line_to(image, x, y);
}

void linerel(int dx, int dy, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr || image->dc == nullptr) return;
  const POINT p = current_position(image->dc);
  line_to(image, clamp_int(int64_t{p.x} + dx), clamp_int(int64_t{p.y} + dy));
}

void line_f(float x1, float y1, float x2, float y2, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image != nullptr) raster_line(image, x1, y1, x2, y2);
}

namespace {

// A coordinate rounded to the nearest integer, halves away from zero, in the int range.
int round_to_int(double v) { return clamp_int(std::llround(std::clamp(v, -4e18, 4e18))); }

void line_to_f(IMAGE* image, double x, double y) {
  if (image->dc == nullptr || !std::isfinite(x) || !std::isfinite(y)) return;
  const POINT p = current_position(image->dc);
  raster_line(image, p.x, p.y, x, y);
  MoveToEx(image->dc, round_to_int(x), round_to_int(y), nullptr);
}

}  // namespace

void lineto_f(float x, float y, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image != nullptr) line_to_f(image, x, y);
}

void linerel_f(float dx, float dy, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr || image->dc == nullptr) return;
  const POINT p = current_position(image->dc);
  line_to_f(image, double(p.x) + dx, double(p.y) + dy);
}

}  // namespace frond
