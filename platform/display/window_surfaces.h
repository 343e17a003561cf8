// The client pixels of windows, for the GDI to draw into. The window manager
// owns them and registers itself here; the GDI reaches them only through this
// interface, so neither includes the other's headers against the layering
// (the window manager sits above the GDI). Until the window manager registers,
// no window has pixels.
// Depends on: the display layer's Surface and the public Windows types.
#pragma once

#include <vector>

#include "display/surface.h"
#include "platform/wintypes.h"

namespace platform::display {

class WindowSurfaces {
 public:
  virtual ~WindowSurfaces() = default;
  // The client framebuffer of `hwnd` from its client (0, 0); `clip` receives
  // the part that may be drawn, `excluded` (when given) the rectangles of
  // children it clips out. False when the window has no pixels. Each acquire
  // needs one release.
  virtual bool acquire(HWND hwnd, Surface* out, RECT* clip, std::vector<RECT>* excluded) = 0;
  // `changed` (the surface's coordinates) was drawn and should reach the screen.
  virtual void release(HWND hwnd, const RECT& changed) = 0;
};

// Registers the window surfaces (kept for the life of the process).
void set_window_surfaces(WindowSurfaces* surfaces);
// The registered window surfaces, or ones that have no window.
WindowSurfaces& window_surfaces();

}  // namespace platform::display
