// Where a display backend hands what happened on the screen to the layer
// above it. The X11 backend's event thread calls the sink, and so do the
// headless backend's test seams, so that input takes one road whatever the
// display. The window manager registers its sink before it makes its first
// window; until then events are dropped (there is no window to receive them).
// Depends on: the public Windows types. Calls nothing above this layer except
// through the sink it is given.
#pragma once

#include <string>

#include "platform/wintypes.h"

namespace platform::display {

class EventSink {
 public:
  virtual ~EventSink() = default;
  // A key went down or up. `vk` is the virtual-key code (VK_*); `scan` the
  // hardware scan code; `repeat` marks an auto-repeated press. `text` is what
  // the press types, as UTF-16 units (empty for keys that type nothing).
  virtual void key_event(HWND hwnd, UINT vk, UINT scan, bool down, bool repeat, const std::u16string& text) = 0;
  // An input method committed `text` (UTF-16 units) without a key of its own.
  virtual void text_committed(HWND hwnd, const std::u16string& text) = 0;
  // The pointer moved to (x, y) in screen coordinates.
  virtual void pointer_moved(HWND hwnd, int x, int y) = 0;
  // Button 0 left, 1 right, 2 middle went down or up at (x, y), screen coordinates.
  virtual void button_event(HWND hwnd, int button, bool down, int x, int y) = 0;
  // The wheel turned by `delta` (+120 away from the user) at (x, y), screen coordinates.
  virtual void wheel_event(HWND hwnd, int delta, int x, int y) = 0;
  // The user asked to close the window.
  virtual void close_requested(HWND hwnd) = 0;
  // The desktop's window manager moved or resized the window; client area in screen coordinates.
  virtual void client_rect_changed(HWND hwnd, const RECT& client) = 0;
  // The window's content was lost and must be painted again.
  virtual void needs_repaint(HWND hwnd, const RECT& client_area) = 0;
  // Keyboard focus came to (true) or left (false) the window.
  virtual void focus_changed(HWND hwnd, bool focused) = 0;
  // The top-level window under a screen point, for a backend with no window
  // system to ask (headless); null when there is none.
  virtual HWND top_level_at(POINT screen_point) = 0;
};

// Registers the sink (kept for the life of the process).
void set_event_sink(EventSink* sink);
// The registered sink, or one that drops everything.
EventSink& event_sink();

}  // namespace platform::display
