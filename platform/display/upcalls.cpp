// The sinks the window manager registers with the display layer (input
// events, window surfaces), and the stand-ins used until it does: they drop
// events and give no window pixels.
// Depends on: event_sink.h, window_surfaces.h. Knows no implementation of either.
#include <atomic>

#include "display/event_sink.h"
#include "display/window_surfaces.h"

namespace platform::display {
namespace {

class NoEvents final : public EventSink {
 public:
  void key_event(HWND, UINT, UINT, bool, bool, const std::u16string&) override {}
  void text_committed(HWND, const std::u16string&) override {}
  void pointer_moved(HWND, int, int) override {}
  void button_event(HWND, int, bool, int, int) override {}
  void wheel_event(HWND, int, int, int) override {}
  void close_requested(HWND) override {}
  void client_rect_changed(HWND, const RECT&) override {}
  void needs_repaint(HWND, const RECT&) override {}
  void focus_changed(HWND, bool) override {}
  HWND top_level_at(POINT) override { return nullptr; }
};

class NoWindowSurfaces final : public WindowSurfaces {
 public:
  bool acquire(HWND, Surface*, RECT*, std::vector<RECT>*) override { return false; }
  void release(HWND, const RECT&) override {}
};

NoEvents no_events;
NoWindowSurfaces no_window_surfaces;
std::atomic<EventSink*> events{&no_events};
std::atomic<WindowSurfaces*> surfaces{&no_window_surfaces};

}  // namespace

void set_event_sink(EventSink* sink) { events = sink != nullptr ? sink : &no_events; }
EventSink& event_sink() { return *events; }

void set_window_surfaces(WindowSurfaces* s) { surfaces = s != nullptr ? s : &no_window_surfaces; }
WindowSurfaces& window_surfaces() { return *surfaces; }

}  // namespace platform::display
