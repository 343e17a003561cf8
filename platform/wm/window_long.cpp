// GetWindowLongW/SetWindowLongW and their pointer forms, GetParent, the desktop
// window. Style changes send WM_STYLECHANGING and WM_STYLECHANGED; the
// topmost bit of the extended style changes only through SetWindowPos, as on Windows.
// Depends on: wm_state, SendMessage. Has no A forms.
#include <cstring>

#include "platform/kernel32.h"
#include "wm/wm_state.h"

using namespace platform::wm;

namespace {

// Reads (value null) or writes a field of the window; `bytes` is 4 for the
// LONG forms and 8 for the pointer forms (extra bytes only).
LONG_PTR window_long(HWND hwnd, int index, const LONG_PTR* value, size_t bytes) {
  State& s = state();
  LONG_PTR old = 0;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    Window* w = find_window(s, hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    switch (index) {
      case GWLP_WNDPROC:
        old = reinterpret_cast<LONG_PTR>(w->proc);
        if (value != nullptr) {
          w->proc = reinterpret_cast<WNDPROC>(*value);
          w->ansi = false;  // a procedure set here takes wide text
        }
        return old;
      case GWLP_USERDATA:
        old = w->user_data;
        if (value != nullptr) w->user_data = *value;
        return old;
      case GWLP_ID:
        old = w->id;
        if (value != nullptr) w->id = *value;
        return old;
      case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->instance);
        if (value != nullptr) w->instance = reinterpret_cast<HINSTANCE>(*value);
        return old;
      case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>((w->style & WS_CHILD) ? w->parent : w->owner);
      case GWL_STYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
      case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->ex_style));
      default:
        break;
    }
    if (index < 0 || static_cast<size_t>(index) + bytes > w->extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    if (bytes == sizeof(LONG)) {
      LONG word = 0;
      std::memcpy(&word, &w->extra[static_cast<size_t>(index)], sizeof word);
      old = word;
      word = value ? static_cast<LONG>(*value) : word;
      std::memcpy(&w->extra[static_cast<size_t>(index)], &word, sizeof word);
    } else {
      std::memcpy(&old, &w->extra[static_cast<size_t>(index)], sizeof old);
      if (value != nullptr) std::memcpy(&w->extra[static_cast<size_t>(index)], value, sizeof old);
    }
  }
  return old;
}

LONG_PTR set_style(HWND hwnd, int index, LONG_PTR value) {
  State& s = state();
  STYLESTRUCT change = {};
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    const Window* w = find_window(s, hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    change.styleOld = index == GWL_STYLE ? w->style : w->ex_style;
    change.styleNew = static_cast<DWORD>(value);
    if (index == GWL_EXSTYLE) change.styleNew = (change.styleNew & ~WS_EX_TOPMOST) | (w->ex_style & WS_EX_TOPMOST);
  }
  send_message(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
  std::shared_ptr<platform::display::NativeWindow> native;
  bool shown = false;
  bool visibility_changed = false;
  bool opacity_reset = false;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    Window* w = find_window(s, hwnd);
    if (w == nullptr) return 0;
    if (index == GWL_STYLE) {
      w->style = change.styleNew;
    } else {
      opacity_reset = (w->ex_style & WS_EX_LAYERED) && !(change.styleNew & WS_EX_LAYERED) && w->layered_set;
      if (opacity_reset) w->layered_set = false;
      w->ex_style = change.styleNew;
    }
    native = w->native;
    shown = (w->style & WS_VISIBLE) && !(w->style & WS_MINIMIZE);
    visibility_changed = shown != w->native_shown;
    w->native_shown = shown;
  }
  if (native && visibility_changed) native->set_visible(shown);
  if (native && opacity_reset) native->set_opacity(255);
  send_message(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
  return static_cast<LONG_PTR>(static_cast<LONG>(change.styleOld));
}

LONG_PTR set_long(HWND hwnd, int index, LONG_PTR value, size_t bytes) {
  if (index == GWL_STYLE || index == GWL_EXSTYLE) return set_style(hwnd, index, value);
  SetLastError(0);
  return window_long(hwnd, index, &value, bytes);
}

}  // namespace

LONG GetWindowLongW(HWND hwnd, int index) { return static_cast<LONG>(window_long(hwnd, index, nullptr, sizeof(LONG))); }
LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
  return static_cast<LONG>(set_long(hwnd, index, value, sizeof(LONG)));
}
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) { return window_long(hwnd, index, nullptr, sizeof(LONG_PTR)); }
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) { return set_long(hwnd, index, value, sizeof(LONG_PTR)); }

HWND GetParent(HWND hwnd) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (w->style & WS_CHILD) return w->parent;
  return (w->style & WS_POPUP) ? w->owner : nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  for (const Window* w = find_window(s, hwnd); w != nullptr && (w->style & WS_CHILD); w = find_window(s, w->parent)) {
    if (w->parent == parent) return TRUE;
  }
  return FALSE;
}

HWND GetDesktopWindow() { return desktop_window(); }

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD process_id) {
  const DWORD thread = window_thread(hwnd);
  if (process_id != nullptr && thread != 0) *process_id = GetCurrentProcessId();
  return thread;
}
