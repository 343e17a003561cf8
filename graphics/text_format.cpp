// Formatted text output: printf-style text drawn at a point or in a rectangle
// of the current drawing target, through GDI or GDI+. Results are bounded by their buffers (8191
// wide characters, 16383 bytes) and a longer result is cut at a character
// boundary. The buffers belong to the calling thread, so formatting on
// several threads at once cannot mix results.
// Depends on: state (current target, code page), text output.
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "graphics/state.h"
#include "graphics/text_internal.h"

namespace frond {
namespace {

constexpr size_t kWideChars = 8192;
constexpr size_t kNarrowBytes = 16384;
// A wide result longer than the buffer is formatted in full (up to this
// size) before being cut, since vswprintf reports no partial result.
constexpr size_t kLongestWideResult = size_t{1} << 20;

struct format_buffers {
  wchar_t wide[kWideChars];
  char narrow[kNarrowBytes];
  std::wstring wide_format;  // the wide format as the C library reads it
};

format_buffers& buffers() {
  thread_local std::unique_ptr<format_buffers> own;
  if (!own) own = std::make_unique<format_buffers>();
  return *own;
}

// Cuts `text` (`length` bytes) after its last whole character in the library's code page.
void cut_at_character(char* text, size_t length) {
  const UINT code_page = state().code_page;
  for (size_t back = 0; back < 4 && back < length; ++back) {
    const int n = static_cast<int>(length - back);
    if (MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text, n, nullptr, 0) > 0) {
      text[n] = 0;
      return;
    }
  }
}

bool is_directive_char(wchar_t c) { return std::wcschr(L"0123456789$-+ #'I.*hlLqjzZt", c) != nullptr && c != 0; }
bool is_length_char(wchar_t c) { return std::wcschr(L"hlLqjzZt", c) != nullptr && c != 0; }

// The library's wide formats read %s and %c as wide (wchar_t) and %hs, %hc,
// %S and %C as 8-bit; the C library reads %s and %c as 8-bit. Rewrites the
// format so the C library reads what the caller meant.
void to_c_wide_format(const wchar_t* format, std::wstring* out) {
  out->clear();
  for (const wchar_t* p = format; *p != 0;) {
    if (*p != L'%') {
      out->push_back(*p++);
      continue;
    }
    const wchar_t* flags = ++p;
    while (is_directive_char(*p)) ++p;
    std::wstring lengths;
    for (const wchar_t* q = flags; q < p; ++q)
      if (is_length_char(*q)) lengths.push_back(*q);
    const wchar_t conversion = *p;
    out->push_back(L'%');
    if (conversion == L's' || conversion == L'c') {
      for (const wchar_t* q = flags; q < p; ++q)
        if (lengths != L"h" || *q != L'h') out->push_back(*q);
      if (lengths.empty()) out->push_back(L'l');
    } else if (conversion == L'S' || conversion == L'C') {
      out->append(flags, p);
      out->push_back(conversion == L'S' ? L's' : L'c');
      ++p;
      continue;
    } else {
      out->append(flags, p);
    }
    if (conversion != 0) out->push_back(*p++);
  }
}

// Keeps the first kWideChars - 1 characters of `text`, not splitting a surrogate pair.
void keep_wide_prefix(const wchar_t* text, wchar_t* out) {
  size_t n = std::wcslen(text);
  if (n > kWideChars - 1) {
    n = kWideChars - 1;
    if (text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
  }
  std::wmemcpy(out, text, n);
  out[n] = 0;
}

}  // namespace

const char* format_narrow(const char* format, va_list args) {
  char* out = buffers().narrow;
  out[0] = 0;
  if (format == nullptr) return out;
  const int n = std::vsnprintf(out, kNarrowBytes, format, args);
  if (n < 0) out[0] = 0;
  else if (size_t(n) >= kNarrowBytes) cut_at_character(out, kNarrowBytes - 1);
  return out;
}

const wchar_t* format_wide(const wchar_t* format, va_list args) {
  format_buffers& b = buffers();
  wchar_t* out = b.wide;
  out[0] = 0;
  if (format == nullptr) return out;
  to_c_wide_format(format, &b.wide_format);
  va_list attempt;
  va_copy(attempt, args);
  const int n = std::vswprintf(out, kWideChars, b.wide_format.c_str(), attempt);
  va_end(attempt);
  if (n >= 0) return out;
  out[0] = 0;
  for (size_t size = kWideChars * 4; size <= kLongestWideResult; size *= 4) {
    std::vector<wchar_t> whole(size);
    va_copy(attempt, args);
    const int m = std::vswprintf(whole.data(), size, b.wide_format.c_str(), attempt);
    va_end(attempt);
    if (m >= 0) {
      keep_wide_prefix(whole.data(), out);
      break;
    }
  }
  return out;
}

void xyprintf(int x, int y, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const char* text = format_narrow(format, args);
  va_end(args);
  IMAGE* target = resolve_image_counting(nullptr);
  if (target != nullptr) textout_justified(target, mb_to_wide(text).c_str(), x, y);
}

void xyprintf(int x, int y, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  const wchar_t* text = format_wide(format, args);
  va_end(args);
  textout_justified(resolve_image_counting(nullptr), text, x, y);
}

void rectprintf(int x, int y, int w, int h, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const char* text = format_narrow(format, args);
  va_end(args);
  IMAGE* target = resolve_image_counting(nullptr);
  if (target != nullptr) textrect_justified(target, x, y, w, h, mb_to_wide(text).c_str());
}

void rectprintf(int x, int y, int w, int h, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  const wchar_t* text = format_wide(format, args);
  va_end(args);
  textrect_justified(resolve_image_counting(nullptr), x, y, w, h, text);
}

void frond_xyprintf(int x, int y, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const char* text = format_narrow(format, args);
  va_end(args);
  IMAGE* target = resolve_image_counting(nullptr);
  if (target != nullptr) draw_text_gdiplus(mb_to_wide(text).c_str(), float(x), float(y), target);
}

void frond_xyprintf(int x, int y, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  const wchar_t* text = format_wide(format, args);
  va_end(args);
  draw_text_gdiplus(text, float(x), float(y), resolve_image_counting(nullptr));
}

}  // namespace frond
