// BeginPaint and EndPaint: the update region is taken (validated), a child
// window's frame is drawn, the DC is the window's client DC clipped to it,
// and WM_ERASEBKGND is sent when the invalidation asked for erasing.
// Depends on: wm_state, window_surface, the GDI's window DCs.
#include "gdi/window_dc.h"
#include "platform/kernel32.h"
#include "wm/window_surface.h"
#include "wm/wm_state.h"

using namespace platform::wm;

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
  if (paint == nullptr) return nullptr;
  RECT update = {};
  bool erase = false;
  {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    Window* w = find_window(s, hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    update = w->update;
    erase = w->erase;
    w->update = RECT{0, 0, 0, 0};
    w->erase = false;
  }
  paint_child_frame(hwnd);
  *paint = PAINTSTRUCT{};
  paint->hdc = platform::gdi::create_window_dc(hwnd);
  paint->rcPaint = update;
  if (paint->hdc != nullptr) {
    IntersectClipRect(paint->hdc, update.left, update.top, update.right, update.bottom);
    if (erase) paint->fErase = !send_message(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0);
  }
  return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
  if (paint != nullptr && paint->hdc != nullptr) platform::gdi::release_window_dc(paint->hdc);
  return TRUE;
}
