// Test helpers for text: LOGFONT records, a font selected into a test DIB's
// DC for the length of a test, text extents, and a fixture of a paper-filled
// DIB with a font selected.
// Depends on: gdi_test_util.h (the test DIB). Asserts nothing itself.
#pragma once

#include <gtest/gtest.h>

#include <cwchar>

#include "platform/windows.h"
#include "platform_gdi/gdi_test_util.h"

namespace text_test {

inline LOGFONTW logfont(LONG height, const wchar_t* face = L"SimSun", LONG width = 0, LONG escapement = 0) {
  LOGFONTW f{};
  f.lfHeight = height;
  f.lfWidth = width;
  f.lfEscapement = escapement;
  f.lfOrientation = escapement;
  f.lfCharSet = DEFAULT_CHARSET;
  std::wcsncpy(f.lfFaceName, face, LF_FACESIZE - 1);
  return f;
}

// A font selected into a DC until the end of the scope; the old one comes back.
class SelectedFont {
 public:
  SelectedFont(HDC dc, const LOGFONTW& f) : dc_(dc), font_(CreateFontIndirectW(&f)), old_(SelectObject(dc, font_)) {}
  ~SelectedFont() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

inline SIZE extent(HDC dc, const wchar_t* text) {
  SIZE s{};
  GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &s);
  return s;
}

constexpr uint32_t kPaper = 0xFF123456;
constexpr COLORREF kBack = RGB(0, 0, 255);  // drawing word 0x000000FF

// A 200x120 DIB filled with kPaper, 16-pixel SimSun selected, kBack as the background colour.
class PaperTest : public ::testing::Test {
 protected:
  PaperTest() : dib(200, 120), font(dib.dc, logfont(16)) {
    dib.fill(kPaper);
    SetBkColor(dib.dc, kBack);
  }

  gdi_test::TestDib dib;
  SelectedFont font;
};

}  // namespace text_test
