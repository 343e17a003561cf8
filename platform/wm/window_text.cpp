// SetWindowTextW: WM_SETTEXT sent to the window (DefWindowProc stores the text).
// Depends on: SendMessage. Reading text back is WM_GETTEXT's job.
#include "platform/windowing.h"

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}
