// Where a display backend hands what happened on the screen to the window
// manager. The X11 backend's event thread and the headless backend's test
// seams (platform_test::inject_*) reach these through the display's event
// sink (display_sinks.cpp), so that input takes one road whatever the
// display. Each call posts the matching window messages to the queue of the
// thread that owns the window; none waits for the window procedure.
// Depends on: wintypes.h.
#pragma once

#include <string>

#include "platform/wintypes.h"

namespace platform::wm {

// A key went down or up. `vk` is the virtual-key code (VK_*); `scan` the
// hardware scan code; `repeat` marks an auto-repeated press (lParam bit 30).
// `text` is what the press types, as UTF-16 units (empty for keys that type
// nothing): TranslateMessage turns it into WM_CHAR messages. Control keys type
// their control codes (Backspace 8, Tab 9, Enter 13, Esc 27, Ctrl+letter 1..26);
// Delete, arrows and function keys type nothing.
void key_event(HWND hwnd, UINT vk, UINT scan, bool down, bool repeat, const std::u16string& text);

// An input method committed `text` (UTF-16 units) without a key of its own:
// VK_PROCESSKEY presses that type it (two units each, as a key press carries
// at most two) and one release.
void text_committed(HWND hwnd, const std::u16string& text);

// The pointer moved to (x, y) in screen coordinates.
void pointer_moved(HWND hwnd, int x, int y);

// Button 0 left, 1 right, 2 middle went down or up at (x, y), screen coordinates.
// A second press soon after the first at nearly the same place is a double click
// when the window class has CS_DBLCLKS.
void button_event(HWND hwnd, int button, bool down, int x, int y);

// The wheel turned by `delta` (+120 away from the user, -120 towards) at (x, y), screen coordinates.
void wheel_event(HWND hwnd, int delta, int x, int y);

// The user asked to close the window (its close button): WM_CLOSE.
void close_requested(HWND hwnd);

// The window manager of the desktop moved or resized the window; client area in screen coordinates.
void client_rect_changed(HWND hwnd, const RECT& client);

// The window's content was lost and must be painted again (expose).
void needs_repaint(HWND hwnd, const RECT& client_area);

// Keyboard focus came to (true) or left (false) the window.
void focus_changed(HWND hwnd, bool focused);

}  // namespace platform::wm
