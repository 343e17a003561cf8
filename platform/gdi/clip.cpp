// Clipping of a DC: the clip region is kept in device coordinates, as
// selected; drawing intersects it with the surface (see clip_rects).
// Depends on: dc, region. Draws nothing; has no ExcludeClipRect, OffsetClipRgn or other clip calls.
#include <algorithm>

#include "gdi/dc.h"

using platform::gdi::find_as;
using platform::gdi::find_dc;
using platform::gdi::Region;
using platform::gdi::RegionObject;

namespace {

LONG clamp_long(int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

int SelectClipRgn(HDC dc, HRGN region) {
  const auto d = find_dc(dc);
  if (!d) return ERROR;
  if (!region) {
    d->has_clip = false;
    d->clip = Region();
    return SIMPLEREGION;
  }
  const auto r = find_as<RegionObject>(region);
  if (!r) return ERROR;
  d->clip = r->region;
  d->has_clip = true;
  return d->clip.complexity();
}

int GetClipRgn(HDC dc, HRGN region) {
  const auto d = find_dc(dc);
  const auto r = find_as<RegionObject>(region);
  if (!d || !r) return -1;
  if (!d->has_clip) return 0;
  r->region = d->clip;
  return 1;
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  const auto d = find_dc(dc);
  if (!d) return ERROR;
  const Region rect(RECT{clamp_long(device_x(*d, left)), clamp_long(device_y(*d, top)),
                         clamp_long(device_x(*d, right)), clamp_long(device_y(*d, bottom))});
  d->clip = d->has_clip ? Region::combine(d->clip, rect, RGN_AND) : rect;
  d->has_clip = true;
  return d->clip.complexity();
}
