// DefWindowProc: window text, closing, erasing with the class brush, the
// class cursor over the client area, hit testing, WM_MOVE/WM_SIZE after a
// position change, focus on activation; 0 for everything else.
// Depends on: wm_state, ansi_messages, the GDI (FillRect with the class brush).
#include <algorithm>

#include "wm/ansi_messages.h"
#include "wm/wm_state.h"

using namespace platform::wm;

namespace {

bool inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

void set_text(HWND hwnd, LPCWSTR text) {
  State& s = state();
  std::shared_ptr<platform::display::NativeWindow> native;
  std::wstring title;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    Window* w = find_window(s, hwnd);
    if (w == nullptr) return;
    w->text = text ? text : L"";
    title = w->text;
    native = w->native;
  }
  if (native) native->set_title(title);
}

std::wstring text_of(HWND hwnd) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  return w ? w->text : std::wstring();
}

LRESULT hit_test(HWND hwnd, POINT screen) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  if (w == nullptr) return HTNOWHERE;
  const POINT parent = client_origin(s, find_window(s, w->parent));
  const POINT p = {screen.x - parent.x, screen.y - parent.y};
  if (!inside(w->window_rect, p)) return HTNOWHERE;
  if (inside(w->client_rect, p)) return HTCLIENT;
  if (p.y < w->client_rect.top && p.y >= w->window_rect.top + GetSystemMetrics(SM_CYFRAME)) return HTCAPTION;
  if (!(w->style & WS_THICKFRAME)) return HTBORDER;
  const bool left = p.x < w->client_rect.left;
  const bool right = p.x >= w->client_rect.right;
  if (p.y >= w->client_rect.bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
  if (p.y < w->client_rect.top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
  return left ? HTLEFT : HTRIGHT;
}

struct CursorQuery {
  HWND parent = nullptr;  // a child asks its parent first
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  bool iconic = false;
  RECT client = {};
};

CursorQuery query(HWND hwnd) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  CursorQuery q;
  const Window* w = find_window(s, hwnd);
  if (w == nullptr) return q;
  if (w->style & WS_CHILD) q.parent = w->parent;
  if (w->cls) {
    q.cursor = w->cls->cursor;
    q.background = w->cls->background;
  }
  q.iconic = w->style & WS_MINIMIZE;
  q.client = w->client_rect;
  return q;
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lparam);
      if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName)) set_text(hwnd, cs->lpszName);
      return TRUE;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SETTEXT:
      set_text(hwnd, reinterpret_cast<LPCWSTR>(lparam));
      return TRUE;
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<LPWSTR>(lparam);
      if (out == nullptr || wparam == 0) return 0;
      const std::wstring text = text_of(hwnd);
      const size_t count = std::min(text.size(), static_cast<size_t>(wparam - 1));
      std::copy(text.begin(), text.begin() + static_cast<ptrdiff_t>(count), out);
      out[count] = L'\0';
      return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_of(hwnd).size());
    case WM_ERASEBKGND: {
      const CursorQuery q = query(hwnd);
      if (q.background == nullptr || wparam == 0) return 0;
      const RECT client = {0, 0, q.client.right - q.client.left, q.client.bottom - q.client.top};
      // A class background of COLOR_* + 1 names a system colour.
      const auto value = reinterpret_cast<ULONG_PTR>(q.background);
      const HBRUSH brush = value <= COLOR_MENUBAR + 1 ? GetSysColorBrush(static_cast<int>(value) - 1) : q.background;
      if (brush == nullptr) return 0;
      FillRect(reinterpret_cast<HDC>(wparam), &client, brush);
      return 1;
    }
    case WM_SETCURSOR: {
      const CursorQuery q = query(hwnd);
      if (q.parent != nullptr && send_message(q.parent, WM_SETCURSOR, wparam, lparam)) return TRUE;
      if (LOWORD(lparam) != HTCLIENT || q.cursor == nullptr) return FALSE;
      SetCursor(q.cursor);
      return TRUE;
    }
    case WM_NCHITTEST:
      return hit_test(hwnd, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
    case WM_WINDOWPOSCHANGED: {
      const auto* wp = reinterpret_cast<const WINDOWPOS*>(lparam);
      const CursorQuery q = query(hwnd);
      if (!(wp->flags & SWP_NOCLIENTMOVE)) send_message(hwnd, WM_MOVE, 0, MAKELPARAM(q.client.left, q.client.top));
      if (!(wp->flags & SWP_NOCLIENTSIZE)) {
        send_message(hwnd, WM_SIZE, q.iconic ? SIZE_MINIMIZED : SIZE_RESTORED,
                     q.iconic ? 0 : MAKELPARAM(q.client.right - q.client.left, q.client.bottom - q.client.top));
      }
      return 0;
    }
    case WM_ACTIVATE: {
      if (LOWORD(wparam) == WA_INACTIVE || query(hwnd).iconic) return 0;
      const HWND focus = GetFocus();
      if (focus == nullptr || (focus != hwnd && !IsChild(hwnd, focus))) SetFocus(focus_to_restore(hwnd));
      return 0;
    }
    case WM_PAINT:
      ValidateRect(hwnd, nullptr);
      return 0;
    default:
      return 0;
  }
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return with_wide_message(message, wparam, lparam,
                           [hwnd, message](WPARAM w, LPARAM l) { return DefWindowProcW(hwnd, message, w, l); });
}
