// The virtual screen's pixels.
#include "gdi/screen.h"

#include <cstdint>
#include <vector>

namespace platform::gdi {

const Surface& screen_surface() {
  static const Surface screen = [] {
    static std::vector<uint32_t> pixels(size_t{kScreenWidth} * kScreenHeight, 0u);
    Surface s;
    s.bits = reinterpret_cast<uint8_t*>(pixels.data());
    s.width = kScreenWidth;
    s.height = kScreenHeight;
    s.stride = ptrdiff_t{kScreenWidth} * 4;
    s.bits_per_pixel = 32;
    return s;
  }();
  return screen;
}

}  // namespace platform::gdi
