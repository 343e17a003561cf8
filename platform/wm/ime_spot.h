// Where text being composed by an input method is shown.
// Depends on: wintypes.h. Composes no text.
#pragma once

#include "platform/wintypes.h"

namespace platform::wm {

// `spot` in `hwnd`'s client coordinates, handed to the native window of its
// top-level window in that window's client coordinates. False when the
// window does not exist.
bool set_composition_spot(HWND hwnd, POINT spot);

}  // namespace platform::wm
