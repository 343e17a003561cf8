// MessageBoxW and MessageBoxA. There is no box to show yet: the message goes
// to stderr and the answer is IDOK.
#include <string>

#include "platform/kernel32.h"
#include "platform/user32.h"
#include "user/message_box_stderr.h"

namespace {

std::wstring to_wide(LPCSTR text) {
  if (text == nullptr || *text == '\0') return std::wstring();
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.pop_back();  // the terminator
  return wide;
}

}  // namespace

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
  platform::user::print_message_box(text, caption);
  return IDOK;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const std::wstring wide_text = to_wide(text);
  const std::wstring wide_caption = to_wide(caption);
  return MessageBoxW(owner, wide_text.c_str(), caption ? wide_caption.c_str() : nullptr, type);
}
