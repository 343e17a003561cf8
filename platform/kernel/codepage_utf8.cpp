// UTF-8 and UTF-16 handling for the code-page conversions, without iconv:
// the process code page is UTF-8, so this is the common path.
// Depends on: nothing but the standard library. Calls no iconv.
#include "kernel/codepage_convert.h"

namespace platform::kernel {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool is_high_surrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// What a lead byte announces: how many continuation bytes follow, the lead's
// payload bits, and the allowed range of the first continuation byte (which
// excludes overlong forms, surrogates and values beyond U+10FFFF).
struct Lead {
  int continuations;
  uint32_t payload;
  uint8_t first_low;
  uint8_t first_high;
};

bool read_lead(uint8_t byte, Lead* lead) {
  if (byte >= 0xC2 && byte <= 0xDF) *lead = {1, byte & 0x1Fu, 0x80, 0xBF};
  else if (byte == 0xE0) *lead = {2, 0, 0xA0, 0xBF};
  else if (byte == 0xED) *lead = {2, 0xD, 0x80, 0x9F};
  else if (byte >= 0xE1 && byte <= 0xEF) *lead = {2, byte & 0x0Fu, 0x80, 0xBF};
  else if (byte == 0xF0) *lead = {3, 0, 0x90, 0xBF};
  else if (byte >= 0xF1 && byte <= 0xF3) *lead = {3, byte & 0x07u, 0x80, 0xBF};
  else if (byte == 0xF4) *lead = {3, 4, 0x80, 0x8F};
  else return false;
  return true;
}

}  // namespace

bool is_utf8_code_page(UINT code_page) {
  return code_page == CP_ACP || code_page == CP_OEMCP || code_page == 3 || code_page == CP_UTF8;
}

std::u32string code_points_of_wide(const wchar_t* text, size_t length, bool keep_unpaired) {
  std::u32string out;
  out.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    const uint32_t unit = static_cast<uint32_t>(text[i]);
    if (is_high_surrogate(unit) && i + 1 < length && is_low_surrogate(static_cast<uint32_t>(text[i + 1]))) {
      const uint32_t low = static_cast<uint32_t>(text[++i]);
      out.push_back(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (!keep_unpaired && (is_high_surrogate(unit) || is_low_surrogate(unit) || unit > 0x10FFFF)) {
      out.push_back(kUnencodable);
    } else {
      out.push_back(unit);
    }
  }
  return out;
}

Conversion decode_utf8(const char* text, size_t length, bool strict, std::u32string* out) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  size_t i = 0;
  while (i < length) {
    const uint8_t byte = bytes[i++];
    if (byte < 0x80) {
      out->push_back(byte);
      continue;
    }
    Lead lead{0, 0, 0, 0};
    bool valid = read_lead(byte, &lead);
    uint32_t value = lead.payload;
    for (int k = 0; valid && k < lead.continuations; ++k) {
      const uint8_t low = k == 0 ? lead.first_low : 0x80;
      const uint8_t high = k == 0 ? lead.first_high : 0xBF;
      if (i >= length || bytes[i] < low || bytes[i] > high) {
        valid = false;  // the valid prefix read so far is one invalid subsequence
      } else {
        value = (value << 6) | (bytes[i++] & 0x3Fu);
      }
    }
    if (!valid && strict) return Conversion::invalid_input;
    out->push_back(valid ? value : kReplacement);
  }
  return Conversion::ok;
}

Conversion encode_utf8(const std::u32string& text, bool strict, std::string* out) {
  for (const char32_t c : text) {
    if (c == kUnencodable) {
      if (strict) return Conversion::invalid_input;
      out->push_back('?');
    } else if (c < 0x80) {
      out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out->push_back(static_cast<char>(0xC0 | (c >> 6)));
      out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out->push_back(static_cast<char>(0xE0 | (c >> 12)));
      out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out->push_back(static_cast<char>(0xF0 | (c >> 18)));
      out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return Conversion::ok;
}

}  // namespace platform::kernel
