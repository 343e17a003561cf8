// Connects the window manager to the display layer below it: input events
// from the backends, and the window pixels the GDI draws into.
// Depends on: display/event_sink.h, display/window_surfaces.h.
#pragma once

namespace platform::wm {

// Registers the window manager's sinks with the display layer; called once,
// when the window manager's state is made (before any window exists).
void connect_to_display();

}  // namespace platform::wm
