// The headless backend's screen: a 32-bit 1920x1080 framebuffer in memory,
// black until a shown window presents into it or a test paints it.
// Depends on: the display layer's Surface. Private to the headless backend:
// the rest of the platform reaches the screen through Backend::screen().
#pragma once

#include "display/surface.h"

namespace platform::display::headless {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

// The framebuffer, made on first use; valid for the life of the process.
const Surface& screen();

}  // namespace platform::display::headless
