// The process-wide virtual screen: 1920x1080 32-bit pixels, all black (zero)
// until something draws on it. A display backend may later supply the pixels
// from elsewhere; everything else reaches them only through this accessor.
#pragma once

#include "gdi/surface.h"

namespace platform::gdi {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

// Made on first use; valid for the life of the process.
const Surface& screen_surface();

}  // namespace platform::gdi
