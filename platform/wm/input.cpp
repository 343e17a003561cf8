// Input from the display backend turned into window messages on the owning
// thread's input list: keys to the focus window, pointer messages to the
// capture window or the window under the pointer, in its client coordinates.
// Nothing here waits for a window procedure.
// Depends on: wm_state, key_state, message queues, window_pos (activation).
#include <cstdlib>

#include "platform/kernel32.h"
#include "wm/input_events.h"
#include "wm/key_state.h"
#include "wm/message_sources.h"
#include "wm/window_pos.h"
#include "wm/wm_state.h"

namespace platform::wm {
namespace {

struct Target {
  HWND hwnd = nullptr;
  std::shared_ptr<MessageQueue> queue;
  POINT client = {};  // the pointer in the target's client coordinates
  UINT class_style = 0;
};

bool make_target(State& s, Window* w, POINT screen, Target* out) {
  if (w == nullptr || !w->queue) return false;
  const POINT origin = client_origin(s, w);
  out->hwnd = w->handle;
  out->queue = w->queue;
  out->client = POINT{screen.x - origin.x, screen.y - origin.y};
  out->class_style = w->cls ? w->cls->style : 0;
  return true;
}

bool pointer_target(HWND hint, POINT screen, Target* out) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  Window* w = find_window(s, s.capture);
  if (w == nullptr) w = window_at(s, screen);
  if (w == nullptr) w = find_window(s, hint);
  return make_target(s, w, screen, out);
}

// The focus window when it lies in `hint`'s top-level window (or there is no hint), else `hint`.
bool keyboard_target(HWND hint, POINT screen, Target* out) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  Window* focus = find_window(s, s.focus);
  Window* top = top_level_of(s, find_window(s, hint));
  Window* w = focus != nullptr && (top == nullptr || top_level_of(s, focus) == top) ? focus : find_window(s, hint);
  return make_target(s, w, screen, out);
}

POINT pointer_now() {
  POINT p = {0, 0};
  GetCursorPos(&p);
  return p;
}

void post_input(const Target& t, UINT message, WPARAM wparam, LPARAM lparam, POINT screen, DWORD text = 0) {
  t.queue->push_input(MSG{t.hwnd, message, wparam, lparam, GetTickCount(), screen, text});
}

LPARAM point_lparam(POINT p) { return MAKELPARAM(static_cast<SHORT>(p.x), static_cast<SHORT>(p.y)); }

struct LastClick {
  std::mutex mutex;
  HWND hwnd = nullptr;
  int button = -1;
  DWORD time = 0;
  POINT at = {};
};

LastClick& last_click() {
  static LastClick* const click = new LastClick();
  return *click;
}

// True when this press completes a double click (and then forgets the first press).
bool is_double_click(const Target& t, int button, POINT screen) {
  LastClick& c = last_click();
  std::lock_guard<std::mutex> lock(c.mutex);
  const DWORD now = GetTickCount();
  const bool twice = (t.class_style & CS_DBLCLKS) && c.hwnd == t.hwnd && c.button == button &&
                     now - c.time <= GetDoubleClickTime() &&
                     std::abs(screen.x - c.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                     std::abs(screen.y - c.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  c.hwnd = twice ? nullptr : t.hwnd;
  c.button = twice ? -1 : button;
  c.time = now;
  c.at = screen;
  return twice;
}

constexpr UINT kButtonKeys[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
constexpr UINT kButtonDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};

}  // namespace

void key_event(HWND hwnd, UINT vk, UINT scan, bool down, bool repeat, const std::u16string& text) {
  set_async_key(vk, down);
  Target t;
  if (!keyboard_target(hwnd, pointer_now(), &t)) return;
  const DWORD previous = down ? (repeat ? 1u : 0u) : 1u;
  const LPARAM lparam = static_cast<LPARAM>(1u | ((scan & 0xFFu) << 16) | (previous << 30) | ((down ? 0u : 1u) << 31));
  DWORD typed = 0;
  if (down && !text.empty()) typed = MAKELONG(text[0], text.size() > 1 ? text[1] : 0);
  post_input(t, down ? WM_KEYDOWN : WM_KEYUP, vk, lparam, pointer_now(), typed);
}

void text_committed(HWND hwnd, const std::u16string& text) {
  if (text.empty()) return;
  for (size_t i = 0; i < text.size(); i += 2) key_event(hwnd, VK_PROCESSKEY, 0, true, false, text.substr(i, 2));
  key_event(hwnd, VK_PROCESSKEY, 0, false, false, u"");
}

void pointer_moved(HWND hwnd, int x, int y) {
  const POINT screen = {x, y};
  Target t;
  if (pointer_target(hwnd, screen, &t)) post_input(t, WM_MOUSEMOVE, mouse_key_flags(), point_lparam(t.client), screen);
}

void button_event(HWND hwnd, int button, bool down, int x, int y) {
  if (button < 0 || button > 2) return;
  set_async_key(kButtonKeys[button], down);
  const POINT screen = {x, y};
  Target t;
  if (!pointer_target(hwnd, screen, &t)) return;
  UINT message = kButtonDown[button];
  if (!down)
    message += 1;
  else if (is_double_click(t, button, screen))
    message += 2;
  post_input(t, message, mouse_key_flags(), point_lparam(t.client), screen);
}

void wheel_event(HWND hwnd, int delta, int x, int y) {
  const POINT screen = {x, y};
  Target t;
  if (!keyboard_target(hwnd, screen, &t) && !pointer_target(hwnd, screen, &t)) return;
  const WPARAM wparam = MAKEWPARAM(mouse_key_flags(), static_cast<WORD>(static_cast<SHORT>(delta)));
  post_input(t, WM_MOUSEWHEEL, wparam, point_lparam(screen), screen);
}

void close_requested(HWND hwnd) { PostMessageW(hwnd, WM_CLOSE, 0, 0); }

void client_rect_changed(HWND hwnd, const RECT& client) {
  run_on_owner(hwnd, [hwnd, client] {
    const RECT frame = frame_insets(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)),
                                    static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)));
    set_window_pos(hwnd, nullptr, client.left - frame.left, client.top - frame.top,
                   client.right - client.left + frame.left + frame.right,
                   client.bottom - client.top + frame.top + frame.bottom, SWP_NOZORDER | SWP_NOACTIVATE, true);
  });
}

void needs_repaint(HWND hwnd, const RECT& client_area) { InvalidateRect(hwnd, &client_area, FALSE); }

void focus_changed(HWND hwnd, bool focused) {
  run_on_owner(hwnd, [hwnd, focused] {
    if (focused) {
      activate_window(hwnd);
    } else {
      deactivate_window(hwnd);
    }
  });
}

void input_message_removed(const MSG& msg) {
  const bool pointer = msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
                       msg.message == WM_MBUTTONDOWN;
  if (!pointer || GetCapture() != nullptr) return;
  const LRESULT hit = send_message(msg.hwnd, WM_NCHITTEST, 0, point_lparam(msg.pt));
  send_message(msg.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(msg.hwnd), MAKELPARAM(hit, msg.message));
}

}  // namespace platform::wm
