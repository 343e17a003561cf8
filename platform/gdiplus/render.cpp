// The drawing entry points: each opens a canvas on the graphics, makes the
// brush's paint and hands device-space coverage to the canvas.
// Depends on: canvas, clip_mask, paint, raster, stroke. Builds no shape paths (the fill and draw calls
// do).
#include "gdiplus/render.h"

#include "gdiplus/canvas.h"
#include "gdiplus/clip_mask.h"
#include "gdiplus/paint.h"
#include "gdiplus/stroke.h"

namespace Gdiplus::render {

namespace {

std::vector<Contour> to_device(std::vector<Contour> contours, const GpMatrix& matrix) {
  for (Contour& contour : contours)
    for (GpPointF& p : contour) p = matrix.apply(p);
  return contours;
}

// Fills the device contours that `make(world_to_pixels)` gives.
template <typename MakeContours>
GpStatus fill_with(GpGraphics& graphics, const GpBrush& brush, FillMode mode, MakeContours make) {
  Canvas canvas(graphics);
  if (!canvas.drawable()) return Ok;
  std::unique_ptr<Paint> paint = make_paint(brush, canvas.space());
  if (!paint) return InvalidParameter;
  canvas.fill(make(canvas.space().world_to_pixels), mode, *paint);
  return Ok;
}

}  // namespace

GpStatus fill_contours(GpGraphics& graphics, const GpBrush& brush, const std::vector<Contour>& contours, FillMode mode) {
  return fill_with(graphics, brush, mode, [&](const GpMatrix& to_pixels) { return to_device(contours, to_pixels); });
}

// Curves are divided in device space, where the flatness is measured.
GpStatus fill_path(GpGraphics& graphics, const GpBrush& brush, const GpPath& path) {
  return fill_with(graphics, brush, path.fill_mode,
                   [&](const GpMatrix& to_pixels) { return path.flatten(to_pixels, detail::kFlatness, nullptr); });
}

GpStatus stroke_path(GpGraphics& graphics, const GpPen& pen, const GpPath& path) {
  return fill_contours(graphics, *pen.brush, stroke_outline(path, pen, graphics.world_to_device()), FillModeWinding);
}

GpStatus fill_region(GpGraphics& graphics, const GpBrush& brush, const GpRegion& region) {
  Canvas canvas(graphics);
  if (!canvas.drawable()) return Ok;
  std::unique_ptr<Paint> paint = make_paint(brush, canvas.space());
  if (!paint) return InvalidParameter;
  const PixelBox& box = canvas.space().box;
  const std::vector<uint8_t> bits = rasterize_region(region.transformed(canvas.space().world_to_pixels).root(), box);
  canvas.fill_mask(box, bits.data(), box.x1 - box.x0, *paint);
  return Ok;
}

GpStatus clear(GpGraphics& graphics, ARGB color) {
  Canvas canvas(graphics);
  if (!canvas.drawable()) return Ok;
  canvas.force_source_copy();
  const std::unique_ptr<Paint> paint = make_solid_paint(color);
  const PixelBox& box = canvas.space().box;
  const std::vector<uint8_t> all(size_t(box.x1 - box.x0), 255);
  canvas.fill_mask(box, all.data(), 0, *paint);
  return Ok;
}

}  // namespace Gdiplus::render
