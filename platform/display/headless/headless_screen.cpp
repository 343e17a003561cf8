// The headless screen's framebuffer, made once on first use (constant size,
// so that images made before main may already read it).
// Depends on: the display layer's Surface. Knows nothing of windows.
#include "display/headless/headless_screen.h"

#include <cstdint>
#include <vector>

namespace platform::display::headless {

const Surface& screen() {
  static const Surface framebuffer = [] {
    static std::vector<uint32_t> pixels(size_t{kScreenWidth} * size_t{kScreenHeight}, 0u);
    Surface s;
    s.bits = reinterpret_cast<uint8_t*>(pixels.data());
    s.width = kScreenWidth;
    s.height = kScreenHeight;
    s.stride = ptrdiff_t{kScreenWidth} * 4;
    s.bits_per_pixel = 32;
    return s;
  }();
  return framebuffer;
}

}  // namespace platform::display::headless
