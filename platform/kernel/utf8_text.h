// Wide text (file names, command lines) as the UTF-8 the POSIX calls take.
// Depends on: kernel32.h. Reverses nothing: UTF-8 to wide is MultiByteToWideChar's.
#pragma once

#include <string>

#include "platform/kernel32.h"

namespace platform::kernel {

// UTF-8 of a zero-terminated wide string; characters that cannot be encoded
// (lone surrogates) become '?'.
std::string utf8_of(LPCWSTR text);

}  // namespace platform::kernel
