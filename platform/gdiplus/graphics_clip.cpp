// The clip of a graphics. It is kept in device coordinates: geometry given in
// world coordinates is mapped by the world-to-device transform when it is
// combined in, and mapped back by the inverse when the clip is read.
// Depends on: graphics, region, status. Draws nothing; does not use the DC's GDI clip.
#include "gdiplus/graphics.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

GpStatus combine_clip(GpGraphics* graphics, const GpRegion& world_region, CombineMode mode) {
  graphics->settings.clip.combine(world_region.transformed(graphics->world_to_device()), mode);
  return Ok;
}

GpStatus combine_clip_rect(GpGraphics* graphics, const GpRectF& rect, CombineMode mode) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (!detail::valid_combine_mode(mode)) return InvalidParameter;
  return detail::guard_allocation([&] { return combine_clip(graphics, GpRegion::from_rect(rect), mode); });
}

// The clip in the graphics' current world coordinates.
GpRegion clip_in_world(const GpGraphics& graphics) {
  GpMatrix device_to_world = graphics.world_to_device();
  device_to_world.invert();  // the world-to-device transform is always invertible
  return graphics.settings.clip.transformed(device_to_world);
}

}  // namespace

GpStatus GdipSetClipRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, CombineMode mode) {
  return combine_clip_rect(graphics, GpRectF{REAL(x), REAL(y), REAL(width), REAL(height)}, mode);
}

GpStatus GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode mode) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (region == nullptr || !detail::valid_combine_mode(mode)) return InvalidParameter;
  return detail::guard_allocation([&] { return combine_clip(graphics, *region, mode); });
}

GpStatus GdipGetClip(GpGraphics* graphics, GpRegion* region) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (region == nullptr) return InvalidParameter;
  return detail::guard_allocation([&] {
    *region = clip_in_world(*graphics);
    return Ok;
  });
}

GpStatus GdipResetClip(GpGraphics* graphics) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  return detail::guard_allocation([&] {
    graphics->settings.clip.set_infinite();
    return Ok;
  });
}

}  // namespace Gdiplus
