// MessageBoxW and MessageBoxA. There is no box to show yet: the message goes
// to stderr and the answer is IDOK.
#include <string>

#include "platform/kernel32.h"
#include "platform/user32.h"
#include "user/message_box_stderr.h"

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
  platform::user::print_message_box(text, caption);
  return IDOK;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const std::wstring wide_text = platform::multibyte_to_wide(CP_ACP, text);
  const std::wstring wide_caption = platform::multibyte_to_wide(CP_ACP, caption);
  return MessageBoxW(owner, wide_text.c_str(), caption ? wide_caption.c_str() : nullptr, type);
}
