// Fonts and measuring through the library: the default font of a new image,
// the record forms of setfont, long face names cut, and measuring nothing.
// Depends on: the graphics fixture.
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
  EXPECT_STREQ(font.lfFaceName, L"SimSun");  // its fixed pitch is the platform's
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

}  // namespace
