// The application icon's picture, for display backends that show window icons.
// Depends on: nothing. Loads no icon files.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::wm {

constexpr int kApplicationIconSize = 32;
// kApplicationIconSize squared pixels, 0xAARRGGBB (straight alpha), rows top-down.
std::vector<uint32_t> application_icon_pixels();

}  // namespace platform::wm
