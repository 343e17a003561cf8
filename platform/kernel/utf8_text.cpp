// Wide text as UTF-8, through the code-page conversions.
// Depends on: codepage_convert. Sets no last error.
#include "kernel/utf8_text.h"

#include <cwchar>

#include "kernel/codepage_convert.h"

namespace platform::kernel {

std::string utf8_of(LPCWSTR text) {
  std::string out;
  encode_utf8(code_points_of_wide(text, std::wcslen(text)), false, &out);
  return out;
}

}  // namespace platform::kernel
