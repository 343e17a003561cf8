// Fonts and measuring through the library: the default font of a new image,
// setfont and getfont in every form, face names, and textwidth/textheight.
#include <cstring>
#include <cwchar>

#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;

namespace {

class TextFontTest : public GraphicsTest {};

TEST_F(TextFontTest, NewImagesUseSixteenPixelSimSun) {
  IMAGE image(50, 20);
  EXPECT_EQ(textheight("A", &image), 16);
  EXPECT_EQ(textheight(L'A', &image), 16);
  LOGFONTW font = {};
  getfont(&font, &image);
  EXPECT_EQ(font.lfHeight, 16);
  EXPECT_STREQ(font.lfFaceName, L"SimSun");
  // Fixed pitch, half an em wide per Latin letter.
  EXPECT_EQ(textwidth("iiii", &image), textwidth("MMMM", &image));
  EXPECT_EQ(textwidth("ab", &image), 2 * textwidth('a', &image));
}

TEST_F(TextFontTest, SetfontReadsBackAsGiven) {
  IMAGE image(50, 20);
  setfont(24, 0, "SimSun", &image);
  EXPECT_EQ(textheight("A", &image), 24);
  LOGFONTA narrow = {};
  LOGFONTW wide = {};
  getfont(&narrow, &image);
  getfont(&wide, &image);
  EXPECT_EQ(narrow.lfHeight, 24);
  EXPECT_STREQ(narrow.lfFaceName, "SimSun");
  EXPECT_EQ(wide.lfHeight, 24);
  EXPECT_EQ(wide.lfCharSet, DEFAULT_CHARSET);

  setfont(-20, 7, L"Tahoma", 900, 900, FW_BOLD, true, true, false, &image);
  getfont(&wide, &image);
  EXPECT_EQ(wide.lfHeight, -20);
  EXPECT_EQ(wide.lfWidth, 7);
  EXPECT_EQ(wide.lfEscapement, 900);
  EXPECT_EQ(wide.lfWeight, FW_BOLD);
  EXPECT_EQ(wide.lfItalic, 1);
  EXPECT_EQ(wide.lfUnderline, 1);
  EXPECT_EQ(wide.lfStrikeOut, 0);
  EXPECT_STREQ(wide.lfFaceName, L"Tahoma");

  setfont(16, 0, "System", 0, 0, 0, false, false, true, ANSI_CHARSET, 1, 2, 3, FF_SWISS, &image);
  getfont(&narrow, &image);
  EXPECT_EQ(narrow.lfStrikeOut, 1);
  EXPECT_EQ(narrow.lfCharSet, ANSI_CHARSET);
  EXPECT_EQ(narrow.lfOutPrecision, 1);
  EXPECT_EQ(narrow.lfClipPrecision, 2);
  EXPECT_EQ(narrow.lfQuality, 3);
  EXPECT_EQ(narrow.lfPitchAndFamily, FF_SWISS);
  EXPECT_STREQ(narrow.lfFaceName, "System");
}

TEST_F(TextFontTest, RecordFormsAndLongFaceNames) {
  IMAGE image(50, 20);
  LOGFONTA record = {};
  record.lfHeight = 30;
  std::strcpy(record.lfFaceName, "DejaVu Sans");
  setfont(&record, &image);
  EXPECT_EQ(textheight("x", &image), 30);

  setfont(18, 0, L"A face name much longer than thirty-one characters", &image);
  LOGFONTW wide = {};
  getfont(&wide, &image);
  EXPECT_EQ(std::wcslen(wide.lfFaceName), 31u);
  EXPECT_EQ(std::wstring(wide.lfFaceName), std::wstring(L"A face name much longer than th"));
  EXPECT_EQ(textheight("x", &image), 18);
}

TEST_F(TextFontTest, MeasuringNothingGivesZero) {
  IMAGE image(50, 20);
  EXPECT_EQ(textwidth(static_cast<const wchar_t*>(nullptr), &image), 0);
  EXPECT_EQ(textheight(static_cast<const wchar_t*>(nullptr), &image), 0);
  EXPECT_EQ(textwidth(static_cast<const char*>(nullptr), &image), 0);
  EXPECT_EQ(textwidth("", &image), 0);
  EXPECT_EQ(textwidth(L"", &image), 0);
  EXPECT_EQ(textwidth("abc"), 0);  // no drawing target
  EXPECT_EQ(textheight("abc", reinterpret_cast<IMAGE*>(7)), 0);  // a page that does not exist
  // A lone lead byte of a two-byte character converts to the replacement character.
  EXPECT_EQ(textwidth('\xc3', &image), textwidth(L'\ufffd', &image));
}

TEST_F(TextFontTest, MeasuringAndFontsNeverCount) {
  IMAGE image(50, 20);
  settarget(&image);
  const int before = counter();
  textwidth("abc");
  textheight(L"abc");
  setfont(20, 0, "SimSun");
  settextjustify(1, 1);
  LOGFONTW font = {};
  getfont(&font);
  EXPECT_EQ(counter(), before);
  EXPECT_EQ(font.lfHeight, 20);
  EXPECT_EQ(image.text_halign, 1);
  settarget(nullptr);
}

}  // namespace
