// Rectangle-list regions: a set of pixels kept as disjoint rectangles in
// y-x bands (rectangles of one band share top and bottom, sorted by left;
// bands sorted by top; touching bands with the same spans are merged), so
// that equal areas have equal lists.
// Depends on: handles. Draws nothing.
#pragma once

#include <vector>

#include "gdi/handles.h"

namespace platform::gdi {

class Region {
 public:
  Region() = default;
  explicit Region(const RECT& rect);  // corners in any order; empty when it has no area

  const std::vector<RECT>& rects() const { return rects_; }
  bool empty() const { return rects_.empty(); }
  int complexity() const;   // NULLREGION, SIMPLEREGION or COMPLEXREGION

  // `a mode b` for RGN_AND and RGN_DIFF.
  static Region combine(const Region& a, const Region& b, int mode);

 private:
  std::vector<RECT> rects_;
};

struct RegionObject : GdiObject {
  static bool is_kind(DWORD t) { return t == OBJ_REGION; }
  explicit RegionObject(const Region& r) : GdiObject(OBJ_REGION), region(r) {}
  Region region;
};

}  // namespace platform::gdi
