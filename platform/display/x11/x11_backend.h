// The X11 display backend: real top-level windows on the display named by
// DISPLAY, presents through MIT-SHM, input from an event thread.
#pragma once

#include <memory>

#include "display/display.h"

namespace platform::display::x11 {

// Opens the display named by DISPLAY (after XInitThreads) and starts the
// event thread. Null when DISPLAY is unset, the display does not open, or its
// default visual is not a 24/32-bit TrueColor one that takes 0x00RRGGBB words.
std::unique_ptr<Backend> try_open();

}  // namespace platform::display::x11
