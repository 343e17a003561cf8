// The composition spot of input methods: a window's point moved into its
// top-level window's client area and given to the display backend.
// Depends on: wm_state, the display backend. Composes no text.
#include "wm/ime_spot.h"

#include "wm/wm_state.h"

namespace platform::wm {

bool set_composition_spot(HWND hwnd, POINT spot) {
  State& s = state();
  std::shared_ptr<display::NativeWindow> native;
  POINT at = {};
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    const Window* w = find_window(s, hwnd);
    const Window* top = top_level_of(s, w);
    if (w == nullptr || top == nullptr) return false;
    const POINT origin = client_origin(s, w), top_origin = client_origin(s, top);
    at = POINT{spot.x + origin.x - top_origin.x, spot.y + origin.y - top_origin.y};
    native = top->native;
  }
  if (native) native->set_input_spot(at);
  return true;
}

}  // namespace platform::wm
