// Arcs, circles, ellipses and pies through the platform's Arc, Pie and
// Ellipse with the image's pen and brush. Boxes are worked out in 64 bits
// (float forms: single precision, non-finite values draw nothing) and cut to
// the int range.
// Depends on: shapes.h (DC, variants), state (selectors, change counting).

#include <cmath>

#include "graphics/shapes.h"

namespace frond {
namespace {

constexpr double kPi = 3.141592653589793;

enum class radial_rounding { truncate, nearest };

struct arc_box {
  int left, top, right, bottom;
};

// A box and the two radial points of an arc or pie.
struct arc_shape {
  arc_box box;
  int xs, ys, xe, ye;
};

int radial(double v, radial_rounding rounding) {
  int out = 0;
  truncate_to_int(rounding == radial_rounding::nearest ? std::round(v) : v, &out);
  return out;
}

arc_box int_box(int x, int y, int rx, int ry) {
  return arc_box{clamp_int(int64_t{x} - rx), clamp_int(int64_t{y} - ry), clamp_int(int64_t{x} + rx),
                 clamp_int(int64_t{y} + ry)};
}

// Single precision, truncated; false when a value is not finite.
bool float_box(float x, float y, float rx, float ry, arc_box* box) {
  return truncate_to_int(x - rx, &box->left) && truncate_to_int(y - ry, &box->top) &&
         truncate_to_int(x + rx, &box->right) && truncate_to_int(y + ry, &box->bottom);
}

arc_shape make_arc(const arc_box& box, double x, double y, double stangle, double endangle, double rx, double ry,
                   radial_rounding rounding) {
  const double a = stangle / 180 * kPi, b = endangle / 180 * kPi;
  return arc_shape{box, radial(x + rx * std::cos(a), rounding), radial(y - ry * std::sin(a), rounding),
                   radial(x + rx * std::cos(b), rounding), radial(y - ry * std::sin(b), rounding)};
}

bool finite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

void draw_arc(const arc_shape& s, IMAGE* img) {
  if (HDC dc = shape_dc(img)) {
    Arc(dc, s.box.left, s.box.top, s.box.right, s.box.bottom, s.xs, s.ys, s.xe, s.ye);
  }
}

void draw_pie(const arc_shape& s, shape_variant variant, IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc == nullptr) return;
  draw_variant(dc, variant, [&] { Pie(dc, s.box.left, s.box.top, s.box.right, s.box.bottom, s.xs, s.ys, s.xe, s.ye); });
}

void draw_ellipse(const arc_box& b, shape_variant variant, IMAGE* img) {
  HDC dc = shape_dc(img);
  if (dc == nullptr) return;
  draw_variant(dc, variant, [&] { Ellipse(dc, b.left, b.top, b.right, b.bottom); });
}

void int_pie(int x, int y, int stangle, int endangle, int rx, int ry, shape_variant variant, IMAGE* img) {
  draw_pie(make_arc(int_box(x, y, rx, ry), x, y, stangle, endangle, rx, ry, radial_rounding::nearest), variant, img);
}

void float_pie(float x, float y, float stangle, float endangle, float rx, float ry, shape_variant variant,
               IMAGE* img) {
  arc_box box{};
  if (!finite({x, y, stangle, endangle, rx, ry}) || !float_box(x, y, rx, ry, &box)) {
    shape_dc(img);  // still one change
    return;
  }
  draw_pie(make_arc(box, x, y, stangle, endangle, rx, ry, radial_rounding::nearest), variant, img);
}

void float_ellipse(float x, float y, float rx, float ry, shape_variant variant, IMAGE* img) {
  arc_box box{};
  if (!float_box(x, y, rx, ry, &box)) {
    shape_dc(img);
    return;
  }
  draw_ellipse(box, variant, img);
}

void float_arc(float x, float y, float stangle, float endangle, float rx, float ry, IMAGE* img) {
  arc_box box{};
  if (!finite({x, y, stangle, endangle, rx, ry}) || !float_box(x, y, rx, ry, &box)) {
    shape_dc(img);
    return;
  }
  draw_arc(make_arc(box, x, y, stangle, endangle, rx, ry, radial_rounding::truncate), img);
}

}  // namespace

void arc(int x, int y, int stangle, int endangle, int radius, IMAGE* img) {
  ellipse(x, y, stangle, endangle, radius, radius, img);
}

void arc_f(float x, float y, float stangle, float endangle, float radius, IMAGE* img) {
  float_arc(x, y, stangle, endangle, radius, radius, img);
}

