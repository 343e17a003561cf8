// The paint of each brush kind. Every paint maps a pixel's centre back into
// brush (world) coordinates with the inverse of the device transform, so
// patterns turn and scale with the world transform.
// Depends on: brush_kinds, matrix, raster. Does not clip or composite (canvas).
#include "gdiplus/paint.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "gdiplus/brush_kinds.h"

namespace Gdiplus::render {

ARGB mix_colors(ARGB a, ARGB b, double t) {
  ARGB out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= ARGB(std::lround(ca + (cb - ca) * t)) << shift;
  }
  return out;
}

namespace {

// The centre of pixel (x, y) in world (brush) coordinates.
GpPointF centre_in(const GpMatrix& pixels_to_brush, int x, int y) {
  return pixels_to_brush.apply(GpPointF{REAL(x + 0.5), REAL(y + 0.5)});
}

class SolidPaint : public Paint {
 public:
  explicit SolidPaint(ARGB c) {
    uniform = true;
    color = c;
  }
  void colors(int, int, int len, ARGB* out) override { std::fill_n(out, len, color); }
};

// A gradient's colours at 1024 evenly spaced positions from 0 to 1.
using Ramp = std::array<ARGB, 1024>;

class LinearPaint : public Paint {
 public:
  LinearPaint(const GpLineGradient& brush, const DeviceSpace& space) : wrap_(brush.wrap) {
    const GpMatrix& m = space.pixels_to_world;
    per_x_ = brush.along_x * m.m11 + brush.along_y * m.m12;
    per_y_ = brush.along_x * m.m21 + brush.along_y * m.m22;
    at_0_ = brush.along_x * m.dx + brush.along_y * m.dy + brush.along_0;
    for (size_t i = 0; i < ramp_.size(); ++i) ramp_[i] = mix_colors(brush.colors[0], brush.colors[1], double(i) / (ramp_.size() - 1));
  }

  void colors(int y, int x, int len, ARGB* out) override {
    double t = per_x_ * (x + 0.5) + per_y_ * (y + 0.5) + at_0_;
    for (int i = 0; i < len; ++i, t += per_x_) out[i] = ramp_[ramp_index(t)];
  }

 private:
  size_t ramp_index(double t) const {
    if (!std::isfinite(t)) return 0;
    switch (wrap_) {
      case WrapModeTile:
      case WrapModeTileFlipY:
        t -= std::floor(t);
        break;
      case WrapModeTileFlipX:
      case WrapModeTileFlipXY: {
        t -= 2 * std::floor(t / 2);
        if (t > 1) t = 2 - t;
        break;
      }
      case WrapModeClamp:
        t = std::clamp(t, 0.0, 1.0);
        break;
    }
    return size_t(std::lround(t * double(ramp_.size() - 1)));
  }

  WrapMode wrap_;
  double per_x_, per_y_, at_0_;
  Ramp ramp_;
};

// Colours interpolate over the fan of triangles from the centre to each
// boundary edge: the surround colours along the edge, then linearly towards
// the centre. Coverage of the boundary polygon scales the alpha, so nothing
// is painted outside it.
class PathGradientPaint : public Paint {
 public:
  PathGradientPaint(const GpPathGradient& brush, const DeviceSpace& space)
      : brush_(brush), to_world_(space.pixels_to_world), coverage_(boundary_box(brush, space)) {
    Contour device;
    for (const GpPointF& p : brush.boundary) device.push_back(space.world_to_pixels.apply(p));
    Rasterizer rasterizer(space.antialias, FillModeAlternate, coverage_.box);
    rasterizer.add(device);
    rasterizer.sweep(coverage_);
  }

  void colors(int y, int x, int len, ARGB* out) override {
    for (int i = 0; i < len; ++i) {
      const int px = x + i;
      const uint8_t cover = inside(px, y) ? coverage_.row(y)[px - coverage_.box.x0] : 0;
      if (cover == 0) {
        out[i] = 0;
        continue;
      }
      const ARGB c = color_at(centre_in(to_world_, px, y));
      const ARGB alpha = ((c >> 24) * cover + 127) / 255;
      out[i] = (c & 0xFFFFFF) | (alpha << 24);
    }
  }

 private:
  static PixelBox boundary_box(const GpPathGradient& brush, const DeviceSpace& space) {
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    for (const GpPointF& p : brush.boundary) {
      const GpPointF d = space.world_to_pixels.apply(p);
      x0 = std::min(x0, double(d.X)), y0 = std::min(y0, double(d.Y));
      x1 = std::max(x1, double(d.X)), y1 = std::max(y1, double(d.Y));
    }
    if (brush.boundary.empty()) return PixelBox{};
    const PixelBox bounds{int(std::max(-1e9, std::floor(x0))), int(std::max(-1e9, std::floor(y0))),
                          int(std::min(1e9, std::ceil(x1))), int(std::min(1e9, std::ceil(y1)))};
    return bounds.intersect(space.box);
  }

