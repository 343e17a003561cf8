// FillRect. GDI drawing writes 0x00RRGGBB words:
// alpha 0 in every pixel it touches.
// Depends on: dc, primitives (pattern rows). Draws no outline and does not use the ROP2.
#include <algorithm>

#include "gdi/dc.h"
#include "gdi/primitives.h"

using namespace platform::gdi;

// The rectangle includes its left and top edges, not its right and bottom
// ones; an empty or inverted rectangle paints nothing. Hatched brushes leave
// their gaps untouched in TRANSPARENT background mode.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  const auto d = find_dc(dc);
  const auto b = find_as<Brush>(brush);
  if (!d || !b || !rect) return 0;
  Surface s;
  if (!surface_of(*d, &s)) return 1;
  const Pattern pattern = make_pattern(*b, d->bk_color);
  if (pattern.hollow) return 1;
  const bool lines_only = !pattern.solid && d->bk_mode == TRANSPARENT;
  const int64_t left = device_x(*d, rect->left), right = device_x(*d, rect->right);
  const int64_t top = device_y(*d, rect->top), bottom = device_y(*d, rect->bottom);
  try {
    std::vector<uint32_t> scratch;
    for (const RECT& c : clip_rects(*d, s.width, s.height)) {
      const RECT r{static_cast<LONG>(std::max<int64_t>(left, c.left)), static_cast<LONG>(std::max<int64_t>(top, c.top)),
                   static_cast<LONG>(std::min<int64_t>(right, c.right)),
                   static_cast<LONG>(std::min<int64_t>(bottom, c.bottom))};
      if (r.left >= r.right || r.top >= r.bottom) continue;
      scratch.resize(static_cast<size_t>(r.right - r.left));
      fill_pattern(s, r, pattern, lines_only, scratch.data());
    }
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}
