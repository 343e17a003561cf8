// The image drawing calls: the source rectangle is mapped onto a
// parallelogram in world coordinates, which is filled with the image's paint
// like any shape (clip, smoothing at its edges and compositing included).
// Depends on: canvas, graphics, image, image_attributes, image_sampler, path, status. Does not decode
// images.
#include "gdiplus/canvas.h"
#include "gdiplus/graphics.h"
#include "gdiplus/image.h"
#include "gdiplus/image_attributes.h"
#include "gdiplus/image_sampler.h"
#include "gdiplus/path.h"
#include "gdiplus/status.h"

#include <cmath>

namespace Gdiplus {

namespace {

// `dest`: where the source rectangle's top-left, top-right and bottom-left corners land.
GpStatus draw_image(GpGraphics* graphics, GpImage* image, const GpPointF* dest, INT count, GpRectF src, Unit unit,
                    const GpImageAttributes* attributes) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  auto* bitmap = dynamic_cast<GpBitmap*>(image);
  if (bitmap == nullptr || dest == nullptr) return InvalidParameter;
  if (count != 3) return count == 4 ? NotImplemented : InvalidParameter;
  if (unit != UnitPixel) return NotImplemented;
  const GpRect rect{INT(std::lround(src.X)), INT(std::lround(src.Y)), INT(std::lround(src.Width)),
                    INT(std::lround(src.Height))};
  if (rect.Width <= 0 || rect.Height <= 0) return InvalidParameter;
  return detail::guard_allocation([&] {
    render::Canvas canvas(*graphics);
    if (!canvas.drawable()) return Ok;
    const GpMatrix& to_pixels = canvas.space().world_to_pixels;
    const REAL w = REAL(rect.Width), h = REAL(rect.Height);
    GpMatrix source_to_world((dest[1].X - dest[0].X) / w, (dest[1].Y - dest[0].Y) / w, (dest[2].X - dest[0].X) / h,
                             (dest[2].Y - dest[0].Y) / h, 0, 0);
    source_to_world.dx = dest[0].X - source_to_world.m11 * REAL(rect.X) - source_to_world.m21 * REAL(rect.Y);
    source_to_world.dy = dest[0].Y - source_to_world.m12 * REAL(rect.X) - source_to_world.m22 * REAL(rect.Y);
    GpMatrix pixels_to_source = GpMatrix::product(source_to_world, to_pixels);
    if (!pixels_to_source.invert()) return Ok;  // a flat parallelogram covers nothing
    const GpPointF far{dest[1].X + dest[2].X - dest[0].X, dest[1].Y + dest[2].Y - dest[0].Y};
    const render::Contour outline{to_pixels.apply(dest[0]), to_pixels.apply(dest[1]), to_pixels.apply(far),
                                  to_pixels.apply(dest[2])};
    const render::ImageSource source{bitmap, rect, pixels_to_source, attributes};
    const auto paint = render::make_image_paint(source, graphics->settings.interpolation);
    canvas.fill({outline}, FillModeAlternate, *paint);
    return Ok;
  });
}

GpStatus draw_rect(GpGraphics* graphics, GpImage* image, GpRectF dst, GpRectF src, Unit unit,
                   const GpImageAttributes* attributes) {
  const GpPointF dest[3] = {{dst.X, dst.Y}, {dst.X + dst.Width, dst.Y}, {dst.X, dst.Y + dst.Height}};
  return draw_image(graphics, image, dest, 3, src, unit, attributes);
}

GpRectF whole(const GpImage* image) { return GpRectF{0, 0, REAL(image->width), REAL(image->height)}; }

}  // namespace

GpStatus GdipDrawImage(GpGraphics* graphics, GpImage* image, REAL x, REAL y) {
  if (image == nullptr) return InvalidParameter;
  return draw_rect(graphics, image, GpRectF{x, y, REAL(image->width), REAL(image->height)}, whole(image), UnitPixel,
                   nullptr);
}

GpStatus GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y) {
  return GdipDrawImage(graphics, image, REAL(x), REAL(y));
}

GpStatus GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dst_x, REAL dst_y, REAL dst_width,
                               REAL dst_height, REAL src_x, REAL src_y, REAL src_width, REAL src_height, GpUnit src_unit,
                               const GpImageAttributes* attributes, DrawImageAbort, void*) {
  return draw_rect(graphics, image, GpRectF{dst_x, dst_y, dst_width, dst_height},
                   GpRectF{src_x, src_y, src_width, src_height}, src_unit, attributes);
}

GpStatus GdipDrawImagePointsRect(GpGraphics* graphics, GpImage* image, const GpPointF* points, INT count, REAL src_x,
                                 REAL src_y, REAL src_width, REAL src_height, GpUnit src_unit,
                                 const GpImageAttributes* attributes, DrawImageAbort, void*) {
  return draw_image(graphics, image, points, count, GpRectF{src_x, src_y, src_width, src_height}, src_unit, attributes);
}

GpStatus GdipDrawImagePointsRectI(GpGraphics* graphics, GpImage* image, const GpPoint* points, INT count, INT src_x,
                                  INT src_y, INT src_width, INT src_height, GpUnit src_unit,
                                  const GpImageAttributes* attributes, DrawImageAbort abort, void* abort_data) {
  if (points == nullptr || count <= 0) return InvalidParameter;
  return detail::guard_allocation([&] {
    return GdipDrawImagePointsRect(graphics, image, detail::to_float(points, count).data(), count, REAL(src_x),
                                   REAL(src_y), REAL(src_width), REAL(src_height), src_unit, attributes, abort,
                                   abort_data);
  });
}

}  // namespace Gdiplus
