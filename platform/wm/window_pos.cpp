// SetWindowPos and the calls built on it. The order of messages follows
// Windows: WM_WINDOWPOSCHANGING, the change (activation included), then
// WM_WINDOWPOSCHANGED, whose default handling sends WM_MOVE and WM_SIZE.
// Showing or enlarging a window invalidates its client area.
// Depends on: wm_state, message_queue, the display backend's native windows.
#include "wm/window_pos.h"

#include <algorithm>

#include "platform/kernel32.h"
#include "wm/message_queue.h"
#include "wm/wm_state.h"

namespace platform::wm {
namespace {

bool same_rect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

LONG width_of(const RECT& r) { return r.right - r.left; }
LONG height_of(const RECT& r) { return r.bottom - r.top; }

// Position and size that SWP_NOMOVE and SWP_NOSIZE keep.
void fill_unchanged(WINDOWPOS* wp, const Window* w) {
  if (wp->flags & SWP_NOMOVE) {
    wp->x = w->window_rect.left;
    wp->y = w->window_rect.top;
  }
  if (wp->flags & SWP_NOSIZE) {
    wp->cx = width_of(w->window_rect);
    wp->cy = height_of(w->window_rect);
  }
}

// What the native window must be told after a change, gathered under the lock.
struct NativeChanges {
  std::shared_ptr<display::NativeWindow> native;
  bool rect = false;
  RECT client = {};
  bool topmost_changed = false;
  bool topmost = false;
  bool visibility_changed = false;
  bool shown = false;
};

void tell_native(const NativeChanges& c) {
  if (!c.native) return;
  if (c.rect) c.native->set_client_rect(c.client);
  if (c.topmost_changed) c.native->set_topmost(c.topmost);
  if (c.visibility_changed) c.native->set_visible(c.shown);
}

// Applies `wp` to the window; false when it no longer exists.
bool apply(const WINDOWPOS& requested, bool from_backend, WINDOWPOS* done, NativeChanges* native, bool* activate,
           std::shared_ptr<MessageQueue>* wake) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  Window* w = find_window(s, requested.hwnd);
  if (w == nullptr) return false;
  WINDOWPOS wp = requested;
  const bool was_visible = w->style & WS_VISIBLE;
  const DWORD old_ex_style = w->ex_style;
  if (!(wp.flags & SWP_NOZORDER)) {
    if (wp.hwndInsertAfter == HWND_TOPMOST) w->ex_style |= WS_EX_TOPMOST;
    if (wp.hwndInsertAfter == HWND_NOTOPMOST || wp.hwndInsertAfter == HWND_BOTTOM) w->ex_style &= ~WS_EX_TOPMOST;
    place_in_z_order(s, w, wp.hwndInsertAfter);
  }
  if (wp.flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (wp.flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;

  const RECT old_client = w->client_rect;
  fill_unchanged(&wp, w);  // WM_WINDOWPOSCHANGING may have added SWP_NOMOVE or SWP_NOSIZE
  if ((wp.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE) || (wp.flags & SWP_FRAMECHANGED)) {
    w->window_rect = RECT{wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0)};
    const RECT frame = frame_insets(w->style, w->ex_style);
    const RECT& r = w->window_rect;
    w->client_rect = RECT{r.left + frame.left, r.top + frame.top, std::max(r.left + frame.left, r.right - frame.right),
                          std::max(r.top + frame.top, r.bottom - frame.bottom)};
  }
  const RECT& client = w->client_rect;
  if (width_of(client) == width_of(old_client) && height_of(client) == height_of(old_client)) {
    wp.flags |= SWP_NOCLIENTSIZE;
  }
  if (client.left == old_client.left && client.top == old_client.top) wp.flags |= SWP_NOCLIENTMOVE;

  const bool visible = w->style & WS_VISIBLE;
  const bool enlarged = width_of(client) > width_of(old_client) || height_of(client) > height_of(old_client);
  if ((visible && !was_visible) || enlarged) {
    w->update = RECT{0, 0, width_of(client), height_of(client)};
    w->erase = true;
    *wake = w->queue;
  }
  fit_framebuffer(w);

  native->native = w->native;
  native->rect = !from_backend && !same_rect(client, old_client) && is_top_level(s, w);
  native->client = client;
  native->topmost_changed = (old_ex_style ^ w->ex_style) & WS_EX_TOPMOST;
  native->topmost = w->ex_style & WS_EX_TOPMOST;
  const bool shown = visible && !(w->style & WS_MINIMIZE);
  native->visibility_changed = shown != w->native_shown;
  native->shown = w->native_shown = shown;
  *activate = visible && is_top_level(s, w) && !(wp.flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW));
  *done = wp;
  return true;
}

}  // namespace

