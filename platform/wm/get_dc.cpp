// GetDC/ReleaseDC: the screen's DC for a null window, else a DC over the
// window's client area (whose pixels the GDI takes through the display
// layer's window surfaces). Beside BeginPaint, so that the window manager's
// own drawing (the caret) needs nothing of the folders above it.
// Depends on: the GDI's DCs (gdi/dc, gdi/window_dc). Paints nothing itself.
#include "gdi/dc.h"
#include "gdi/window_dc.h"
#include "platform/user32.h"

HDC GetDC(HWND window) {
  return window ? platform::gdi::create_window_dc(window) : platform::gdi::create_screen_dc();
}

int ReleaseDC(HWND window, HDC dc) {
  const bool released = window ? platform::gdi::release_window_dc(dc) : platform::gdi::release_screen_dc(dc);
  return released ? 1 : 0;
}
