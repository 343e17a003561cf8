// Layered window attributes: the opacity goes to the native window; the
// colour key is kept for GetLayeredWindowAttributes only.
#include "platform/kernel32.h"
#include "wm/wm_state.h"

using namespace platform::wm;

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
  State& s = state();
  std::shared_ptr<platform::display::NativeWindow> native;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    Window* w = find_window(s, hwnd);
    if (w == nullptr || !(w->ex_style & WS_EX_LAYERED)) {
      SetLastError(w == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    w->layered_set = true;
    w->layered_key = key;
    w->layered_alpha = alpha;
    w->layered_flags = flags;
    native = w->native;
  }
  if (native) native->set_opacity((flags & LWA_ALPHA) ? alpha : 255);
  return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  if (w == nullptr || !(w->ex_style & WS_EX_LAYERED) || !w->layered_set) {
    SetLastError(w == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (key != nullptr) *key = w->layered_key;
  if (alpha != nullptr) *alpha = w->layered_alpha;
  if (flags != nullptr) *flags = w->layered_flags;
  return TRUE;
}
