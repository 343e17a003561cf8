// Code pages other than UTF-8, converted by iconv to and from UTF-32 code
// points. Code page N is iconv's "CPN" unless it is known by another name.
// There is no best-fit mapping: a character the code page lacks becomes the
// default character.
// Depends on: iconv. Handles no UTF-8 (codepage_utf8 does).
#include <errno.h>
#include <iconv.h>

#include <cstring>

#include "kernel/codepage_convert.h"

namespace platform::kernel {
namespace {

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr const char* kCodePoints = "UTF-32LE";
#else
constexpr const char* kCodePoints = "UTF-32BE";
#endif

constexpr char32_t kReplacement = 0xFFFD;

std::string iconv_name(UINT code_page) {
  switch (code_page) {
    case 10000: return "MACINTOSH";
    case 20127: return "ASCII";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 20932:
    case 51932: return "EUC-JP";
    case 51949: return "EUC-KR";
    case 54936: return "GB18030";
    default: break;
  }
  if (code_page >= 28591 && code_page <= 28606) return "ISO-8859-" + std::to_string(code_page - 28590);
  return "CP" + std::to_string(code_page);
}

class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can, appending to `out`; stops at the end of the
  // input (true) or at input it cannot convert (false, `in` left there).
  bool convert(char** in, size_t* in_left, std::string* out) {
    char chunk[256];
    for (;;) {
      char* cursor = chunk;
      size_t room = sizeof chunk;
      const size_t result = iconv(cd_, in, in_left, &cursor, &room);
      out->append(chunk, static_cast<size_t>(cursor - chunk));
      if (result != static_cast<size_t>(-1)) return true;
      if (errno != E2BIG) return false;
    }
  }

  // Ends the output in the initial shift state (for stateful encodings).
  void finish(std::string* out) {
    char chunk[16];
    char* cursor = chunk;
    size_t room = sizeof chunk;
    iconv(cd_, nullptr, nullptr, &cursor, &room);
    out->append(chunk, static_cast<size_t>(cursor - chunk));
  }

 private:
  iconv_t cd_;
};

}  // namespace

Conversion decode_code_page(UINT code_page, const char* text, size_t length, bool strict, std::u32string* out) {
  Converter converter(kCodePoints, iconv_name(code_page));
  if (!converter.valid()) return Conversion::unknown_code_page;
  char* in = const_cast<char*>(text);
  size_t in_left = length;
  std::string decoded;
  for (;;) {
    const bool done = converter.convert(&in, &in_left, &decoded);
    const size_t whole = decoded.size() / sizeof(char32_t);
    const size_t before = out->size();
    out->resize(before + whole);
    std::memcpy(&(*out)[before], decoded.data(), whole * sizeof(char32_t));
    decoded.erase(0, whole * sizeof(char32_t));
    if (done) return Conversion::ok;
    if (strict) return Conversion::invalid_input;
    out->push_back(kReplacement);  // skip one undecodable byte
    ++in;
    --in_left;
  }
}

Conversion encode_code_page(UINT code_page, const std::u32string& text, char default_char, bool* used_default,
                            std::string* out) {
  Converter converter(iconv_name(code_page), kCodePoints);
  if (!converter.valid()) return Conversion::unknown_code_page;
  char* in = reinterpret_cast<char*>(const_cast<char32_t*>(text.data()));
  size_t in_left = text.size() * sizeof(char32_t);
  // kUnencodable is not a valid UTF-32 value, so iconv stops at it too.
  while (!converter.convert(&in, &in_left, out)) {
    out->push_back(default_char);
    *used_default = true;
    in += sizeof(char32_t);
    in_left -= sizeof(char32_t);
  }
  converter.finish(out);
  return Conversion::ok;
}

}  // namespace platform::kernel
