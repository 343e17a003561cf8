// The W form of an A text call: 8-bit text in the ANSI code page as wide text.
#pragma once

#include <string>

#include "platform/kernel32.h"

namespace platform::gdi {

// `count` bytes of `text` (-1: up to the terminator) as wide text; empty when
// there are none or they do not convert.
inline std::wstring ansi_to_wide(LPCSTR text, int count) {
  if (text == nullptr || count == 0) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text, count, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, count, out.data(), n);
  if (count < 0) out.pop_back();  // the terminator
  return out;
}

}  // namespace platform::gdi
