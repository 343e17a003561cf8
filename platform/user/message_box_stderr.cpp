// Message box text on stderr, converted from wide text to UTF-8.
// Depends on: WideCharToMultiByte, stderr. Shows no window.
#include "user/message_box_stderr.h"

#include <cstdio>
#include <string>

#include "platform/kernel32.h"

namespace platform::user {
namespace {

std::string to_utf8(LPCWSTR text) {
  if (text == nullptr || *text == L'\0') return std::string();
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
  utf8.pop_back();  // the terminator
  return utf8;
}

}  // namespace

void print_message_box(LPCWSTR text, LPCWSTR caption) {
  const std::string line = to_utf8(caption ? caption : L"Error") + ": " + to_utf8(text) + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace platform::user
