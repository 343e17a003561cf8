// SetLayeredWindowAttributes: the opacity goes to the native window (LWA_ALPHA,
// else opaque). Depends on: wm_state, the display backend's native window.
// The colour key is accepted and ignored: no backend cuts holes in windows.
#include "platform/kernel32.h"
#include "wm/wm_state.h"

using namespace platform::wm;

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF, BYTE alpha, DWORD flags) {
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
    native = w->native;
  }
  if (native) native->set_opacity((flags & LWA_ALPHA) ? alpha : 255);
  return TRUE;
}
