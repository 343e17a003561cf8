// The headless display: windows exist in memory, the screen is its own
// virtual 1920x1080 framebuffer, and the pointer is wherever the test seams
// last put it.
// Depends on: display.h. No X11; shows no message boxes.
#pragma once

#include <memory>

#include "display/display.h"

namespace platform::display::headless {

std::unique_ptr<Backend> open();

// The pointer position the test seams report through Backend::cursor_position.
void set_pointer(POINT position);

}  // namespace platform::display::headless
