// The entry points of the two display backends, for the choice of the
// process's backend (backend.cpp) and for tests that open one directly. The
// backends' own headers stay inside their folders: nothing else of the X11
// backend is visible outside display/x11.
// Depends on: display.h. Exposes no Xlib type.
#pragma once

#include <memory>
#include <string>

#include "display/display.h"

namespace platform::display {

namespace x11 {
// Opens the display named by DISPLAY (after XInitThreads) and starts the
// event thread. Null when DISPLAY is unset (*why empty), or when the display
// does not open or its default visual cannot be served (*why says which).
std::unique_ptr<Backend> try_open(std::string* why);
}  // namespace x11

namespace headless {
// Windows in memory over a 1920x1080 framebuffer; never fails.
std::unique_ptr<Backend> open();
}  // namespace headless

}  // namespace platform::display
