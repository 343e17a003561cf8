// The X11 display backend: real top-level windows on the display named by
// DISPLAY, presents through MIT-SHM, input from an event thread.
// Depends on: display.h. The only X11 header other display code includes;
// it exposes no Xlib type.
#pragma once

#include <memory>
#include <string>

#include "display/display.h"

namespace platform::display::x11 {

// Opens the display named by DISPLAY (after XInitThreads) and starts the
// event thread. Null when DISPLAY is unset (*why empty), or when the display
// does not open or its default visual cannot be served (*why says which).
std::unique_ptr<Backend> try_open(std::string* why);

}  // namespace platform::display::x11
