// Presenting frames to the window and pumping the controls. Internal.
// Depends on: state. Does not own the window.
#pragma once

#include "graphics/state.h"

namespace frond {

// Copies the visual page's window-viewport area to the client area; -1 before the window is ready.
int blit_visual_page();
// The present: -1 once the window is destroyed.
int present_window(graphics_state* s);
// Presents when forced or when a refresh is due; true while the window is not destroyed.
bool present_if_due(graphics_state* s, bool force);
// Presents what was drawn, passes queued input to the controls, pauses 1 ms.
bool gui_pump(graphics_state* s);
// Passes the queued input not yet passed to the root control, then runs the update walk.
void dispatch_to_controls(graphics_state* s);
// The present of delay_ms(0): only when something was drawn since the last present.
void present_now();

// Page `page`, made with the drawing size when missing.
IMAGE* page_image(int page);

}  // namespace frond