void ellipse(int x, int y, int stangle, int endangle, int xradius, int yradius, IMAGE* img) {
  draw_arc(make_arc(int_box(x, y, xradius, yradius), x, y, stangle, endangle, xradius, yradius,
                    radial_rounding::truncate),
           img);
}

void ellipse_f(float x, float y, float stangle, float endangle, float xradius, float yradius, IMAGE* img) {
  float_arc(x, y, stangle, endangle, xradius, yradius, img);
}

void circle(int x, int y, int radius, IMAGE* img) {
  const arc_box box = int_box(x, y, radius, radius);
  const int xs = clamp_int(int64_t{x} + radius);
  draw_arc(arc_shape{box, xs, y, xs, y}, img);
}

void circle_f(float x, float y, float radius, IMAGE* img) {
  arc_box box{};
  int xs = 0, ys = 0;
  if (!float_box(x, y, radius, radius, &box) || !truncate_to_int(double(x) + radius, &xs) ||
      !truncate_to_int(y, &ys)) {
    shape_dc(img);
    return;
  }
  draw_arc(arc_shape{box, xs, ys, xs, ys}, img);
}

void fillpie(int x, int y, int stangle, int endangle, int xradius, int yradius, IMAGE* img) {
  int_pie(x, y, stangle, endangle, xradius, yradius, shape_variant::outline_and_fill, img);
}

void fillpie(int x, int y, int stangle, int endangle, int radius, IMAGE* img) {
  int_pie(x, y, stangle, endangle, radius, radius, shape_variant::outline_and_fill, img);
}

void sector(int x, int y, int stangle, int endangle, int xradius, int yradius, IMAGE* img) {
  fillpie(x, y, stangle, endangle, xradius, yradius, img);
}

void pie(int x, int y, int stangle, int endangle, int xradius, int yradius, IMAGE* img) {
  int_pie(x, y, stangle, endangle, xradius, yradius, shape_variant::outline_only, img);
}

void solidpie(int x, int y, int stangle, int endangle, int xradius, int yradius, IMAGE* img) {
  int_pie(x, y, stangle, endangle, xradius, yradius, shape_variant::fill_only, img);
}

void fillpie_f(float x, float y, float stangle, float endangle, float xradius, float yradius, IMAGE* img) {
  float_pie(x, y, stangle, endangle, xradius, yradius, shape_variant::outline_and_fill, img);
}

void fillpie_f(float x, float y, float stangle, float endangle, float radius, IMAGE* img) {
  float_pie(x, y, stangle, endangle, radius, radius, shape_variant::outline_and_fill, img);
}

void sector_f(float x, float y, float stangle, float endangle, float xradius, float yradius, IMAGE* img) {
  fillpie_f(x, y, stangle, endangle, xradius, yradius, img);
}

void pie_f(float x, float y, float stangle, float endangle, float xradius, float yradius, IMAGE* img) {
  float_pie(x, y, stangle, endangle, xradius, yradius, shape_variant::outline_only, img);
}

void solidpie_f(float x, float y, float stangle, float endangle, float xradius, float yradius, IMAGE* img) {
  float_pie(x, y, stangle, endangle, xradius, yradius, shape_variant::fill_only, img);
}

void fillellipse(int x, int y, int xradius, int yradius, IMAGE* img) {
  draw_ellipse(int_box(x, y, xradius, yradius), shape_variant::outline_and_fill, img);
}

void solidellipse(int x, int y, int xradius, int yradius, IMAGE* img) {
  draw_ellipse(int_box(x, y, xradius, yradius), shape_variant::fill_only, img);
}

void fillcircle(int x, int y, int radius, IMAGE* img) { fillellipse(x, y, radius, radius, img); }

void solidcircle(int x, int y, int radius, IMAGE* img) { solidellipse(x, y, radius, radius, img); }

void fillellipse_f(float x, float y, float xradius, float yradius, IMAGE* img) {
  float_ellipse(x, y, xradius, yradius, shape_variant::outline_and_fill, img);
}

void solidellipse_f(float x, float y, float xradius, float yradius, IMAGE* img) {
  float_ellipse(x, y, xradius, yradius, shape_variant::fill_only, img);
}

void fillcircle_f(float x, float y, float radius, IMAGE* img) { fillellipse_f(x, y, radius, radius, img); }

void solidcircle_f(float x, float y, float radius, IMAGE* img) { solidellipse_f(x, y, radius, radius, img); }

}  // namespace frond
