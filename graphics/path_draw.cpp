// Drawing paths on images: outlined with the image's GDI+ pen, filled with
// its brush, in the image's world transform; the offset forms move the path
// inside that transform for the length of the call.
// Depends on: state (selectors, change counting), antialias (pen, brush and
// failure recording), path objects.

#include "graphics/antialias.h"
#include "graphics/path_internal.h"

using namespace Gdiplus;

namespace frond {
namespace {

// Runs `draw()` with the graphics' world transform first moved by `offset`
// (null: not moved) in the path's own coordinates, and moved back after.
template <typename Draw>
Status at_offset(GpGraphics* graphics, const GpPointF* offset, Draw draw) {
  if (offset == nullptr) return draw();
  Status status = GdipTranslateWorldTransform(graphics, offset->X, offset->Y, MatrixOrderPrepend);
  if (status != Ok) return status;
  status = draw();
  const Status back = GdipTranslateWorldTransform(graphics, -offset->X, -offset->Y, MatrixOrderPrepend);
  return status != Ok ? status : back;
}

void stroke_path(const frond_path* path, const GpPointF* offset, IMAGE* img) {
  IMAGE* image = outline_image(img);
  const gdip_holder<GpPath>* holder = live_holder(path);
  if (holder == nullptr) return;
  stroke_on(image, [&](GpGraphics* g, GpPen* pen) {
    return at_offset(g, offset, [&] { return GdipDrawPath(g, pen, holder->object); });
  });
}

void fill_path(const frond_path* path, const GpPointF* offset, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  const gdip_holder<GpPath>* holder = live_holder(path);
  if (holder == nullptr) return;
  fill_on(image, [&](GpGraphics* g, GpBrush* brush) {
    return at_offset(g, offset, [&] { return GdipFillPath(g, brush, holder->object); });
  });
}

}  // namespace

void frond_drawpath(const frond_path* path, IMAGE* img) { stroke_path(path, nullptr, img); }

void frond_fillpath(const frond_path* path, IMAGE* img) { fill_path(path, nullptr, img); }

void frond_drawpath(const frond_path* path, float x, float y, IMAGE* img) {
  const GpPointF offset{x, y};
  stroke_path(path, &offset, img);
}

void frond_fillpath(const frond_path* path, float x, float y, IMAGE* img) {
  const GpPointF offset{x, y};
  fill_path(path, &offset, img);
}

}  // namespace frond
