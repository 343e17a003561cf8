// Window properties that both our top-level windows and the message box set:
// the title (EWMH and ICCCM) and the normal size hints.
// Depends on: the connection (atoms). Makes no windows.
#pragma once

#include <string>

#include "display/x11/x11_connection.h"

namespace platform::display::x11 {

// _NET_WM_NAME as UTF-8 and WM_NAME as ICCCM text (STRING or COMPOUND_TEXT).
void set_title(Display* display, const Atoms& atoms, Window window, const std::wstring& title);

// WM_NORMAL_HINTS: the client area stays where asked (static gravity, user
// position); a fixed-size window has min = max = its size.
// Without `position` the window manager places the window itself.
void set_normal_hints(Display* display, Window window, const RECT& client, bool fixed_size, bool position = true);
// WM_CLASS from the program's name ("quillfern", "Quillfern"), _NET_WM_PID and
// WM_CLIENT_MACHINE, so that desktops can tell programs and processes apart.
void set_program_identity(Display* display, Window window);

}  // namespace platform::display::x11
