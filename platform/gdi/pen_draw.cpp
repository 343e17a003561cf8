// Pens along figures: cosmetic through the line walker, geometric through
// the GDI+ stroker and the aliased scan converter.
// Depends on: line_walker, pen_shape, shape_target, gdiplus (path, pen, stroke, raster). Fills no shape
// interiors.
#include "gdi/pen_draw.h"

#include <algorithm>
#include <cmath>

#include "gdi/line_walker.h"
#include "gdiplus/path.h"
#include "gdiplus/pen.h"
#include "gdiplus/stroke.h"

namespace platform::gdi {
namespace {

using Gdiplus::GpPointF;
using Gdiplus::REAL;

// Writes line pixels: the pen on "on" positions, the background ink on gaps.
struct PixelWriter {
  const ShapeTarget& target;
  ShapeMask* mask;
  const StyleCursor* style;

  void operator()(int64_t x, int64_t y, uint64_t index) const {
    const bool on = style == nullptr || style->on(index);
    if (mask) {
      if (on) mask->mark(x, y, ShapeMask::kPen);
      return;
    }
    const Ink& ink = on ? target.pen : target.background;
    if (target.surface.bits_per_pixel == 32) {
      uint32_t* p = target.surface.row32(int(y)) + x;
      *p = ink.apply(*p);
    } else {
      target.span(y, x, x + 1, ink);
    }
  }
};

// Pieces of `figure` where the style is on, each an open figure.
std::vector<Figure> dash_pieces(const Figure& figure, const std::vector<double>& runs) {
  std::vector<FloatPoint> path = figure.points;
  if (figure.closed && !path.empty()) path.push_back(path.front());
  std::vector<Figure> out;
  if (path.empty()) return out;
  size_t run = 0;
  double left = runs[0];  // length left in the current run
  bool on = true;         // runs start with a drawn one
  out.push_back(Figure{{path[0]}, false});
  for (size_t i = 1; i < path.size(); ++i) {
    FloatPoint a = path[i - 1];
    const FloatPoint b = path[i];
    double length = std::hypot(b.x - a.x, b.y - a.y);
    while (length > 0) {
      const double step = std::min(length, left);
      const double f = step / length;
      a = FloatPoint{a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
      length -= step;
      left -= step;
      if (on) out.back().points.push_back(a);
      if (left <= 0) {
        run = (run + 1) % runs.size();
        left = runs[run];
        on = run % 2 == 0;
        if (on) out.push_back(Figure{{a}, false});
      }
    }
  }
  out.erase(std::remove_if(out.begin(), out.end(), [](const Figure& f) { return f.points.size() < 2; }), out.end());
  return out;
}

Gdiplus::LineCap gdiplus_cap(PenCap cap) {
  return cap == PenCap::flat ? Gdiplus::LineCapFlat : cap == PenCap::square ? Gdiplus::LineCapSquare
                                                                            : Gdiplus::LineCapRound;
}

Gdiplus::LineJoin gdiplus_join(PenJoin join) {
  // GDI bevels a miter that passes the limit.
  return join == PenJoin::miter ? Gdiplus::LineJoinMiterClipped
                                : join == PenJoin::bevel ? Gdiplus::LineJoinBevel : Gdiplus::LineJoinRound;
}

// The pen's outline in device coordinates, shifted so that pixel centres
// (integer GDI coordinates) sit at the scan converter's half-pixel centres.
std::vector<Gdiplus::render::Contour> pen_outline(const PenShape& pen, float miter_limit,
                                                  const std::vector<Figure>& figures, POINT origin) {
  Gdiplus::GpPath path(Gdiplus::FillModeWinding);
  std::vector<Figure> pieces;
  for (const Figure& figure : figures) {
    if (pen.styled()) {
      for (Figure& piece : dash_pieces(figure, pen.runs)) pieces.push_back(std::move(piece));
    } else {
      pieces.push_back(figure);
    }
  }
  const double dx = origin.x + 0.5, dy = origin.y + 0.5;
  std::vector<GpPointF> points;
  for (const Figure& piece : pieces) {
    points.clear();
    for (const FloatPoint& p : piece.points) points.push_back(GpPointF{REAL(p.x + dx), REAL(p.y + dy)});
    if (points.empty()) continue;
    if (points.size() == 1) points.push_back(points[0]);
    path.start_figure();
    path.add_lines(points.data(), points.size());
    if (piece.closed) path.close_figure();
  }
  Gdiplus::GpPen gp_pen(0xFF000000u, REAL(pen.width), Gdiplus::UnitPixel);
  gp_pen.start_cap = gp_pen.end_cap = gdiplus_cap(pen.cap);
  gp_pen.line_join = gdiplus_join(pen.join);
  gp_pen.miter_limit = miter_limit;
  return Gdiplus::render::stroke_outline(path, gp_pen, Gdiplus::GpMatrix());
}

}  // namespace

void ShapeSpans::span(int y, int x, int len, const uint8_t*, uint8_t) {
  if (mask_)
    mask_->mark(y, x, int64_t(x) + len, what_);
  else if (what_ == ShapeMask::kPen)
    target_.span(y, x, int64_t(x) + len, target_.pen);
  else
    target_.span(y, x, int64_t(x) + len, target_.brush);
}

void draw_cosmetic(const ShapeTarget& target, const PenShape& pen, const POINT* points, size_t count, bool closed,
                   ShapeMask* mask) {
  if (pen.null || count < 2) return;
  const StyleCursor cursor(pen.styled() ? pen.runs : std::vector<double>{});
  const PixelWriter write{target, mask, pen.styled() ? &cursor : nullptr};
  const bool copy_only = !mask && !pen.styled() && target.pen.is_copy() && target.surface.bits_per_pixel == 32;
  const size_t segments = closed ? count : count - 1;
  uint64_t offset = 0;  // the style runs on along the figure
  for (size_t i = 0; i < segments; ++i) {
    const POINT& a = points[i];
    const POINT& b = points[(i + 1) % count];
    const int64_t x0 = int64_t{a.x} + target.origin.x, y0 = int64_t{a.y} + target.origin.y;
    const int64_t x1 = int64_t{b.x} + target.origin.x, y1 = int64_t{b.y} + target.origin.y;
    if (copy_only) {  // the common case: stores only, no reads of the destination
      uint8_t* const bits = target.surface.bits;
      const ptrdiff_t stride = target.surface.stride;
      const uint32_t word = target.pen.xor_mask;
      const auto store = [bits, stride, word](int64_t x, int64_t y, int64_t) {
        reinterpret_cast<uint32_t*>(bits + stride * y)[x] = word;
      };
      for (const RECT& c : target.clip) walk_line(x0, y0, x1, y1, c, store);
    } else {
      const auto plot = [&write, offset](int64_t x, int64_t y, int64_t index) { write(x, y, offset + uint64_t(index)); };
      for (const RECT& c : target.clip) walk_line(x0, y0, x1, y1, c, plot);
    }
    offset += uint64_t(std::max(std::llabs(x1 - x0), std::llabs(y1 - y0)));
  }
}

RECT geometric_bounds(const PenShape& pen, float miter_limit, const std::vector<Figure>& figures, POINT origin) {
  double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
  for (const Figure& f : figures) {
    for (const FloatPoint& p : f.points) {
      x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
  }
  if (!(x0 <= x1)) return RECT{0, 0, 0, 0};
  const double reach = pen.width * std::max(1.0, double(miter_limit)) + 2;
  const auto clamp = [](double v) { return LONG(std::clamp(v, double(INT32_MIN), double(INT32_MAX))); };
  return RECT{clamp(std::floor(x0 - reach) + origin.x), clamp(std::floor(y0 - reach) + origin.y),
              clamp(std::ceil(x1 + reach) + origin.x), clamp(std::ceil(y1 + reach) + origin.y)};
}

void draw_geometric(const ShapeTarget& target, const PenShape& pen, float miter_limit,
                    const std::vector<Figure>& figures, ShapeMask* mask) {
  if (pen.null || figures.empty()) return;
  const auto contours = pen_outline(pen, miter_limit, figures, target.origin);
  const RECT& b = target.box;
  Gdiplus::render::Rasterizer raster(false, Gdiplus::FillModeWinding,
                                     Gdiplus::render::PixelBox{int(b.left), int(b.top), int(b.right), int(b.bottom)});
  raster.add(contours);
  ShapeSpans sink(target, mask, ShapeMask::kPen);
  raster.sweep(sink);
}

}  // namespace platform::gdi
