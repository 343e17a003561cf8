// The process-wide screen's pixels: a 32-bit surface of the display
// backend's screen size. The headless backend keeps its screen in this
// buffer (1920x1080, black until something draws on it); under any other
// backend the buffer mirrors the real screen and is read back from the
// backend when a drawing call takes the screen DC's pixels. Everything else
// reaches the pixels only through these accessors.
#pragma once

#include "gdi/surface.h"

namespace platform::gdi {

// The headless screen's size.
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

// The buffer, made on first use at the backend's screen size; valid for the
// life of the process.
const Surface& screen_surface();

// The buffer holding what the screen shows now: read from the backend (the
// whole screen, once per call) unless the backend's screen is the buffer.
const Surface& current_screen();

}  // namespace platform::gdi
