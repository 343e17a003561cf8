// Activation, keyboard focus and mouse capture. They are process-wide here:
// one active window, one focus window, one capture window.
// Depends on: wm_state, window_pos (activation). Talks to the display only to raise.
#include "platform/kernel32.h"
#include "wm/window_pos.h"
#include "wm/wm_state.h"

namespace platform::wm {

HWND activate_window(HWND hwnd) {
  State& s = state();
  HWND top = nullptr;
  HWND old = nullptr;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    Window* w = top_level_of(s, find_window(s, hwnd));
    if (w == nullptr) return nullptr;
    top = w->handle;
    old = s.active;
    if (old == top) return old;
    s.active = top;
  }
  if (old != nullptr) send_message(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(top));
  send_message(top, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
  return old;
}

void deactivate_window(HWND hwnd) {
  State& s = state();
  HWND lost_focus = nullptr;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.active != hwnd) return;
    s.active = nullptr;
    if (s.focus != nullptr && is_descendant(s, s.focus, hwnd)) std::swap(lost_focus, s.focus);
    if (Window* w = find_window(s, hwnd)) w->last_focus = lost_focus;
  }
  send_message(hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
  if (lost_focus != nullptr) send_message(lost_focus, WM_KILLFOCUS, 0, 0);
}

HWND focus_to_restore(HWND hwnd) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  Window* w = find_window(s, hwnd);
  if (w == nullptr) return nullptr;
  const HWND last = w->last_focus;
  w->last_focus = nullptr;
  const Window* l = find_window(s, last);
  return l != nullptr && is_descendant(s, last, hwnd) && is_really_visible(s, l) ? last : hwnd;
}

}  // namespace platform::wm

using namespace platform::wm;

HWND SetActiveWindow(HWND hwnd) {
  if (!window_exists(hwnd)) return nullptr;
  return activate_window(hwnd);
}

HWND GetActiveWindow() {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.active;
}

BOOL SetForegroundWindow(HWND hwnd) {
  State& s = state();
  std::shared_ptr<platform::display::NativeWindow> native;
  HWND top = nullptr;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    Window* w = top_level_of(s, find_window(s, hwnd));
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    top = w->handle;
    native = w->native;
    place_in_z_order(s, w, HWND_TOP);
  }
  activate_window(top);
  if (native) native->raise_and_focus();
  return TRUE;
}

HWND SetFocus(HWND hwnd) {
  State& s = state();
  HWND previous = nullptr;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    previous = s.focus;
    if (hwnd != nullptr && find_window(s, hwnd) == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
  }
  if (hwnd != nullptr) activate_window(hwnd);
  HWND old = nullptr;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (hwnd != nullptr && find_window(s, hwnd) == nullptr) return previous;
    old = s.focus;
    if (old == hwnd) return previous;
    s.focus = hwnd;
  }
  if (old != nullptr) send_message(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (hwnd != nullptr) send_message(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return previous;
}

HWND GetFocus() {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.focus;
}

HWND SetCapture(HWND hwnd) {
  State& s = state();
  HWND old = nullptr;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (find_window(s, hwnd) == nullptr) return nullptr;
    old = s.capture;
    s.capture = hwnd;
  }
  if (old != nullptr && old != hwnd) send_message(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  State& s = state();
  HWND old = nullptr;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    std::swap(old, s.capture);
  }
  if (old != nullptr) send_message(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.capture;
}
