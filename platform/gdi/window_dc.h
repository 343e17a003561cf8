// Device contexts of windows: their pixels are the window's client
// framebuffer, owned by the window manager, and every drawing call on them
// tells the window manager which client rectangle changed.
// Depends on: wintypes.h. Owns no framebuffer.
#pragma once

#include "platform/wintypes.h"

namespace platform::gdi {

// A DC over the client area of `hwnd` (GetDC, BeginPaint). Null when the
// window manager has no framebuffer for it.
HDC create_window_dc(HWND hwnd);
// Releases a DC made by create_window_dc; false for any other DC.
bool release_window_dc(HDC dc);

}  // namespace platform::gdi
