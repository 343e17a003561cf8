// Scan conversion of closed polygons in device coordinates, where pixel
// (i, j) is the square [i, i+1) x [j, j+1). Anti-aliased coverage comes from
// AGG's area-sampling rasteriser; aliased coverage is point sampling at pixel
// centres (a pixel is in when its centre is, left and top edges included),
// so that shapes meet without gaps or double-painted pixels.
// Depends on: gdiplus.h. Colours and composites nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdiplus.h"

namespace Gdiplus::render {

// A half-open box of device pixels.
struct PixelBox {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool empty() const { return x0 >= x1 || y0 >= y1; }
  PixelBox intersect(const PixelBox& other) const;
};

using Contour = std::vector<GpPointF>;

// The first pixel whose centre lies at or right of (below) the edge at
// `edge`, kept inside [lo, hi]: the pixels a span from edge a to edge b
// covers under point sampling are first_centre(a) .. first_centre(b) - 1.
int first_centre(double edge, int lo, int hi);

// Receives the covered runs of one row, left to right, inside the box.
class SpanSink {
 public:
  virtual ~SpanSink() = default;
  // Pixels x .. x+len-1 of row y; `covers` holds one coverage (1..255) per
  // pixel, or is null when all of them have coverage `cover`.
  virtual void span(int y, int x, int len, const uint8_t* covers, uint8_t cover) = 0;
};

// Keeps the coverage of every pixel of a box, one byte each, in rows of the box's width.
class CoverageBuffer : public SpanSink {
 public:
  explicit CoverageBuffer(const PixelBox& box_);
  void span(int y, int x, int len, const uint8_t* covers, uint8_t cover) override;
  const uint8_t* row(int y) const { return bits.data() + size_t(y - box.y0) * size_t(box.x1 - box.x0); }

  PixelBox box;
  std::vector<uint8_t> bits;
};

class Rasterizer {
 public:
  Rasterizer(bool antialias, FillMode rule, const PixelBox& box);
  ~Rasterizer();
  Rasterizer(const Rasterizer&) = delete;
  Rasterizer& operator=(const Rasterizer&) = delete;

  // Each contour is closed: its last point joins its first.
  void add(const Contour& contour);
  void add(const std::vector<Contour>& contours);
  void sweep(SpanSink& sink);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace Gdiplus::render
