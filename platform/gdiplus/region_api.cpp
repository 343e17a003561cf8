// The flat Gdip*Region calls over GpRegion.
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

GpStatus GdipCreateRegionRect(const GpRectF* rect, GpRegion** region) {
  if (rect == nullptr) return InvalidParameter;
  return create(GpRegion::from_rect(*rect), region);
}

GpStatus GdipCreateRegionRectI(const GpRect* rect, GpRegion** region) {
  if (rect == nullptr) return InvalidParameter;
  return create(GpRegion::from_rect(GpRectF{REAL(rect->X), REAL(rect->Y), REAL(rect->Width), REAL(rect->Height)}),
                region);
}

GpStatus GdipCloneRegion(GpRegion* region, GpRegion** clone) {
  if (region == nullptr) return InvalidParameter;
  return create(*region, clone);
}

GpStatus GdipDeleteRegion(GpRegion* region) {
  if (region == nullptr) return InvalidParameter;
  delete region;
  return Ok;
}

GpStatus GdipSetInfinite(GpRegion* region) {
  if (region == nullptr) return InvalidParameter;
  return detail::guard_allocation([&] {
    region->set_infinite();
    return Ok;
  });
}

GpStatus GdipSetEmpty(GpRegion* region) {
  if (region == nullptr) return InvalidParameter;
  return detail::guard_allocation([&] {
    region->set_empty();
    return Ok;
  });
}

GpStatus GdipCombineRegionRect(GpRegion* region, const GpRectF* rect, CombineMode mode) {
  if (detail::any_null(region, rect) || !detail::valid_combine_mode(mode)) return InvalidParameter;
  return detail::guard_allocation([&] {
    region->combine(GpRegion::from_rect(*rect), mode);
    return Ok;
  });
}

GpStatus GdipCombineRegionRegion(GpRegion* region, GpRegion* other, CombineMode mode) {
  if (detail::any_null(region, other) || !detail::valid_combine_mode(mode)) return InvalidParameter;
  return detail::guard_allocation([&] {
    region->combine(*other, mode);
    return Ok;
  });
}

// The graphics argument of the queries below only supplies the transforms
// GDI+ would map both the region and the point with; the answers do not
// depend on them, but a graphics is required as in GDI+.
GpStatus GdipIsInfiniteRegion(GpRegion* region, GpGraphics* graphics, BOOL* result) {
  if (detail::any_null(region, graphics, result)) return InvalidParameter;
  return detail::guard_allocation([&] {
    *result = region->is_infinite() ? TRUE : FALSE;
    return Ok;
  });
}

GpStatus GdipIsEmptyRegion(GpRegion* region, GpGraphics* graphics, BOOL* result) {
  if (detail::any_null(region, graphics, result)) return InvalidParameter;
  return detail::guard_allocation([&] {
    *result = region->is_empty() ? TRUE : FALSE;
    return Ok;
  });
}

GpStatus GdipIsVisibleRegionPoint(GpRegion* region, REAL x, REAL y, GpGraphics*, BOOL* result) {
  if (detail::any_null(region, result)) return InvalidParameter;
  *result = region->contains(x, y) ? TRUE : FALSE;
  return Ok;
}

GpStatus GdipGetRegionBounds(GpRegion* region, GpGraphics* graphics, GpRectF* rect) {
  if (detail::any_null(region, graphics, rect)) return InvalidParameter;
  return detail::guard_allocation([&] {
    *rect = region->bounds();
    return Ok;
  });
}

}  // namespace Gdiplus
