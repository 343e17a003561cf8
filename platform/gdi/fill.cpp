// FillRect, SetPixel and GetPixel. GDI drawing writes 0x00RRGGBB words:
// alpha 0 in every pixel it touches.
#include <algorithm>

#include "gdi/dc.h"
#include "gdi/primitives.h"

using namespace platform::gdi;

namespace {

// The device pixel of logical (x, y), when drawing may touch it.
bool visible_pixel(const DeviceContext& dc, const Surface& s, int x, int y, int* dx, int* dy) {
  const int64_t px = device_x(dc, x), py = device_y(dc, y);
  if (px < 0 || py < 0 || px >= s.width || py >= s.height) return false;
  if (dc.has_clip && !dc.clip.contains(static_cast<LONG>(px), static_cast<LONG>(py))) return false;
  *dx = static_cast<int>(px);
  *dy = static_cast<int>(py);
  return true;
}

}  // namespace

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

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  const auto d = find_dc(dc);
  Surface s;
  int px = 0, py = 0;
  if (!d || !surface_of(*d, &s) || !visible_pixel(*d, s, x, y, &px, &py)) return CLR_INVALID;
  write_pixel(s, px, py, colorref_word(color));
  return color & 0x00FFFFFFu;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  const auto d = find_dc(dc);
  Surface s;
  int px = 0, py = 0;
  if (!d || !surface_of(*d, &s) || !visible_pixel(*d, s, x, y, &px, &py)) return CLR_INVALID;
  return word_colorref(read_pixel(s, px, py));
}

// Drawing is immediate: nothing is batched.
BOOL GdiFlush() { return TRUE; }
