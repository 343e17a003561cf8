// The conversions behind MultiByteToWideChar and WideCharToMultiByte, on
// sequences of Unicode code points. The entry points deal with Windows'
// argument and buffer conventions; these deal with the encodings.
// Depends on: kernel32.h (error codes). Sets no last error.
#pragma once

#include <string>

#include "platform/kernel32.h"

namespace platform::kernel {

enum class Conversion { ok, invalid_input, unknown_code_page };

// A wide unit that no code page can encode: a lone UTF-16 surrogate or a
// value beyond U+10FFFF.
constexpr char32_t kUnencodable = 0xFFFFFFFFu;

// Code page 0 (CP_ACP), CP_OEMCP, CP_THREAD_ACP (3) and CP_UTF8 are all UTF-8 here.
bool is_utf8_code_page(UINT code_page);

// Code points of wide text whose units may be UTF-16: a high surrogate
// followed by a low one becomes one character; any other surrogate, and a
// value beyond U+10FFFF, becomes kUnencodable, or stays as it is when
// `keep_unpaired` (text to draw, where it shows as a missing glyph).
std::u32string code_points_of_wide(const wchar_t* text, size_t length, bool keep_unpaired = false);

// Strict decoding stops at the first invalid sequence; otherwise each
// maximal invalid subsequence becomes U+FFFD.
Conversion decode_utf8(const char* text, size_t length, bool strict, std::u32string* out);
// kUnencodable becomes '?', or fails the conversion when strict.
Conversion encode_utf8(const std::u32string& text, bool strict, std::string* out);

// Other code pages through iconv. Undecodable bytes become U+FFFD (or fail
// when strict); characters the code page cannot represent (and kUnencodable)
// become `default_char` and set *used_default.
Conversion decode_code_page(UINT code_page, const char* text, size_t length, bool strict, std::u32string* out);
Conversion encode_code_page(UINT code_page, const std::u32string& text, char default_char, bool* used_default,
                            std::string* out);

}  // namespace platform::kernel
