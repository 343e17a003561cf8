// Regions and clips made from paths: the path's figures, flattened, become a
// polygon leaf of the region tree under the path's fill mode.
// Depends on: graphics, path, region, status. Draws nothing.
#include "gdiplus/graphics.h"
#include "gdiplus/path.h"
#include "gdiplus/region.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

GpRegion region_of(const GpPath& path) {
  return GpRegion::from_contours(path.flatten(GpMatrix(), detail::kFlatness, nullptr), path.fill_mode);
}

}  // namespace

GpStatus GdipCreateRegionPath(GpPath* path, GpRegion** region) {
  if (detail::any_null(path, region)) return InvalidParameter;
  return detail::guard_allocation([&] {
    *region = new GpRegion(region_of(*path));
    return Ok;
  });
}

}  // namespace Gdiplus
