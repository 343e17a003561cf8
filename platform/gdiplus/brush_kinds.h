// The brush kinds beyond the solid fill: linear and path gradients and
// textures. Each keeps its geometry in brush (world) coordinates.
// Depends on: brush, matrix. Paints nothing (paint.cpp).
#pragma once

#include <vector>

#include "gdiplus/brush.h"
#include "gdiplus/matrix.h"
#include "platform/gdiplus.h"

namespace Gdiplus {

class GpLineGradient : public GpBrush {
 public:
  BrushType type() const override { return BrushTypeLinearGradient; }

  // The position along the gradient of the point (x, y) is along_x x + along_y y + along_0:
  // 0 at the first colour, 1 at the second.
  double along_x = 0, along_y = 0, along_0 = 0;
  ARGB colors[2] = {0, 0};
  WrapMode wrap = WrapModeTile;
};

class GpPathGradient : public GpBrush {
 public:
  BrushType type() const override { return BrushTypePathGradient; }

  // The colour of boundary point i (the last colour repeats for the remaining points).
  ARGB surround_color(size_t i) const { return surround[i < surround.size() ? i : surround.size() - 1]; }

  std::vector<GpPointF> boundary;  // a closed polygon
  std::vector<ARGB> surround{0xFFFFFFFF};
  GpPointF center{0, 0};
  ARGB center_color = 0xFFFFFFFF;
  WrapMode wrap = WrapModeClamp;
};

class GpTexture : public GpBrush {
 public:
  BrushType type() const override { return BrushTypeTextureFill; }

  INT width = 0, height = 0;
  std::vector<ARGB> pixels;  // straight ARGB, rows top-down; a copy of the image
  WrapMode wrap = WrapModeTile;
};

namespace detail {
// `brush` when it is of kind `type`, else null. The kind is read through the
// common base, which sits at the same address.
template <typename Kind>
Kind* brush_of_kind(Kind* brush, BrushType type) {
  if (brush == nullptr || reinterpret_cast<GpBrush*>(brush)->type() != type) return nullptr;
  return brush;
}
inline bool valid_wrap(WrapMode wrap) { return wrap >= WrapModeTile && wrap <= WrapModeClamp; }
// Maps `i` into 0 .. extent-1 for a repeating (or, when `mirror`, mirrored) pattern.
inline int wrap_index(long long i, int extent, bool mirror) {
  const long long period = mirror ? 2LL * extent : extent;
  long long m = i % period;
  if (m < 0) m += period;
  return int(m < extent ? m : period - 1 - m);
}
}  // namespace detail

}  // namespace Gdiplus
