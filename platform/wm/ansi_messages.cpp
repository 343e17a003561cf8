// Text conversion of WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH and the
// CREATESTRUCT of WM_NCCREATE/WM_CREATE. Other messages pass unchanged.
// Depends on: wm_state, the text conversion of kernel32.h. Sends nothing itself.
#include "wm/ansi_messages.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/kernel32.h"
#include "wm/wm_state.h"

namespace platform::wm {
namespace {

// Copies as much of `text` as fits with its terminator; returns the count copied.
template <typename Char>
LRESULT copy_truncated(const std::basic_string<Char>& text, Char* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return 0;
  const size_t count = std::min(text.size(), capacity - 1);
  std::copy(text.begin(), text.begin() + static_cast<ptrdiff_t>(count), out);
  out[count] = Char(0);
  return static_cast<LRESULT>(count);
}

template <typename To, typename From, typename Convert>
LRESULT convert_create(LPARAM lparam, const MessageCall& call, WPARAM wparam, Convert convert) {
  const From& from = *reinterpret_cast<const From*>(lparam);
  To to;
  std::memcpy(static_cast<void*>(&to), &from, sizeof to);  // same layout; only the two names differ
  const auto name = convert(from.lpszName);
  const auto class_name = convert(from.lpszClass);
  to.lpszName = from.lpszName ? name.c_str() : nullptr;
  to.lpszClass =
      IS_INTRESOURCE(from.lpszClass) ? reinterpret_cast<decltype(to.lpszClass)>(from.lpszClass) : class_name.c_str();
  return call(wparam, reinterpret_cast<LPARAM>(&to));
}

std::wstring widen_name(LPCSTR text) { return IS_INTRESOURCE(text) ? std::wstring() : multibyte_to_wide(CP_ACP, text); }
std::string narrow_name(LPCWSTR text) { return IS_INTRESOURCE(text) ? std::string() : wide_to_multibyte(CP_ACP, text); }

}  // namespace

LRESULT with_wide_message(UINT message, WPARAM wparam, LPARAM lparam, const MessageCall& call) {
  switch (message) {
    case WM_SETTEXT: {
      if (lparam == 0) break;
      const std::wstring text = multibyte_to_wide(CP_ACP, reinterpret_cast<LPCSTR>(lparam));
      return call(wparam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    case WM_GETTEXT: {
      std::vector<wchar_t> wide(wparam + 1, L'\0');
      call(wparam, reinterpret_cast<LPARAM>(wide.data()));
      return copy_truncated(wide_to_multibyte(CP_ACP, wide.data()), reinterpret_cast<LPSTR>(lparam), wparam);
    }
    case WM_GETTEXTLENGTH: {
      const LRESULT length = call(wparam, lparam);
      std::vector<wchar_t> wide(static_cast<size_t>(length) + 1, L'\0');
      call(wide.size(), reinterpret_cast<LPARAM>(wide.data()));
      return static_cast<LRESULT>(wide_to_multibyte(CP_ACP, wide.data()).size());
    }
    case WM_NCCREATE:
    case WM_CREATE:
      if (lparam == 0) break;
      return convert_create<CREATESTRUCTW, CREATESTRUCTA>(lparam, call, wparam, widen_name);
    default:
      break;
  }
  return call(wparam, lparam);
}

LRESULT with_ansi_message(UINT message, WPARAM wparam, LPARAM lparam, const MessageCall& call) {
  switch (message) {
    case WM_SETTEXT: {
      if (lparam == 0) break;
      const std::string text = wide_to_multibyte(CP_ACP, reinterpret_cast<LPCWSTR>(lparam));
      return call(wparam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    case WM_GETTEXT: {
      std::vector<char> bytes(wparam * 4 + 1, '\0');
      call(wparam * 4, reinterpret_cast<LPARAM>(bytes.data()));
      return copy_truncated(multibyte_to_wide(CP_ACP, bytes.data()), reinterpret_cast<LPWSTR>(lparam), wparam);
    }
    case WM_NCCREATE:
    case WM_CREATE:
      if (lparam == 0) break;
      return convert_create<CREATESTRUCTA, CREATESTRUCTW>(lparam, call, wparam, narrow_name);
    default:
      break;
  }
  return call(wparam, lparam);
}

LRESULT call_window_proc(WNDPROC proc, bool ansi, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!ansi) return proc(hwnd, message, wparam, lparam);
  return with_ansi_message(message, wparam, lparam,
                           [proc, hwnd, message](WPARAM w, LPARAM l) { return proc(hwnd, message, w, l); });
}

}  // namespace platform::wm

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return proc ? proc(hwnd, message, wparam, lparam) : 0;
}
