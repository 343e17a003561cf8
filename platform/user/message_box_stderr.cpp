// Message box text on stderr, converted from wide text to UTF-8.
// Depends on: wide_to_multibyte (kernel32.h), stderr. Shows no window.
#include "user/message_box_stderr.h"

#include <cstdio>
#include <string>

#include "platform/kernel32.h"

namespace platform::user {

void print_message_box(LPCWSTR text, LPCWSTR caption) {
  const std::string line = wide_to_multibyte(CP_UTF8, caption ? caption : L"Error") + ": " +
                           wide_to_multibyte(CP_UTF8, text) + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace platform::user