  bool inside(int x, int y) const {
    const PixelBox& b = coverage_.box;
    return x >= b.x0 && x < b.x1 && y >= b.y0 && y < b.y1;
  }

  ARGB color_at(GpPointF p) {
    const size_t n = brush_.boundary.size();
    const double qx = double(p.X) - brush_.center.X, qy = double(p.Y) - brush_.center.Y;
    // Neighbouring pixels mostly fall in the same triangle: try the last one first.
    for (size_t k = 0; k < n; ++k) {
      const size_t edge = (last_edge_ + k) % n;
      const GpPointF& a = brush_.boundary[edge];
      const GpPointF& b = brush_.boundary[(edge + 1) % n];
      const double ax = double(a.X) - brush_.center.X, ay = double(a.Y) - brush_.center.Y;
      const double bx = double(b.X) - brush_.center.X, by = double(b.Y) - brush_.center.Y;
      const double det = ax * by - ay * bx;
      if (det == 0) continue;
      // q = u a + v b with u, v >= 0: q lies in this triangle's wedge.
      double u = (qx * by - qy * bx) / det;
      double v = (ax * qy - ay * qx) / det;
      if (u < -1e-9 || v < -1e-9) continue;
      last_edge_ = edge;
      u = std::max(u, 0.0), v = std::max(v, 0.0);
      const double reach = u + v;  // 1 on the boundary edge, 0 at the centre
      if (reach > 1) u /= reach, v /= reach;
      return blend3(brush_.surround_color(edge), u, brush_.surround_color((edge + 1) % n), v);
    }
    return brush_.center_color;
  }

  // centre x (1 - u - v) + a x u + b x v, channel by channel.
  ARGB blend3(ARGB a, double u, ARGB b, double v) const {
    const double w = 1 - u - v;
    ARGB out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const double c = ((brush_.center_color >> shift) & 0xFF) * w + ((a >> shift) & 0xFF) * u + ((b >> shift) & 0xFF) * v;
      out |= ARGB(std::clamp(std::lround(c), 0L, 255L)) << shift;
    }
    return out;
  }

  const GpPathGradient& brush_;
  GpMatrix to_world_;
  CoverageBuffer coverage_;
  size_t last_edge_ = 0;
};

class TexturePaint : public Paint {
 public:
  TexturePaint(const GpTexture& brush, const GpMatrix& pixels_to_texture)
      : brush_(brush), to_texture_(pixels_to_texture) {}

  void colors(int y, int x, int len, ARGB* out) override {
    const GpPointF start = centre_in(to_texture_, x, y);
    double u = start.X, v = start.Y;
    for (int i = 0; i < len; ++i, u += to_texture_.m11, v += to_texture_.m12) out[i] = texel(std::floor(u), std::floor(v));
  }

 private:
  ARGB texel(double u, double v) const {
    if (!(std::fabs(u) < 1e15 && std::fabs(v) < 1e15)) return 0;
    const long long tu = (long long)u, tv = (long long)v;
    const WrapMode wrap = brush_.wrap;
    if (wrap == WrapModeClamp) {
      if (tu < 0 || tv < 0 || tu >= brush_.width || tv >= brush_.height) return 0;
      return brush_.pixels[size_t(tv) * brush_.width + size_t(tu)];
    }
    const bool flip_x = wrap == WrapModeTileFlipX || wrap == WrapModeTileFlipXY;
    const bool flip_y = wrap == WrapModeTileFlipY || wrap == WrapModeTileFlipXY;
    const int col = detail::wrap_index(tu, brush_.width, flip_x);
    const int row = detail::wrap_index(tv, brush_.height, flip_y);
    return brush_.pixels[size_t(row) * brush_.width + size_t(col)];
  }

  const GpTexture& brush_;
  GpMatrix to_texture_;
};

}  // namespace

std::unique_ptr<Paint> make_solid_paint(ARGB color) { return std::make_unique<SolidPaint>(color); }

std::unique_ptr<Paint> make_paint(const GpBrush& brush, const DeviceSpace& space) {
  switch (brush.type()) {
    case BrushTypeSolidColor:
      return make_solid_paint(static_cast<const GpSolidFill&>(brush).color);
    case BrushTypeLinearGradient:
      return std::make_unique<LinearPaint>(static_cast<const GpLineGradient&>(brush), space);
    case BrushTypePathGradient:
      return std::make_unique<PathGradientPaint>(static_cast<const GpPathGradient&>(brush), space);
    case BrushTypeTextureFill: {
      // Texture space is world space: the texture is tiled from the world origin.
      return std::make_unique<TexturePaint>(static_cast<const GpTexture&>(brush), space.pixels_to_world);
    }
  }
  return nullptr;
}

}  // namespace Gdiplus::render
