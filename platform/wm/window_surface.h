// What the GDI needs of the window manager to draw into a window: the pixels
// of its client area, and a notice of what changed so that it reaches the
// screen. The GDI reaches these through display/window_surfaces.h.
// Depends on: display/surface.h. Draws nothing itself.
#pragma once

#include <vector>

#include "display/surface.h"
#include "platform/wintypes.h"

namespace platform::wm {

// The client framebuffer of `hwnd` (32-bit, client size; a child window
// draws into its top-level window's framebuffer at its offset, clipped to its
// client area). False when the window does not exist or has no client area.
// The pixels stay valid until window_surface_release.
// `out` starts at the window's client (0, 0), so its coordinates are client
// coordinates; `clip` receives the part that may be drawn (the client area
// within the framebuffer and the ancestors' client areas), in the same
// coordinates; `excluded`, when given, the rectangles of its visible
// children when it has WS_CLIPCHILDREN. Each acquire needs one release.
bool window_surface_acquire(HWND hwnd, display::Surface* out, RECT* clip, std::vector<RECT>* excluded = nullptr);
// `changed` (the surface's coordinates) was drawn; the window manager presents it.
void window_surface_release(HWND hwnd, const RECT& changed);

// Draws a child window's frame (border, client edge, scroll bar strip) and
// presents it; nothing for windows without one.
void paint_child_frame(HWND hwnd);

}  // namespace platform::wm
