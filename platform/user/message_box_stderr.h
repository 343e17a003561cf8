// The text side of a message box: what every box prints to stderr, with or
// without a display to show it on.
// Depends on: wintypes.h. Shows no window.
#pragma once

#include "platform/wintypes.h"

namespace platform::user {

// Writes "<caption>: <text>" and a newline to stderr in UTF-8. A null
// caption reads "Error", as on Windows; a null text is empty.
void print_message_box(LPCWSTR text, LPCWSTR caption);

}  // namespace platform::user
