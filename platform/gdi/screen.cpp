// Where the screen's pixels come from. The headless backend draws windows
// into this buffer, so the buffer is its screen; any other backend's screen
// is copied into the buffer from the backend (X11: the root window).
#include "gdi/screen.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "display/display.h"

namespace platform::gdi {

const Surface& screen_surface() {
  static const Surface screen = [] {
    const SIZE size = display::backend().screen_size();
    const int width = std::max<int>(size.cx, 1), height = std::max<int>(size.cy, 1);
    static std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0u);
    Surface s;
    s.bits = reinterpret_cast<uint8_t*>(pixels.data());
    s.width = width;
    s.height = height;
    s.stride = ptrdiff_t{width} * 4;
    s.bits_per_pixel = 32;
    return s;
  }();
  return screen;
}

const Surface& current_screen() {
  const Surface& screen = screen_surface();
  display::Backend& backend = display::backend();
  if (std::strcmp(backend.name(), "headless") != 0) backend.read_screen(0, 0, screen);
  return screen;
}

}  // namespace platform::gdi
