// Moving, sizing, showing and z-ordering windows, and activation, shared by
// the public calls and by changes the display backend reports.
// Depends on: windowing.h.
#pragma once

#include "platform/windowing.h"

namespace platform::wm {

// SetWindowPos; `from_backend` when the desktop's window manager already made
// the change, so that the native window is not asked again.
BOOL set_window_pos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags, bool from_backend);
// The client rectangle in the parent's client coordinates (screen for top-level windows).
bool client_rect_in_parent(HWND hwnd, RECT* out);
// Makes the top-level window of `hwnd` the active window (WM_ACTIVATE to the
// old and the new one); a no-op when it already is. Returns the previous one.
HWND activate_window(HWND hwnd);

}  // namespace platform::wm

namespace platform::wm {
// The window (a top-level one) lost activation to something outside this
// process: WM_ACTIVATE(WA_INACTIVE), and the focus leaves it.
void deactivate_window(HWND hwnd);
}  // namespace platform::wm
