// The world transform of an image's GDI+ graphics: rotate, translate and
// scale (each applied before the transform in place), reset, read, replace,
// and map a point through it in single precision. setviewport (viewports)
// puts it back to the viewport's translation. GDI drawing does not see it.
// Depends on: state (selectors, change counting), images (the graphics).

#include "graphics/state.h"

using namespace Gdiplus;

namespace frond {
namespace {

// Runs `call(graphics)` on the resolved image (selector 0 counting one
// change) and records a failing status; nothing without an image.
template <typename Call>
void on_graphics(IMAGE* img, Call call) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr) return;
  GpGraphics* graphics = image->gdip_graphics();
  image->graphics_holder.record(call(graphics));
}

// The six elements m11, m12, m21, m22, dx, dy of the image's world
// transform; false when they could not be read.
bool read_transform(IMAGE* image, REAL elements[6]) {
  gdip_holder<GpGraphics>& holder = image->graphics_holder;
  GpGraphics* graphics = image->gdip_graphics();
  GpMatrix* matrix = nullptr;
  if (holder.record(GdipCreateMatrix(&matrix)) != Ok) return false;
  const bool read = holder.record(GdipGetWorldTransform(graphics, matrix)) == Ok &&
                    holder.record(GdipGetMatrixElements(matrix, elements)) == Ok;
  GdipDeleteMatrix(matrix);
  return read;
}

}  // namespace

void frond_rotate(float angle, IMAGE* img) {
  on_graphics(img, [&](GpGraphics* g) { return GdipRotateWorldTransform(g, angle, MatrixOrderPrepend); });
}

void frond_translate(float x, float y, IMAGE* img) {
  on_graphics(img, [&](GpGraphics* g) { return GdipTranslateWorldTransform(g, x, y, MatrixOrderPrepend); });
}

void frond_scale(float xScale, float yScale, IMAGE* img) {
  on_graphics(img, [&](GpGraphics* g) { return GdipScaleWorldTransform(g, xScale, yScale, MatrixOrderPrepend); });
}

void frond_transform_reset(IMAGE* img) { on_graphics(img, [](GpGraphics* g) { return GdipResetWorldTransform(g); }); }

void frond_get_transform(frond_transform_matrix* matrix, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  REAL e[6];
  if (image == nullptr || matrix == nullptr || !read_transform(image, e)) return;
  *matrix = frond_transform_matrix{e[0], e[1], e[2], e[3], e[4], e[5]};
}

void frond_set_transform(const frond_transform_matrix* matrix, IMAGE* img) {
  on_graphics(img, [matrix](GpGraphics* g) {
    if (matrix == nullptr) return InvalidParameter;
    GpMatrix* made = nullptr;
    GpStatus status =
        GdipCreateMatrix2(matrix->m11, matrix->m12, matrix->m21, matrix->m22, matrix->dx, matrix->dy, &made);
    if (status != Ok) return status;
    status = GdipSetWorldTransform(g, made);
    GdipDeleteMatrix(made);
    return status;
  });
}

frond_point frond_transform_calc(frond_point p, IMAGE* img) { return frond_transform_calc(p.x, p.y, img); }

frond_point frond_transform_calc(float x, float y, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  REAL e[6];
  if (image == nullptr || !read_transform(image, e)) return frond_point{0, 0};
  // Single precision, in this order of operations.
  const float mapped_x = e[4] + (e[0] * x + e[2] * y);
  const float mapped_y = (e[1] * x + e[3] * y) + e[5];
  return frond_point{mapped_x, mapped_y};
}

}  // namespace frond
