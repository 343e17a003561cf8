// The window manager's side of the display layer's sinks: events go to the
// calls of input_events.h, window pixels come from window_surface.h, and the
// top-level window under a point is found as the desktop would find it.
// Depends on: input_events.h, window_surface.h, the public USER32 calls.
// Holds no state of its own.
#include "wm/display_sinks.h"

#include "display/event_sink.h"
#include "display/window_surfaces.h"
#include "platform/windowing.h"
#include "wm/input_events.h"
#include "wm/window_surface.h"

namespace platform::wm {
namespace {

class Events final : public display::EventSink {
 public:
  void key_event(HWND hwnd, UINT vk, UINT scan, bool down, bool repeat, const std::u16string& text) override {
    wm::key_event(hwnd, vk, scan, down, repeat, text);
  }
  void text_committed(HWND hwnd, const std::u16string& text) override { wm::text_committed(hwnd, text); }
  void pointer_moved(HWND hwnd, int x, int y) override { wm::pointer_moved(hwnd, x, y); }
  void button_event(HWND hwnd, int button, bool down, int x, int y) override {
    wm::button_event(hwnd, button, down, x, y);
  }
  void wheel_event(HWND hwnd, int delta, int x, int y) override { wm::wheel_event(hwnd, delta, x, y); }
  void close_requested(HWND hwnd) override { wm::close_requested(hwnd); }
  void client_rect_changed(HWND hwnd, const RECT& client) override { wm::client_rect_changed(hwnd, client); }
  void needs_repaint(HWND hwnd, const RECT& client_area) override { wm::needs_repaint(hwnd, client_area); }
  void focus_changed(HWND hwnd, bool focused) override { wm::focus_changed(hwnd, focused); }

  HWND top_level_at(POINT screen_point) override {
    HWND hwnd = WindowFromPoint(screen_point);
    for (HWND parent = GetParent(hwnd); parent != nullptr && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD);
         parent = GetParent(hwnd)) {
      hwnd = parent;
    }
    return hwnd;
  }
};

class Surfaces final : public display::WindowSurfaces {
 public:
  bool acquire(HWND hwnd, display::Surface* out, RECT* clip, std::vector<RECT>* excluded) override {
    return window_surface_acquire(hwnd, out, clip, excluded);
  }
  void release(HWND hwnd, const RECT& changed) override { window_surface_release(hwnd, changed); }
};

}  // namespace

void connect_to_display() {
  static Events events;
  static Surfaces surfaces;
  display::set_event_sink(&events);
  display::set_window_surfaces(&surfaces);
}

}  // namespace platform::wm
