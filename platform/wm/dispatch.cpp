// DispatchMessage and TranslateMessage. A key press carries the text it
// typed in MSG::lPrivate (up to two UTF-16 units, low word first);
// TranslateMessage posts one WM_CHAR per unit.
// Depends on: wm_state, ansi_messages (procedures of A classes).
// Does not: dead keys or keyboard layouts (the backend types the text).
#include "platform/kernel32.h"
#include "wm/wm_state.h"

using namespace platform::wm;

LRESULT DispatchMessageW(const MSG* msg) {
  if (msg == nullptr) return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  if (msg->hwnd == nullptr) return 0;
  WNDPROC proc = nullptr;
  bool ansi = false;
  {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    const Window* w = find_window(s, msg->hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    proc = w->proc;
    ansi = w->ansi;
  }
  return proc ? call_window_proc(proc, ansi, msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

LRESULT DispatchMessageA(const MSG* msg) { return DispatchMessageW(msg); }

BOOL TranslateMessage(const MSG* msg) {
  if (msg == nullptr) return FALSE;
  const UINT m = msg->message;
  if (m != WM_KEYDOWN && m != WM_KEYUP && m != WM_SYSKEYDOWN && m != WM_SYSKEYUP) return FALSE;
  if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN) {
    const UINT character = m == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    for (const WORD unit : {LOWORD(msg->lPrivate), HIWORD(msg->lPrivate)}) {
      if (unit != 0) PostMessageW(msg->hwnd, character, unit, msg->lParam);
    }
  }
  return TRUE;
}
