// The world transform of a graphics. It always stays invertible: a change
// that would make it singular is refused and leaves it as it was.
// Depends on: graphics, matrix, status. Draws nothing.
#include "gdiplus/graphics.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

GpStatus set_world(GpGraphics* graphics, const GpMatrix& world) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (!world.invertible()) return InvalidParameter;
  graphics->settings.world = world;
  return Ok;
}

GpStatus combine_world(GpGraphics* graphics, const GpMatrix& op, MatrixOrder order) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (!detail::valid_order(order)) return InvalidParameter;
  GpMatrix world = graphics->settings.world;
  world.combine(op, order);
  return set_world(graphics, world);
}

}  // namespace

GpStatus GdipSetWorldTransform(GpGraphics* graphics, GpMatrix* matrix) {
  if (matrix == nullptr) return InvalidParameter;
  return set_world(graphics, *matrix);
}

GpStatus GdipGetWorldTransform(GpGraphics* graphics, GpMatrix* matrix) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (matrix == nullptr) return InvalidParameter;
  *matrix = graphics->settings.world;
  return Ok;
}

GpStatus GdipResetWorldTransform(GpGraphics* graphics) { return set_world(graphics, GpMatrix()); }

GpStatus GdipTranslateWorldTransform(GpGraphics* graphics, REAL dx, REAL dy, MatrixOrder order) {
  return combine_world(graphics, GpMatrix::translation(dx, dy), order);
}

GpStatus GdipScaleWorldTransform(GpGraphics* graphics, REAL sx, REAL sy, MatrixOrder order) {
  return combine_world(graphics, GpMatrix::scaling(sx, sy), order);
}

GpStatus GdipRotateWorldTransform(GpGraphics* graphics, REAL angle, MatrixOrder order) {
  return combine_world(graphics, GpMatrix::rotation(angle), order);
}

}  // namespace Gdiplus
