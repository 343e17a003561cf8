// Code-page conversions: UTF-8 round trips, Windows' sizing and error rules,
// invalid input, UTF-16 surrogates in wide text, iconv code pages, and the
// string forms the library and the platform use.
// Depends on: the kernel32 stand-in (and iconv's tables behind it).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/kernel32.h"

namespace {

std::string to_narrow(UINT code_page, const std::wstring& text, const char* default_char = nullptr,
                      BOOL* used_default = nullptr) {
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(code_page, 0, text.data(), length, nullptr, 0, default_char, used_default);
  std::string out(static_cast<size_t>(size), '\0');
  if (size > 0) WideCharToMultiByte(code_page, 0, text.data(), length, out.data(), size, default_char, used_default);
  return out;
}

void expect_fails_with(int result, DWORD error) {
  EXPECT_EQ(result, 0);
  EXPECT_EQ(GetLastError(), error);
}

const char kMixed[] = "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80";  // a, é, €, U+1F600

TEST(Utf8, RoundTripsOneWideCharPerCodePointAndSizesLikeWindows) {
  wchar_t wide[8];
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, kMixed, -1, wide, 8), 5);
  EXPECT_EQ(std::wstring(wide), std::wstring(L"a\u00e9\u20ac\U0001F600"));
  char narrow[16];
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, -1, narrow, 16, nullptr, nullptr), 11);
  EXPECT_STREQ(narrow, kMixed);
  // -1 counts the terminator; an explicit length does not add one. Both
  // directions size and deliver their output through one routine.
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, nullptr, 0), 4);
  wchar_t small[3];
  expect_fails_with(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, small, 3), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, small, 3), 3);
}

TEST(Utf8, BadArgumentsAreInvalidParameters) {
  wchar_t wide[4];
  char narrow[4];
  BOOL used = FALSE;
  const DWORD invalid = ERROR_INVALID_PARAMETER;
  expect_fails_with(MultiByteToWideChar(CP_UTF8, 0, nullptr, -1, wide, 4), invalid);
  expect_fails_with(MultiByteToWideChar(CP_UTF8, 0, "a", 0, wide, 4), invalid);
  expect_fails_with(MultiByteToWideChar(CP_UTF8, 0, "a", -1, nullptr, 4), invalid);
  expect_fails_with(MultiByteToWideChar(CP_UTF8, 0, "a", -1, wide, -1), invalid);
  expect_fails_with(WideCharToMultiByte(CP_UTF8, 0, nullptr, -1, narrow, 4, nullptr, nullptr), invalid);
  // UTF-8 takes no default character; 12345 is an unknown code page.
  expect_fails_with(WideCharToMultiByte(CP_UTF8, 0, L"a", -1, narrow, 4, "?", nullptr), invalid);
  expect_fails_with(WideCharToMultiByte(CP_UTF8, 0, L"a", -1, narrow, 4, nullptr, &used), invalid);
  expect_fails_with(MultiByteToWideChar(12345, 0, "a", -1, wide, 4), invalid);
  expect_fails_with(WideCharToMultiByte(12345, 0, L"a", -1, narrow, 4, nullptr, nullptr), invalid);
}

