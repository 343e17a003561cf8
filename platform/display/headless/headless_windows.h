// The headless windows by handle, for the test seams.
// Depends on: the test seams' window-state record. Changes no window.
#pragma once

#include "platform/test_seams.h"
#include "platform/windowing.h"

namespace platform::display::headless {

// What the headless backend holds for `hwnd`; `exists` is false when it has no window for it.
platform_test::HeadlessWindowState window_state(HWND hwnd);

}  // namespace platform::display::headless
