// Window text. A window of the calling thread is asked through WM_GETTEXT and
// WM_SETTEXT; another thread's window text is read directly, so that reading
// never waits for that thread.
#include <algorithm>

#include "platform/kernel32.h"
#include "wm/wm_state.h"

using namespace platform::wm;

namespace {

bool owned_by_caller(HWND hwnd, std::wstring* text) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  if (w == nullptr) return false;
  *text = w->text;
  return w->thread == GetCurrentThreadId();
}

}  // namespace

int GetWindowTextW(HWND hwnd, LPWSTR text, int max_count) {
  if (text == nullptr || max_count <= 0) return 0;
  std::wstring current;
  if (owned_by_caller(hwnd, &current)) {
    return static_cast<int>(
        SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(max_count), reinterpret_cast<LPARAM>(text)));
  }
  const size_t count = std::min(current.size(), static_cast<size_t>(max_count - 1));
  std::copy(current.begin(), current.begin() + static_cast<ptrdiff_t>(count), text);
  text[count] = L'\0';
  return static_cast<int>(count);
}

int GetWindowTextA(HWND hwnd, LPSTR text, int max_count) {
  if (text == nullptr || max_count <= 0) return 0;
  std::wstring current;
  if (owned_by_caller(hwnd, &current)) {
    return static_cast<int>(
        SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(max_count), reinterpret_cast<LPARAM>(text)));
  }
  const std::string bytes = platform::wide_to_multibyte(CP_ACP, current.c_str());
  const size_t count = std::min(bytes.size(), static_cast<size_t>(max_count - 1));
  std::copy(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(count), text);
  text[count] = '\0';
  return static_cast<int>(count);
}

int GetWindowTextLengthW(HWND hwnd) {
  std::wstring current;
  if (owned_by_caller(hwnd, &current)) return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
  return static_cast<int>(current.size());
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}
