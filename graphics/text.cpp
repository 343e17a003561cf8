// Text and fonts: conversion of 8-bit text through the library's code page,
// text justification, measuring text in an image's font, and the font of an
// image's DC as a LOGFONT record.
// Depends on: state (code page, selectors).

#include <algorithm>
#include <climits>
#include <cwchar>
#include <type_traits>

#include "graphics/state.h"
#include "graphics/text_internal.h"

namespace frond {
namespace {

LOGFONTW font_record(int height, int width, const wchar_t* face, int escapement, int orientation, int weight,
                     bool italic, bool underline, bool strikeout, uint8_t charset, uint8_t outprecision,
                     uint8_t clipprecision, uint8_t quality, uint8_t pitchandfamily) {
  LOGFONTW font = {};
  font.lfHeight = height;
  font.lfWidth = width;
  font.lfEscapement = escapement;
  font.lfOrientation = orientation;
  font.lfWeight = weight;
  font.lfItalic = italic;
  font.lfUnderline = underline;
  font.lfStrikeOut = strikeout;
  font.lfCharSet = charset;
  font.lfOutPrecision = outprecision;
  font.lfClipPrecision = clipprecision;
  font.lfQuality = quality;
  font.lfPitchAndFamily = pitchandfamily;
  // Longer names are cut to the record's 31 characters.
  if (face != nullptr) std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

// Makes the font only when there is an image to select it into; the font it
// replaces is deleted.
template <class Record>
void select_font(const Record* record, IMAGE* img) {
  IMAGE* image = resolve_image(img);
  if (image == nullptr || image->dc == nullptr || record == nullptr) return;
  HFONT font;
  if constexpr (std::is_same_v<Record, LOGFONTA>)
    font = CreateFontIndirectA(record);
  else
    font = CreateFontIndirectW(record);
  if (font != nullptr) DeleteObject(SelectObject(image->dc, font));
}

// The extent of the text in the image's font; nothing for no image or no text.
SIZE text_extent(const wchar_t* text, IMAGE* img) {
  IMAGE* image = resolve_image(img);
  SIZE extent = {0, 0};
  if (image == nullptr || image->dc == nullptr || text == nullptr) return extent;
  const int length = static_cast<int>(std::min<size_t>(std::wcslen(text), INT_MAX));
  if (!GetTextExtentPoint32W(image->dc, text, length, &extent)) extent = {0, 0};
  return extent;
}

SIZE text_extent(const char* text, IMAGE* img) {
  return text != nullptr ? text_extent(mb_to_wide(text).c_str(), img) : SIZE{0, 0};
}

}  // namespace

std::wstring mb_to_wide(const char* text) { return platform::multibyte_to_wide(state().code_page, text); }

void settextjustify(int horiz, int vert, IMAGE* img) {
  IMAGE* image = resolve_image(img);
  if (image == nullptr) return;
  image->text_halign = horiz;
  image->text_valign = vert;
}

int textwidth(const wchar_t* text, IMAGE* img) { return text_extent(text, img).cx; }
int textwidth(const char* text, IMAGE* img) { return text_extent(text, img).cx; }
int textwidth(char c, IMAGE* img) {
  const char text[2] = {c, 0};
  return text_extent(text, img).cx;
}
int textwidth(wchar_t c, IMAGE* img) {
  const wchar_t text[2] = {c, 0};
  return text_extent(text, img).cx;
}

int textheight(const wchar_t* text, IMAGE* img) { return text_extent(text, img).cy; }
int textheight(const char* text, IMAGE* img) { return text_extent(text, img).cy; }
int textheight(char c, IMAGE* img) {
  const char text[2] = {c, 0};
  return text_extent(text, img).cy;
}
int textheight(wchar_t c, IMAGE* img) {
  const wchar_t text[2] = {c, 0};
  return text_extent(text, img).cy;
}

void setfont(int height, int width, const char* face, IMAGE* img) {
  setfont(height, width, mb_to_wide(face).c_str(), img);
}

void setfont(int height, int width, const wchar_t* face, IMAGE* img) {
  setfont(height, width, face, 0, 0, 0, false, false, false, img);
}

void setfont(int height, int width, const char* face, int escapement, int orientation, int weight, bool italic,
             bool underline, bool strikeout, IMAGE* img) {
  setfont(height, width, mb_to_wide(face).c_str(), escapement, orientation, weight, italic, underline, strikeout,
          img);
}

void setfont(int height, int width, const wchar_t* face, int escapement, int orientation, int weight, bool italic,
             bool underline, bool strikeout, IMAGE* img) {
  setfont(height, width, face, escapement, orientation, weight, italic, underline, strikeout, DEFAULT_CHARSET, 0, 0,
          0, 0, img);
}

void setfont(int height, int width, const char* face, int escapement, int orientation, int weight, bool italic,
             bool underline, bool strikeout, uint8_t charset, uint8_t outprecision, uint8_t clipprecision,
             uint8_t quality, uint8_t pitchandfamily, IMAGE* img) {
  setfont(height, width, mb_to_wide(face).c_str(), escapement, orientation, weight, italic, underline, strikeout,
          charset, outprecision, clipprecision, quality, pitchandfamily, img);
}

void setfont(int height, int width, const wchar_t* face, int escapement, int orientation, int weight, bool italic,
             bool underline, bool strikeout, uint8_t charset, uint8_t outprecision, uint8_t clipprecision,
             uint8_t quality, uint8_t pitchandfamily, IMAGE* img) {
  const LOGFONTW font = font_record(height, width, face, escapement, orientation, weight, italic, underline,
                                    strikeout, charset, outprecision, clipprecision, quality, pitchandfamily);
  setfont(&font, img);
}

void setfont(const LOGFONTA* font, IMAGE* img) { select_font(font, img); }

void setfont(const LOGFONTW* font, IMAGE* img) { select_font(font, img); }

void getfont(LOGFONTA* font, IMAGE* img) {
  IMAGE* image = resolve_image(img);
  if (image != nullptr && image->dc != nullptr) GetObjectA(GetCurrentObject(image->dc, OBJ_FONT), sizeof(*font), font);
}

void getfont(LOGFONTW* font, IMAGE* img) {
  IMAGE* image = resolve_image(img);
  if (image != nullptr && image->dc != nullptr) GetObjectW(GetCurrentObject(image->dc, OBJ_FONT), sizeof(*font), font);
}

}  // namespace frond
