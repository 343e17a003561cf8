// MessageBoxW. There is no box to show yet: the message goes to stderr and
// the answer is IDOK. Depends on: message_box_stderr (the text side).
#include "platform/user32.h"
#include "user/message_box_stderr.h"

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
  platform::user::print_message_box(text, caption);
  return IDOK;
}
