// Test helpers for text: LOGFONT records, a font selected into a test DIB's
// DC for the length of a test, and text extents.
// Depends on: gdi_test_util.h (the test DIB). Asserts nothing itself.
#pragma once

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

}  // namespace text_test
