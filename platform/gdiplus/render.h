// The drawing entry points inside GDI+: everything that puts pixels on a
// graphics' surface goes through these, so every one honours the graphics'
// world transform (with page unit and scale), pixel offset mode, smoothing
// mode, clip and compositing mode, and paints with any brush kind.
// Depends on: brush, graphics, path, pen, raster. Builds no shape paths.
#pragma once

#include <cstdint>
#include <vector>

#include "gdiplus/brush.h"
#include "gdiplus/graphics.h"
#include "gdiplus/path.h"
#include "gdiplus/pen.h"
#include "gdiplus/raster.h"

namespace Gdiplus::render {

// Closed contours in world coordinates filled with `brush` under `mode`
// (anti-aliased when the smoothing mode asks for it).
GpStatus fill_contours(GpGraphics& graphics, const GpBrush& brush, const std::vector<Contour>& contours, FillMode mode);

// `path` filled under its own fill mode.
GpStatus fill_path(GpGraphics& graphics, const GpBrush& brush, const GpPath& path);

// A text path filled with the nonzero rule, the same pixels as fill_path
// gives; `piece_ends` cuts its points into glyphs (and lines), so that
// anti-aliased glyphs can come from the glyph cache.
GpStatus fill_text(GpGraphics& graphics, const GpBrush& brush, const GpPath& path,
                   const std::vector<size_t>& piece_ends);

// `path` outlined with `pen`.
GpStatus stroke_path(GpGraphics& graphics, const GpPen& pen, const GpPath& path);

// A coverage mask already in device pixels (such as rendered glyphs): pixel
// (left + i, top + j) is painted with `brush` at coverage bits[j * stride + i]
// (0..255). The world transform is not applied to the mask's position (the
// brush is still sampled in world coordinates); clip and compositing are.
struct CoverageMask {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  const uint8_t* bits = nullptr;
  std::ptrdiff_t stride = 0;
};
GpStatus fill_coverage(GpGraphics& graphics, const GpBrush& brush, const CoverageMask& mask);

// `region` (world coordinates) filled with `brush`, pixel by pixel.
GpStatus fill_region(GpGraphics& graphics, const GpBrush& brush, const GpRegion& region);

// Every pixel inside the clip set to `color`.
GpStatus clear(GpGraphics& graphics, ARGB color);

}  // namespace Gdiplus::render
