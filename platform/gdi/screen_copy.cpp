// Screen captures: each clip rectangle of the destination that the copy
// covers becomes one read of the backend into a view of the bitmap's rows.
// Depends on: dc, the display backend's screen reads. Does not stretch or apply other raster operations.
#include "gdi/screen_copy.h"

#include <algorithm>

#include "display/display.h"

namespace platform::gdi {

bool copy_from_screen(const DeviceContext& dst, int x, int y, int w, int h, const DeviceContext& screen, int xs,
                      int ys) {
  Surface to;
  if (w <= 0 || h <= 0 || dst.window != nullptr || !screen.is_screen() || !surface_of(dst, &to)) return false;
  const int64_t left = device_x(dst, x), top = device_y(dst, y);
  const int64_t from_x = device_x(screen, xs) - left, from_y = device_y(screen, ys) - top;
  for (const RECT& clip : clip_rects(dst, to.width, to.height)) {
    const int64_t l = std::max<int64_t>(clip.left, left), t = std::max<int64_t>(clip.top, top);
    const int64_t r = std::min<int64_t>(clip.right, left + w), b = std::min<int64_t>(clip.bottom, top + h);
    if (l >= r || t >= b) continue;
    Surface view = to;
    view.bits = to.bits + to.stride * t + l * (to.bits_per_pixel / 8);
    view.width = static_cast<int>(r - l);
    view.height = static_cast<int>(b - t);
    const int64_t sx = l + from_x, sy = t + from_y;
    if (sx < INT32_MIN || sx > INT32_MAX || sy < INT32_MIN || sy > INT32_MAX) return false;
    display::backend().read_screen(static_cast<int>(sx), static_cast<int>(sy), view);
  }
  return true;
}

}  // namespace platform::gdi
