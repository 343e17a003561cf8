// wsprintfW formats (strings, integers, pointers, unknown types, the output
// limit) and message boxes on stderr. Depends on: the user32 header.
#include <gtest/gtest.h>

#include <string>

#include "platform/user32.h"

namespace {

std::wstring format(const wchar_t* pattern, ...) {
  wchar_t out[1100];
  va_list arguments;
  va_start(arguments, pattern);
  const int written = wvsprintfW(out, pattern, arguments);
  va_end(arguments);
  EXPECT_EQ(static_cast<size_t>(written), std::wstring(out).size());
  return out;
}

TEST(Wsprintf, StringsAreWideByDefaultAndNarrowWithSOrH) {
  EXPECT_EQ(format(L"[%s]", L"w\u00e9de"), L"[w\u00e9de]");
  EXPECT_EQ(format(L"[%S|%hs]", "n\xc3\xa9", "x"), L"[n\u00e9|x]");
  EXPECT_EQ(format(L"[%ls|%lS]", L"a", L"b"), L"[a|b]");
  EXPECT_EQ(format(L"[%c%C%hc%lc]", L'\u00e9', 'n', 'h', L'w'), L"[\u00e9nhw]");
  EXPECT_EQ(format(L"[%s]", static_cast<const wchar_t*>(nullptr)), L"[(null)]");
  EXPECT_EQ(format(L"[%-5s|%5s|%.2s]", L"ab", L"cd", L"efgh"), L"[ab   |   cd|ef]");
}

TEST(Wsprintf, Integers) {
  EXPECT_EQ(format(L"%d %i %u", -42, 7, 4294967295u), L"-42 7 4294967295");
  EXPECT_EQ(format(L"%x %X %#x %#X %#x", 255u, 255u, 255u, 171u, 0u), L"ff FF 0xff 0XAB 0");
  EXPECT_EQ(format(L"[%5d|%-5d|%05d|%05d]", 42, 42, 42, -42), L"[   42|42   |00042|-0042]");
  EXPECT_EQ(format(L"[%.3d|%8.3x]", 7, 10u), L"[007|     00a]");
  EXPECT_EQ(format(L"%ld %lu %lx", -1, 1u, 0xABCDu), L"-1 1 abcd");
  EXPECT_EQ(format(L"%I64d %I64u %I64X", int64_t{-5000000000}, uint64_t{1} << 40, uint64_t{0xFEDCBA9876}),
            L"-5000000000 1099511627776 FEDCBA9876");
  EXPECT_EQ(format(L"%d", INT32_MIN), L"-2147483648");
}

TEST(Wsprintf, PointersAreSixteenUpperCaseHexDigits) {
  EXPECT_EQ(format(L"%p", reinterpret_cast<void*>(uintptr_t{0xABCDEF})), L"0000000000ABCDEF");
  EXPECT_EQ(format(L"%p", static_cast<void*>(nullptr)), L"0000000000000000");
  EXPECT_EQ(format(L"<%20p>", reinterpret_cast<void*>(uintptr_t{1})), L"<    0000000000000001>");
}

TEST(Wsprintf, PercentUnknownTypesAndTheOutputLimit) {
  EXPECT_EQ(format(L"100%% %q"), L"100% q");
  EXPECT_EQ(format(L"trailing %"), L"trailing ");
  wchar_t out[1100];
  const std::wstring long_text(2000, L'x');
  EXPECT_EQ(wsprintfW(out, L"%s!", long_text.c_str()), 1023);
  EXPECT_EQ(std::wstring(out), std::wstring(1023, L'x'));
  EXPECT_EQ(wsprintfW(out, L"%d-%s", 5, L"five"), 6);
  EXPECT_EQ(std::wstring(out), L"5-five");
}

TEST(MessageBox, PrintsCaptionAndTextToStderrAndAnswersOk) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxW(nullptr, L"Text \u00e9\U0001F600", L"Caption", MB_OK | MB_ICONERROR), IDOK);
  const wchar_t utf16[] = {L'<', wchar_t(0xD83D), wchar_t(0xDE00), L'>', 0};
  EXPECT_EQ(MessageBoxW(nullptr, utf16, nullptr, MB_OK), IDOK);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Caption: Text \xc3\xa9\xf0\x9f\x98\x80\n"
            "Error: <\xf0\x9f\x98\x80>\n");
}

}  // namespace
