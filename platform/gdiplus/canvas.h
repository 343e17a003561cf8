// A canvas is one drawing call's view of a graphics: the 32-bit surface of
// its DC at that moment, the clip as pixels, the device space, and the
// compositing rule. Covered spans from the rasteriser are coloured by a paint
// and composited into the surface here.
// Depends on: display/surface, graphics, paint, raster. Builds and strokes no paths (render, stroke).
#pragma once

#include <cstdint>
#include <vector>

#include "display/surface.h"
#include "gdiplus/graphics.h"
#include "gdiplus/paint.h"
#include "gdiplus/raster.h"

namespace Gdiplus::render {

class Canvas : public SpanSink {
 public:
  // Prepares drawing on `graphics`; drawable() is false when its DC has no
  // 32-bit surface or the clip leaves nothing.
  explicit Canvas(GpGraphics& graphics);

  bool drawable() const { return drawable_; }
  const DeviceSpace& space() const { return space_; }
  // Replace pixels whatever the graphics' compositing mode (clearing).
  void force_source_copy() { copy_ = true; }

  // Fills contours given in device coordinates with `paint`.
  void fill(const std::vector<Contour>& contours, FillMode rule, Paint& paint);
  // Paints `paint` through a coverage mask of `box` (one byte per pixel, rows of `stride` bytes).
  void fill_mask(const PixelBox& box, const uint8_t* bits, std::ptrdiff_t stride, Paint& paint);

  void span(int y, int x, int len, const uint8_t* covers, uint8_t cover) override;

 private:
  platform::display::Surface surface_;
  const ClipMask* clip_ = nullptr;
  DeviceSpace space_;
  bool copy_ = false;  // source-copy compositing
  bool drawable_ = false;
  Paint* paint_ = nullptr;
  std::vector<ARGB> colors_;
  std::vector<uint8_t> covers_;
};

}  // namespace Gdiplus::render
