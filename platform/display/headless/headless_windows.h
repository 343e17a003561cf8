// The headless windows by handle, for the test seams.
#pragma once

#include "platform/test_seams.h"
#include "platform/windowing.h"

namespace platform::display::headless {

// What the headless backend holds for `hwnd`; `exists` is false when it has no window for it.
platform_test::HeadlessWindowState window_state(HWND hwnd);

}  // namespace platform::display::headless
