// Outline flattening. Each curve becomes enough straight segments that none
// strays more than about a tenth of a pixel from the curve.
// Depends on: FreeType's outline decomposition. Fills nothing.
#include "fonts/outline.h"

#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>

namespace platform::fonts {
namespace {

using Point = Outline::Point;

constexpr double kTolerance = 0.1;  // pixels
constexpr int kMaxSegments = 64;

Point point(const FT_Vector* v) { return {v->x / 64.0, v->y / 64.0}; }

// Segments for a curve whose control polygon bulges by `deviation` pixels.
int segments(double deviation) {
  return std::clamp(static_cast<int>(std::ceil(std::sqrt(deviation / kTolerance))), 1, kMaxSegments);
}

double distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

struct Walker {
  Outline* out;
  Point pen{0, 0};

  std::vector<Point>& contour() { return out->contours.back(); }

  static int move_to(const FT_Vector* to, void* self) {
    auto* w = static_cast<Walker*>(self);
    w->out->contours.emplace_back();
    w->pen = point(to);
    w->contour().push_back(w->pen);
    return 0;
  }
  static int line_to(const FT_Vector* to, void* self) {
    auto* w = static_cast<Walker*>(self);
    w->pen = point(to);
    w->contour().push_back(w->pen);
    return 0;
  }
  static int conic_to(const FT_Vector* control, const FT_Vector* to, void* self) {
    auto* w = static_cast<Walker*>(self);
    const Point p0 = w->pen, p1 = point(control), p2 = point(to);
    const int n = segments(distance(p1, {(p0.x + p2.x) / 2, (p0.y + p2.y) / 2}) / 2);
    for (int i = 1; i <= n; ++i) {
      const double t = double(i) / n, u = 1 - t;
      w->contour().push_back({u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
    }
    w->pen = p2;
    return 0;
  }
  static int cubic_to(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* self) {
    auto* w = static_cast<Walker*>(self);
    const Point p0 = w->pen, p1 = point(c1), p2 = point(c2), p3 = point(to);
    const Point chord_a{(2 * p0.x + p3.x) / 3, (2 * p0.y + p3.y) / 3}, chord_b{(p0.x + 2 * p3.x) / 3, (p0.y + 2 * p3.y) / 3};
    const int n = segments(std::max(distance(p1, chord_a), distance(p2, chord_b)) * 0.75);
    for (int i = 1; i <= n; ++i) {
      const double t = double(i) / n, u = 1 - t;
      const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
      w->contour().push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
    w->pen = p3;
    return 0;
  }
};

}  // namespace

bool flatten_outline(const FT_Outline& outline, Outline* out) {
  const FT_Outline_Funcs funcs{&Walker::move_to, &Walker::line_to, &Walker::conic_to, &Walker::cubic_to, 0, 0};
  Walker walker{out};
  FT_Outline copy = outline;  // FT_Outline_Decompose takes a non-const outline but only reads it
  return FT_Outline_Decompose(&copy, &funcs, &walker) == 0;
}

}  // namespace platform::fonts
