// MultiByteToWideChar and WideCharToMultiByte with Windows' calling
// conventions: a length of -1 takes the text up to and including its
// terminator, an output length of 0 asks for the size needed, and a buffer
// that is too small fails with ERROR_INSUFFICIENT_BUFFER. Also the string
// forms over them that every other caller uses.
// Depends on: codepage_convert (the encodings). Knows no code page itself.
#include <cstring>
#include <cwchar>

#include "kernel/codepage_convert.h"

namespace platform::kernel {
namespace {

bool valid_arguments(const void* text, int length, const void* out, int out_length) {
  if (text == nullptr || length == 0 || length < -1 || out_length < 0 || (out == nullptr && out_length != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return true;
}

bool report(Conversion result) {
  if (result == Conversion::unknown_code_page) SetLastError(ERROR_INVALID_PARAMETER);
  if (result == Conversion::invalid_input) SetLastError(ERROR_NO_UNICODE_TRANSLATION);
  return result == Conversion::ok;
}

// Copies the converted text out, or only reports its size when out_length is 0.
template <class Out, class Text>
int deliver(const Text& text, Out* out, int out_length) {
  const int needed = static_cast<int>(text.size());
  if (out_length == 0) return needed;
  if (needed > out_length) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  for (int i = 0; i < needed; ++i) out[i] = static_cast<Out>(text[static_cast<size_t>(i)]);
  return needed;
}

}  // namespace
}  // namespace platform::kernel

using platform::kernel::Conversion;

int MultiByteToWideChar(UINT code_page, DWORD flags, LPCSTR text, int length, LPWSTR out, int out_length) {
  if (!platform::kernel::valid_arguments(text, length, out, out_length)) return 0;
  const size_t count = length == -1 ? std::strlen(text) + 1 : static_cast<size_t>(length);
  const bool strict = (flags & MB_ERR_INVALID_CHARS) != 0;
  std::u32string decoded;
  const Conversion result = platform::kernel::is_utf8_code_page(code_page)
                                ? platform::kernel::decode_utf8(text, count, strict, &decoded)
                                : platform::kernel::decode_code_page(code_page, text, count, strict, &decoded);
  if (!platform::kernel::report(result)) return 0;
  return platform::kernel::deliver(decoded, out, out_length);
}

// For UTF-8, default_char and used_default must be null. Elsewhere the
// default character is the first byte of default_char, or '?'.
int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR text, int length, LPSTR out, int out_length,
                        LPCSTR default_char, LPBOOL used_default) {
  if (!platform::kernel::valid_arguments(text, length, out, out_length)) return 0;
  const bool utf8 = platform::kernel::is_utf8_code_page(code_page);
  if (utf8 && (default_char != nullptr || used_default != nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const size_t count = length == -1 ? std::wcslen(text) + 1 : static_cast<size_t>(length);
  const std::u32string characters = platform::kernel::code_points_of_wide(text, count);
  std::string encoded;
  bool defaulted = false;
  const Conversion result =
      utf8 ? platform::kernel::encode_utf8(characters, (flags & WC_ERR_INVALID_CHARS) != 0, &encoded)
           : platform::kernel::encode_code_page(code_page, characters, default_char ? *default_char : '?',
                                                &defaulted, &encoded);
  if (!platform::kernel::report(result)) return 0;
  if (used_default != nullptr) *used_default = defaulted ? TRUE : FALSE;
  return platform::kernel::deliver(encoded, out, out_length);
}

namespace platform {

std::wstring multibyte_to_wide(UINT code_page, LPCSTR text, int length) {
  if (text == nullptr || length == 0) return {};
  const int size = MultiByteToWideChar(code_page, 0, text, length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  if (MultiByteToWideChar(code_page, 0, text, length, wide.data(), size) != size) return {};
  if (length == -1) wide.pop_back();  // the terminator
  return wide;
}

std::string wide_to_multibyte(UINT code_page, LPCWSTR text, int length) {
  if (text == nullptr || length == 0) return {};
  const int size = WideCharToMultiByte(code_page, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<size_t>(size), '\0');
  if (WideCharToMultiByte(code_page, 0, text, length, bytes.data(), size, nullptr, nullptr) != size) return {};
  if (length == -1) bytes.pop_back();  // the terminator
  return bytes;
}

}  // namespace platform
