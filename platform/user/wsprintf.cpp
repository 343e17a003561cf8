// wsprintfW and wvsprintfW as on Windows: %[-][#][0][width][.precision]type
// with the size prefixes h, l and I64. In the wide function %s and %c are
// wide and %S and %C narrow; h forces narrow and l wide. %d %i %u %x %X are
// 32-bit unless prefixed with I64; %p prints a pointer as 16 upper-case hex
// digits. There is no '*' width. Output stops at 1023 characters plus the
// terminator, Windows' 1024-character limit.
// Depends on: the text conversion of kernel32.h. Formats no floating point.
#include <cstdint>
#include <string>

#include "platform/kernel32.h"
#include "platform/user32.h"

namespace {

constexpr size_t kOutputLimit = 1024;  // characters, terminator included

struct Layout {
  bool left_align = false;
  bool zero_pad = false;
  bool alternate = false;  // '#': 0x / 0X before hexadecimal numbers
  size_t width = 0;
  bool has_precision = false;
  size_t precision = 0;
  char size = 0;  // 'h', 'l', '6' (I64) or 0
};

class Output {
 public:
  explicit Output(wchar_t* out) : out_(out) {}

  void put(wchar_t c) {
    if (count_ < kOutputLimit - 1) out_[count_++] = c;
  }
  void put(const std::wstring& text) {
    for (const wchar_t c : text) put(c);
  }
  // `body` padded to the field width; zero padding goes after `prefix`.
  void field(const Layout& layout, const std::wstring& prefix, const std::wstring& body, bool zero_padding) {
    const size_t length = prefix.size() + body.size();
    const size_t padding = layout.width > length ? layout.width - length : 0;
    if (!layout.left_align && !zero_padding) put(std::wstring(padding, L' '));
    put(prefix);
    if (!layout.left_align && zero_padding) put(std::wstring(padding, L'0'));
    put(body);
    if (layout.left_align) put(std::wstring(padding, L' '));
  }
  int finish() {
    out_[count_] = L'\0';
    return static_cast<int>(count_);
  }

 private:
  wchar_t* out_;
  size_t count_ = 0;
};

std::wstring digits(uint64_t value, unsigned base, bool upper) {
  const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::wstring text;
  do {
    text.insert(text.begin(), static_cast<wchar_t>(symbols[value % base]));
    value /= base;
  } while (value != 0);
  return text;
}

void put_number(Output& out, const Layout& layout, uint64_t magnitude, bool negative, unsigned base, bool upper,
                std::wstring prefix) {
  const bool no_digits = layout.has_precision && layout.precision == 0 && magnitude == 0;  // "%.0d" of 0
  std::wstring body = no_digits ? L"" : digits(magnitude, base, upper);
  if (layout.has_precision && body.size() < layout.precision) body.insert(0, layout.precision - body.size(), L'0');
  if (negative) prefix.insert(0, 1, L'-');
  out.field(layout, prefix, body, layout.zero_pad && !layout.left_align && !layout.has_precision);
}

void put_text(Output& out, const Layout& layout, std::wstring text) {
  if (layout.has_precision && text.size() > layout.precision) text.resize(layout.precision);
  out.field(layout, L"", text, false);
}

size_t read_count(const wchar_t*& p) {
  size_t value = 0;
  while (*p >= L'0' && *p <= L'9') value = value * 10 + static_cast<size_t>(*p++ - L'0');
  return value;
}

Layout read_layout(const wchar_t*& p) {
  Layout layout;
  for (;; ++p) {
    if (*p == L'-') layout.left_align = true;
    else if (*p == L'0') layout.zero_pad = true;
    else if (*p == L'#') layout.alternate = true;
    else break;
  }
  layout.width = read_count(p);
  if (*p == L'.') {
    ++p;
    layout.has_precision = true;
    layout.precision = read_count(p);
  }
  if (*p == L'h' || *p == L'l') {
    layout.size = static_cast<char>(*p++);
  } else if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
    layout.size = '6';
    p += 3;
  }
  return layout;
}

// One conversion of type `type`, its argument taken from `arguments`.
void convert(Output& out, const Layout& layout, wchar_t type, va_list& arguments) {
  const bool wide_default = type == L'c' || type == L's';
  const bool wide = layout.size == 'l' || (layout.size != 'h' && wide_default);
  switch (type) {
    case L'c':
    case L'C': {
      const int c = va_arg(arguments, int);
      out.field(layout, L"", std::wstring(1, wide ? static_cast<wchar_t>(c) : static_cast<wchar_t>(c & 0xFF)), false);
      return;
    }
    case L's':
    case L'S': {
      const void* text = va_arg(arguments, const void*);
      if (text == nullptr)
        put_text(out, layout, L"(null)");
      else if (wide)
        put_text(out, layout, static_cast<const wchar_t*>(text));
      else
        put_text(out, layout, platform::multibyte_to_wide(CP_ACP, static_cast<const char*>(text)));
      return;
    }
    case L'd':
    case L'i': {
      const int64_t value = layout.size == '6' ? va_arg(arguments, int64_t) : va_arg(arguments, int32_t);
      const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
      put_number(out, layout, magnitude, value < 0, 10, false, L"");
      return;
    }
    case L'u':
    case L'x':
    case L'X': {
      const uint64_t value = layout.size == '6' ? va_arg(arguments, uint64_t) : va_arg(arguments, uint32_t);
      const bool hex = type != L'u';
      const std::wstring prefix = hex && layout.alternate && value != 0 ? (type == L'X' ? L"0X" : L"0x") : L"";
      put_number(out, layout, value, false, hex ? 16 : 10, type == L'X', prefix);
      return;
    }
    case L'p': {
      Layout pointer = layout;
      pointer.has_precision = true;
      pointer.precision = 16;
      put_number(out, pointer, reinterpret_cast<uintptr_t>(va_arg(arguments, void*)), false, 16, true, L"");
      return;
    }
    default:
      out.put(type);  // an unknown type prints itself
  }
}

}  // namespace

int wvsprintfW(LPWSTR out, LPCWSTR format, va_list arguments) {
  Output output(out);
  va_list rest;
  va_copy(rest, arguments);
  for (const wchar_t* p = format; *p != L'\0';) {
    if (*p != L'%') {
      output.put(*p++);
      continue;
    }
    ++p;
    if (*p == L'%') {
      output.put(*p++);
      continue;
    }
    const Layout layout = read_layout(p);
    if (*p == L'\0') break;
    convert(output, layout, *p++, rest);
  }
  va_end(rest);
  return output.finish();
}

int wsprintfW(LPWSTR out, LPCWSTR format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int written = wvsprintfW(out, format, arguments);
  va_end(arguments);
  return written;
}
