// Scan conversion: AGG's rasteriser for anti-aliased coverage, and a point
// sampler over an edge table for all-or-nothing coverage.
// Depends on: AGG's rasteriser and scanline. Colours and composites nothing (canvas).
#include "gdiplus/raster.h"

#include <agg_rasterizer_scanline_aa.h>
#include <agg_scanline_p.h>

#include <algorithm>
#include <cmath>

namespace Gdiplus::render {

int first_centre(double edge, int lo, int hi) {
  const double index = std::ceil(edge - 0.5);
  if (!(index > lo)) return lo;  // also for NaN
  if (index > hi) return hi;
  return int(index);
}

PixelBox PixelBox::intersect(const PixelBox& other) const {
  return PixelBox{std::max(x0, other.x0), std::max(y0, other.y0), std::min(x1, other.x1), std::min(y1, other.y1)};
}

CoverageBuffer::CoverageBuffer(const PixelBox& box_)
    : box(box_), bits(box_.empty() ? 0 : size_t(box_.x1 - box_.x0) * size_t(box_.y1 - box_.y0), 0) {}

void CoverageBuffer::span(int y, int x, int len, const uint8_t* covers, uint8_t cover) {
  uint8_t* out = bits.data() + size_t(y - box.y0) * size_t(box.x1 - box.x0) + (x - box.x0);
  if (covers)
    std::copy(covers, covers + len, out);
  else
    std::fill_n(out, len, cover);
}

namespace {

bool finite_point(const GpPointF& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

// A non-horizontal polygon edge, top end first; `winding` is +1 when it runs downwards.
struct Edge {
  double x0, y0, x1, y1;
  int winding;
  double x_at(double y) const { return x0 + (y - y0) * (x1 - x0) / (y1 - y0); }
};

struct Crossing {
  double x;
  int winding;
  bool operator<(const Crossing& other) const { return x < other.x; }
};

class PointSampler {
 public:
  PointSampler(FillMode rule, const PixelBox& box) : rule_(rule), box_(box) {}

  void add(const Contour& contour) {
    if (contour.size() < 2) return;
    for (size_t i = 0; i < contour.size(); ++i) {
      const GpPointF& a = contour[i];
      const GpPointF& b = contour[(i + 1) % contour.size()];
      if (!finite_point(a) || !finite_point(b) || a.Y == b.Y) continue;
      if (a.Y < b.Y)
        edges_.push_back(Edge{a.X, a.Y, b.X, b.Y, 1});
      else
        edges_.push_back(Edge{b.X, b.Y, a.X, a.Y, -1});
    }
  }

  void sweep(SpanSink& sink) {
    if (edges_.empty() || box_.empty()) return;
    std::sort(edges_.begin(), edges_.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
    double top = edges_.front().y0, bottom = edges_.front().y1;
    for (const Edge& e : edges_) bottom = std::max(bottom, e.y1);
    const int row0 = first_centre(top, box_.y0, box_.y1);
    const int row1 = first_centre(bottom, box_.y0, box_.y1);
    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    size_t next = 0;
    bool upright = false;  // every active edge is vertical: its crossings stay from row to row
    for (int row = row0; row < row1; ++row) {
      const double y = row + 0.5;
      const size_t entered = next, held = active.size();
      while (next < edges_.size() && edges_[next].y0 <= y) active.push_back(&edges_[next++]);
      active.erase(std::remove_if(active.begin(), active.end(), [y](const Edge* e) { return e->y1 <= y; }),
                   active.end());
      if (!upright || next != entered || active.size() != held) {
        crossings.clear();
        for (const Edge* e : active) crossings.push_back(Crossing{e->x_at(y), e->winding});
        std::sort(crossings.begin(), crossings.end());
        upright = std::all_of(active.begin(), active.end(), [](const Edge* e) { return e->x0 == e->x1; });
      }
      emit_row(row, crossings, sink);
    }
  }

 private:
  bool inside(int winding) const { return rule_ == FillModeWinding ? winding != 0 : (winding & 1) != 0; }

  void emit_row(int row, const std::vector<Crossing>& crossings, SpanSink& sink) const {
    int winding = 0;
    double run_start = 0;
    for (const Crossing& c : crossings) {
      const bool was_inside = inside(winding);
      winding += c.winding;
      if (!was_inside && inside(winding)) {
        run_start = c.x;
      } else if (was_inside && !inside(winding)) {
        const int x0 = first_centre(run_start, box_.x0, box_.x1);
        const int x1 = first_centre(c.x, box_.x0, box_.x1);
        if (x0 < x1) sink.span(row, x0, x1 - x0, nullptr, 255);
      }
    }
  }

  FillMode rule_;
  PixelBox box_;
  std::vector<Edge> edges_;
};

class AreaSampler {
 public:
  AreaSampler(FillMode rule, const PixelBox& box) : box_(box) {
    rasterizer_.filling_rule(rule == FillModeWinding ? agg::fill_non_zero : agg::fill_even_odd);
    rasterizer_.clip_box(box.x0, box.y0, box.x1, box.y1);
  }

  void add(const Contour& contour) {
    bool started = false;
    for (const GpPointF& p : contour) {
      if (!finite_point(p)) continue;
      if (started) {
        rasterizer_.line_to_d(p.X, p.Y);
      } else {
        rasterizer_.move_to_d(p.X, p.Y);
        started = true;
      }
    }
    if (started) rasterizer_.close_polygon();
  }

  void sweep(SpanSink& sink) {
    if (box_.empty() || !rasterizer_.rewind_scanlines()) return;
    agg::scanline32_p8 scanline;
    scanline.reset(rasterizer_.min_x(), rasterizer_.max_x());
    while (rasterizer_.sweep_scanline(scanline)) {
      const int y = scanline.y();
      if (y < box_.y0 || y >= box_.y1) continue;
      auto span = scanline.begin();
      for (unsigned n = scanline.num_spans(); n > 0; --n, ++span) {
        const bool solid = span->len < 0;
        int x = span->x;
        int len = solid ? -span->len : span->len;
        const uint8_t* covers = span->covers;
        // Cells on the box's far edges carry no area; keep to the box.
        const int skip = std::max(0, box_.x0 - x);
        x += skip;
        len = std::min(len - skip, box_.x1 - x);
        if (len <= 0) continue;
        if (solid) {
          if (covers[0] != 0) sink.span(y, x, len, nullptr, covers[0]);
        } else {
          sink.span(y, x, len, covers + skip, 0);
        }
      }
    }
  }

 private:
  PixelBox box_;
  agg::rasterizer_scanline_aa<agg::rasterizer_sl_clip_dbl> rasterizer_;
};

}  // namespace

struct Rasterizer::Impl {
  Impl(bool antialias, FillMode rule, const PixelBox& box) {
    if (antialias)
      area = std::make_unique<AreaSampler>(rule, box);
    else
      point = std::make_unique<PointSampler>(rule, box);
  }
  std::unique_ptr<AreaSampler> area;
  std::unique_ptr<PointSampler> point;
};

Rasterizer::Rasterizer(bool antialias, FillMode rule, const PixelBox& box)
    : impl_(std::make_unique<Impl>(antialias, rule, box)) {}

Rasterizer::~Rasterizer() = default;

void Rasterizer::add(const Contour& contour) {
  if (impl_->area)
    impl_->area->add(contour);
  else
    impl_->point->add(contour);
}

void Rasterizer::add(const std::vector<Contour>& contours) {
  for (const Contour& contour : contours) add(contour);
}

void Rasterizer::sweep(SpanSink& sink) {
  if (impl_->area)
    impl_->area->sweep(sink);
  else
    impl_->point->sweep(sink);
}

}  // namespace Gdiplus::render
