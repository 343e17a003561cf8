// Update regions, kept as their bounding rectangle: InvalidateRect,
// ValidateRect, UpdateWindow, and the search the message loop
// makes for a window that needs WM_PAINT.
// Depends on: wm_state. Draws nothing (BeginPaint does, in paint_dc).
#include <algorithm>

#include "platform/kernel32.h"
#include "wm/message_sources.h"
#include "wm/wm_state.h"

namespace platform::wm {
namespace {

bool empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

RECT unite(const RECT& a, const RECT& b) {
  if (empty(a)) return b;
  if (empty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

// The update rectangle minus `r` when what is left is a rectangle; unchanged otherwise.
RECT subtract(const RECT& update, const RECT& r) {
  const RECT overlap = intersect(update, r);
  if (empty(overlap)) return update;
  RECT left = update;
  const bool full_width = overlap.left <= update.left && overlap.right >= update.right;
  const bool full_height = overlap.top <= update.top && overlap.bottom >= update.bottom;
  if (full_width && full_height) return RECT{0, 0, 0, 0};
  if (full_width && overlap.top <= update.top)
    left.top = overlap.bottom;
  else if (full_width && overlap.bottom >= update.bottom)
    left.bottom = overlap.top;
  else if (full_height && overlap.left <= update.left)
    left.left = overlap.right;
  else if (full_height && overlap.right >= update.right)
    left.right = overlap.left;
  return left;
}

RECT client_area(const Window* w) {
  return RECT{0, 0, w->client_rect.right - w->client_rect.left, w->client_rect.bottom - w->client_rect.top};
}

bool needs_paint(State& s, const Window* w) { return !empty(w->update) && is_really_visible(s, w); }

BOOL invalidate(HWND hwnd, const RECT* rect, BOOL erase) {
  State& s = state();
  std::shared_ptr<MessageQueue> queue;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    Window* w = find_window(s, hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    const RECT area = rect ? intersect(*rect, client_area(w)) : client_area(w);
    if (empty(area)) return TRUE;
    w->update = unite(w->update, area);
    w->erase = w->erase || erase;
    queue = w->queue;
  }
  if (queue) queue->wake();
  return TRUE;
}

}  // namespace

HWND find_paint_window(DWORD thread, const MessageFilter& filter) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  std::vector<HWND> all;
  collect_tree(s, s.desktop, &all);
  for (HWND hwnd : all) {
    const Window* w = find_window(s, hwnd);
    if (w->thread == thread && filter.matches_window(hwnd) && needs_paint(s, w)) return hwnd;
  }
  return nullptr;
}

bool thread_needs_paint(DWORD thread) { return find_paint_window(thread, MessageFilter{}) != nullptr; }

}  // namespace platform::wm

using namespace platform::wm;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (hwnd != nullptr) return invalidate(hwnd, rect, erase);
  std::vector<HWND> all;
  {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    collect_tree(s, s.desktop, &all);
  }
  for (HWND each : all) invalidate(each, nullptr, erase);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  Window* w = find_window(s, hwnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  w->update = rect ? subtract(w->update, *rect) : RECT{0, 0, 0, 0};
  if (empty(w->update)) {
    w->update = RECT{0, 0, 0, 0};
    w->erase = false;
  }
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  bool paint = false;
  {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    const Window* w = find_window(s, hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    paint = needs_paint(s, w);
  }
  if (paint) send_message(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}
