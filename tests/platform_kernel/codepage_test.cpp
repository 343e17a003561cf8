// Code-page conversions: UTF-8 round trips, Windows' sizing and error rules,
// invalid input, UTF-16 surrogates in wide text, and iconv code pages.
#include <gtest/gtest.h>

#include <string>

#include "platform/kernel32.h"

namespace {

std::wstring to_wide(UINT code_page, const std::string& text, DWORD flags = 0) {
  const int size = MultiByteToWideChar(code_page, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  if (size > 0) MultiByteToWideChar(code_page, flags, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

std::string to_narrow(UINT code_page, const std::wstring& text, const char* default_char = nullptr,
                      BOOL* used_default = nullptr, DWORD flags = 0) {
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(code_page, flags, text.data(), length, nullptr, 0, default_char, used_default);
  std::string out(static_cast<size_t>(size), '\0');
  if (size > 0) {
    WideCharToMultiByte(code_page, flags, text.data(), length, out.data(), size, default_char, used_default);
  }
  return out;
}

const char kMixed[] = "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80";  // a, é, €, U+1F600

TEST(Utf8, RoundTripsOneWideCharPerCodePoint) {
  wchar_t wide[8];
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, kMixed, -1, wide, 8), 5);
  EXPECT_EQ(std::wstring(wide), std::wstring(L"a\u00e9\u20ac\U0001F600"));
  char narrow[16];
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, -1, narrow, 16, nullptr, nullptr), 11);
  EXPECT_STREQ(narrow, kMixed);
  EXPECT_EQ(to_wide(CP_ACP, kMixed), to_wide(CP_UTF8, kMixed));
  EXPECT_EQ(to_wide(CP_OEMCP, kMixed), to_wide(CP_UTF8, kMixed));
  EXPECT_EQ(GetACP(), 65001u);
}

TEST(Utf8, SizingFollowsWindowsRules) {
  // -1 counts the terminator; an explicit length does not add one.
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, nullptr, 0), 4);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, nullptr, 0), 3);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"\u00e9", -1, nullptr, 0, nullptr, nullptr), 3);

  wchar_t small[3] = {L'x', L'x', L'x'};
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, small, 3), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, small, 3), 3);
  char bytes[2];
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"\u00e9", -1, bytes, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(Utf8, BadArgumentsAreInvalidParameters) {
  wchar_t wide[4];
  char narrow[4];
  BOOL used = FALSE;
  const auto fails_with_invalid_parameter = [](int result) {
    EXPECT_EQ(result, 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  };
  fails_with_invalid_parameter(MultiByteToWideChar(CP_UTF8, 0, nullptr, -1, wide, 4));
  fails_with_invalid_parameter(MultiByteToWideChar(CP_UTF8, 0, "a", 0, wide, 4));
  fails_with_invalid_parameter(MultiByteToWideChar(CP_UTF8, 0, "a", -1, nullptr, 4));
  fails_with_invalid_parameter(MultiByteToWideChar(CP_UTF8, 0, "a", -1, wide, -1));
  fails_with_invalid_parameter(WideCharToMultiByte(CP_UTF8, 0, nullptr, -1, narrow, 4, nullptr, nullptr));
  fails_with_invalid_parameter(WideCharToMultiByte(CP_UTF8, 0, L"a", 0, narrow, 4, nullptr, nullptr));
  // UTF-8 takes no default character.
  fails_with_invalid_parameter(WideCharToMultiByte(CP_UTF8, 0, L"a", -1, narrow, 4, "?", nullptr));
  fails_with_invalid_parameter(WideCharToMultiByte(CP_UTF8, 0, L"a", -1, narrow, 4, nullptr, &used));
  // An unknown code page.
  fails_with_invalid_parameter(MultiByteToWideChar(12345, 0, "a", -1, wide, 4));
  fails_with_invalid_parameter(WideCharToMultiByte(12345, 0, L"a", -1, narrow, 4, nullptr, nullptr));
}

TEST(Utf8, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(to_wide(CP_UTF8, "a\xff" "b"), std::wstring(L"a\ufffdb"));
  // A truncated sequence is one replacement, even at the end.
  EXPECT_EQ(to_wide(CP_UTF8, "\xe2\x82" "x"), std::wstring(L"\ufffdx"));
  EXPECT_EQ(to_wide(CP_UTF8, "x\xf0\x9f\x98"), std::wstring(L"x\ufffd"));
  // Overlong forms, encoded surrogates and values past U+10FFFF: one per byte.
  EXPECT_EQ(to_wide(CP_UTF8, "\xc0\x80"), std::wstring(L"\ufffd\ufffd"));
  EXPECT_EQ(to_wide(CP_UTF8, "\xed\xa0\x80"), std::wstring(L"\ufffd\ufffd\ufffd"));
  EXPECT_EQ(to_wide(CP_UTF8, "\xf4\x90\x80\x80"), std::wstring(L"\ufffd\ufffd\ufffd\ufffd"));
  // A lone continuation byte.
  EXPECT_EQ(to_wide(CP_UTF8, "\x80z"), std::wstring(L"\ufffdz"));
}

TEST(Utf8, StrictDecodingFails) {
  wchar_t wide[8];
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xff", -1, wide, 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, kMixed, -1, wide, 8), 5);
}

TEST(WideText, SurrogatePairsJoinAndLoneSurrogatesBecomeQuestionMarks) {
  const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
  EXPECT_EQ(to_narrow(CP_UTF8, pair), "\xf0\x9f\x98\x80");
  EXPECT_EQ(to_narrow(CP_UTF8, {L'a', wchar_t(0xD800), L'b'}), "a?b");
  EXPECT_EQ(to_narrow(CP_UTF8, {wchar_t(0xDE00), wchar_t(0xD83D)}), "??");  // reversed order
  EXPECT_EQ(to_narrow(CP_UTF8, {wchar_t(0x110000)}), "?");

  char out[8];
  const wchar_t lone[] = {L'a', wchar_t(0xDC00), 0};
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, -1, out, 8, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));

  BOOL used = FALSE;
  EXPECT_EQ(to_narrow(1252, {L'x', wchar_t(0xD800)}, nullptr, &used), "x?");
  EXPECT_TRUE(used);
  EXPECT_EQ(to_narrow(1252, pair, nullptr, &used), "?");  // joined, then not in the code page
  EXPECT_TRUE(used);
}

