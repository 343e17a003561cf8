// The headless backend's pointer: wherever the test seams last put it (the
// backend itself is opened through display/backends.h).
// Depends on: the public Windows types. Moves no window.
#pragma once

#include "platform/wintypes.h"

namespace platform::display::headless {

// The pointer position the test seams report through Backend::cursor_position.
void set_pointer(POINT position);

}  // namespace platform::display::headless
