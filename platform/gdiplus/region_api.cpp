// The flat Gdip*Region calls over GpRegion: an infinite region and deletion
// (regions from paths are in region_path.cpp). Depends on: the region class.
// Clipping with regions is graphics_clip.cpp's.
#include "gdiplus/region.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

GpStatus create(const GpRegion& value, GpRegion** region) {
  if (region == nullptr) return InvalidParameter;
  return detail::guard_allocation([&] {
    *region = new GpRegion(value);
    return Ok;
  });
}

}  // namespace

GpStatus GdipCreateRegion(GpRegion** region) { return create(GpRegion(), region); }

GpStatus GdipDeleteRegion(GpRegion* region) {
  if (region == nullptr) return InvalidParameter;
  delete region;
  return Ok;
}

}  // namespace Gdiplus