BOOL set_window_pos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags, bool from_backend) {
  WINDOWPOS wp = {hwnd, insert_after, x, y, width, height, flags};
  HWND uncovered_parent = nullptr;  // a visible child's parent, which must repaint where it was
  RECT old_rect = {};
  {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    const Window* w = find_window(s, hwnd);
    if (w == nullptr || hwnd == s.desktop) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if ((w->style & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE)) {
      uncovered_parent = w->parent;
      old_rect = w->window_rect;
    }
    fill_unchanged(&wp, w);
    if ((flags & SWP_SHOWWINDOW) && (w->style & WS_VISIBLE)) wp.flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !(w->style & WS_VISIBLE)) wp.flags &= ~SWP_HIDEWINDOW;
  }
  if (!(wp.flags & SWP_NOSENDCHANGING)) send_message(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
  WINDOWPOS done;
  NativeChanges native;
  bool activate = false;
  std::shared_ptr<MessageQueue> wake;
  if (!apply(wp, from_backend, &done, &native, &activate, &wake)) return FALSE;
  tell_native(native);
  if (uncovered_parent != nullptr && ((done.flags & SWP_HIDEWINDOW) || !(done.flags & SWP_NOMOVE) ||
                                      !(done.flags & SWP_NOSIZE))) {
    InvalidateRect(uncovered_parent, &old_rect, TRUE);
  }
  if (wake) wake->wake();
  if (activate) activate_window(hwnd);
  send_message(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
  return TRUE;
}

bool client_rect_in_parent(HWND hwnd, RECT* out) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  if (w == nullptr) return false;
  *out = w->client_rect;
  return true;
}

}  // namespace platform::wm

using namespace platform::wm;

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags) {
  return set_window_pos(hwnd, insert_after, x, y, width, height, flags, false);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  if (!SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW))) {
    return FALSE;
  }
  if (repaint) InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL ShowWindow(HWND hwnd, int command) {
  State& s = state();
  bool was_visible = false;
  bool was_iconic = false;
  const bool minimize = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
  const bool restore =
      command == SW_RESTORE || command == SW_SHOWNORMAL || command == SW_SHOWDEFAULT || command == SW_SHOWMAXIMIZED;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    Window* w = find_window(s, hwnd);
    if (w == nullptr || hwnd == s.desktop) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    was_visible = w->style & WS_VISIBLE;
    was_iconic = w->style & WS_MINIMIZE;
    if (minimize) w->style |= WS_MINIMIZE;
    if (restore) w->style &= ~WS_MINIMIZE;
  }
  if (command == SW_HIDE) {
    if (!was_visible) return FALSE;
    send_message(hwnd, WM_SHOWWINDOW, FALSE, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
  }
  if (!was_visible) send_message(hwnd, WM_SHOWWINDOW, TRUE, 0);
  const bool no_activate =
      minimize || command == SW_SHOWNA || command == SW_SHOWNOACTIVATE || command == SW_SHOWMINNOACTIVE;
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (no_activate ? SWP_NOACTIVATE : 0));
  if (minimize && !was_iconic) send_message(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
  if (restore && was_iconic) {
    RECT client;
    if (client_rect_in_parent(hwnd, &client)) {
      InvalidateRect(hwnd, nullptr, TRUE);
      send_message(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
    }
  }
  return was_visible;
}

BOOL IsWindowVisible(HWND hwnd) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  return w != nullptr && is_really_visible(s, w);
}

BOOL IsIconic(HWND hwnd) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  return w != nullptr && (w->style & WS_MINIMIZE);
}
