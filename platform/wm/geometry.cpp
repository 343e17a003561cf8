// Window and client rectangles, and conversions between client and screen
// coordinates. A captioned top-level window's frame is our own fixed metrics:
// SM_CXFRAME at the sides, SM_CYFRAME at the bottom, SM_CYFRAME + SM_CYCAPTION
// at the top; popups and children have none.
// Depends on: wm_state, system_metrics. Moves no window (window_pos does).
#include "platform/kernel32.h"
#include "wm/wm_state.h"

using namespace platform::wm;

namespace {

// Screen position of the client (0, 0) of `hwnd`, the screen's origin for null.
bool origin_of(HWND hwnd, POINT* out) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (hwnd == nullptr) {
    *out = POINT{0, 0};
    return true;
  }
  const Window* w = find_window(s, hwnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  *out = client_origin(s, w);
  return true;
}

}  // namespace

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  if (w == nullptr || rect == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *rect = RECT{0, 0, w->client_rect.right - w->client_rect.left, w->client_rect.bottom - w->client_rect.top};
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  if (w == nullptr || rect == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const POINT parent = client_origin(s, find_window(s, w->parent));
  *rect = RECT{w->window_rect.left + parent.x, w->window_rect.top + parent.y, w->window_rect.right + parent.x,
               w->window_rect.bottom + parent.y};
  return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD ex_style) {
  if (rect == nullptr) return FALSE;
  const RECT frame = frame_insets(style, ex_style);
  rect->left -= frame.left;
  rect->top -= frame.top;
  rect->right += frame.right;
  rect->bottom += frame.bottom;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
  POINT origin;
  if (point == nullptr || !origin_of(hwnd, &origin)) return FALSE;
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a, b;
  if (!origin_of(from, &a) || !origin_of(to, &b)) return 0;
  const LONG dx = a.x - b.x;
  const LONG dy = a.y - b.y;
  for (UINT i = 0; i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  SetLastError(0);
  return MAKELONG(static_cast<SHORT>(dx), static_cast<SHORT>(dy));
}

HWND WindowFromPoint(POINT point) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = window_at(s, point);
  return w ? w->handle : nullptr;
}