TEST(CodePages, Windows1252) {
  EXPECT_EQ(to_narrow(1252, L"\u00e9\u20ac"), "\xe9\x80");
  EXPECT_EQ(to_wide(1252, "\xe9\x80\x9f"), std::wstring(L"\u00e9\u20ac\u0178"));
  BOOL used = TRUE;
  EXPECT_EQ(to_narrow(1252, L"caf\u00e9", nullptr, &used), "caf\xe9");
  EXPECT_FALSE(used);
  EXPECT_EQ(to_narrow(1252, L"a\u65e5b", nullptr, &used), "a?b");
  EXPECT_TRUE(used);
  EXPECT_EQ(to_narrow(1252, L"a\u65e5b", "*"), "a*b");
  // A terminator is converted like any character.
  char out[4];
  EXPECT_EQ(WideCharToMultiByte(1252, 0, L"\u00e9", -1, out, 4, nullptr, nullptr), 2);
  EXPECT_STREQ(out, "\xe9");
}

TEST(CodePages, DoubleByteChinese) {
  EXPECT_EQ(to_narrow(936, L"\u4e2d\u6587"), "\xd6\xd0\xce\xc4");
  EXPECT_EQ(to_wide(936, "A\xd6\xd0\xce\xc4"), std::wstring(L"A\u4e2d\u6587"));
  // A lead byte without its trail byte.
  EXPECT_EQ(to_wide(936, "\xd6"), std::wstring(L"\ufffd"));
  wchar_t wide[4];
  EXPECT_EQ(MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, "\xd6", 1, wide, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(CodePages, OtherCodePagesByNumber) {
  EXPECT_EQ(to_narrow(1251, L"\u0416"), "\xc6");
  EXPECT_EQ(to_wide(932, "\x82\xa0"), std::wstring(L"\u3042"));
  EXPECT_EQ(to_wide(950, "\xa4\xa4"), std::wstring(L"\u4e2d"));
  EXPECT_EQ(to_narrow(28591, L"\u00ff"), "\xff");
}

}  // namespace