TEST(Decoding, InvalidInputIsSubstitutedAndCodePagesConvert) {
  const struct { UINT code_page; const char* in; std::wstring out; } cases[] = {
      {CP_UTF8, "a\xff" "b", L"a\ufffdb"},
      {CP_UTF8, "\xe2\x82" "x", L"\ufffdx"},  // a truncated sequence is one replacement, even at the end
      {CP_UTF8, "x\xf0\x9f\x98", L"x\ufffd"},
      {CP_UTF8, "\xc0\x80", L"\ufffd\ufffd"},  // overlong, encoded surrogate, past U+10FFFF: one per byte
      {CP_UTF8, "\xed\xa0\x80", L"\ufffd\ufffd\ufffd"},
      {CP_UTF8, "\xe0\x80\x80", L"\ufffd\ufffd\ufffd"},
      {CP_UTF8, "\xf4\x90\x80\x80", L"\ufffd\ufffd\ufffd\ufffd"},
      {CP_UTF8, "\x80z", L"\ufffdz"},  // a lone continuation byte
      {1252, "\xe9\x80\x9f", L"\u00e9\u20ac\u0178"},
      {936, "A\xd6\xd0\xce\xc4", L"A\u4e2d\u6587"},
      {936, "\xd6", L"\ufffd"},  // a lead byte without its trail byte
      {932, "\x82\xa0", L"\u3042"},
      {950, "\xa4\xa4", L"\u4e2d"}};
  for (const auto& c : cases) {
    const int length = static_cast<int>(std::strlen(c.in));
    EXPECT_EQ(platform::multibyte_to_wide(c.code_page, c.in, length), c.out) << c.code_page << " " << c.in;
  }

  wchar_t wide[8];
  expect_fails_with(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xff", -1, wide, 8),
                    ERROR_NO_UNICODE_TRANSLATION);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, kMixed, -1, wide, 8), 5);
  expect_fails_with(MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, "\xd6", 1, wide, 4), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(Encoding, SurrogatesJoinUnmappableCharactersAreSubstitutedAndCodePagesConvert) {
  const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
  const struct { UINT code_page; std::wstring in; std::string out; bool used_default; } cases[] = {
      {CP_UTF8, pair, "\xf0\x9f\x98\x80", false},
      {CP_UTF8, {L'a', wchar_t(0xD800), L'b'}, "a?b", false},
      {CP_UTF8, {wchar_t(0xDE00), wchar_t(0xD83D)}, "??", false},  // reversed order
      {CP_UTF8, {wchar_t(0x110000)}, "?", false},
      {1252, {L'x', wchar_t(0xD800)}, "x?", true},
      {1252, pair, "?", true},  // joined, then not in the code page
      {1252, L"\u00e9\u20ac", "\xe9\x80", false},
      {1252, L"a\u65e5b", "a?b", true},
      {936, L"\u4e2d\u6587", "\xd6\xd0\xce\xc4", false},
      {1251, L"\u0416", "\xc6", false},
      {28591, L"\u00ff", "\xff", false}};
  for (const auto& c : cases) {
    BOOL used = 2;
    EXPECT_EQ(to_narrow(c.code_page, c.in, nullptr, c.code_page == CP_UTF8 ? nullptr : &used), c.out) << c.out;
    if (c.code_page != CP_UTF8) {
      EXPECT_EQ(used, c.used_default ? TRUE : FALSE) << c.out;
    }
  }
  EXPECT_EQ(to_narrow(1252, L"a\u65e5b", "*"), "a*b");
  char out[8];
  const wchar_t lone[] = {L'a', wchar_t(0xDC00), 0};
  expect_fails_with(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, -1, out, 8, nullptr, nullptr),
                    ERROR_NO_UNICODE_TRANSLATION);
  EXPECT_EQ(WideCharToMultiByte(1252, 0, L"\u00e9", -1, out, 4, nullptr, nullptr), 2);  // the terminator converts too
  EXPECT_STREQ(out, "\xe9");
}

// The string forms: -1 stops at the terminator and drops it, an explicit
// length keeps zeros; null, empty or unconvertible text is empty.
TEST(StringForms, DropTheTerminatorAndAreEmptyOnFailure) {
  EXPECT_EQ(platform::multibyte_to_wide(CP_ACP, kMixed), L"a\u00e9\u20ac\U0001F600");
  EXPECT_EQ(platform::multibyte_to_wide(936, "A\0\xd6\xd0", 4), std::wstring(L"A\0\u4e2d", 3));
  EXPECT_EQ(platform::wide_to_multibyte(CP_UTF8, L"\u00e9"), "\xc3\xa9");
  EXPECT_EQ(platform::wide_to_multibyte(1252, L"a\u65e5b\0c", 4), std::string("a?b\0", 4));
  EXPECT_EQ(platform::multibyte_to_wide(CP_UTF8, nullptr), L"");
  EXPECT_EQ(platform::multibyte_to_wide(CP_UTF8, ""), L"");
  EXPECT_EQ(platform::multibyte_to_wide(12345, "a"), L"");
  EXPECT_EQ(platform::wide_to_multibyte(CP_UTF8, nullptr), "");
  EXPECT_EQ(platform::wide_to_multibyte(CP_UTF8, L"a", 0), "");
}

}  // namespace
