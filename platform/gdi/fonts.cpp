// Font records. A font here is only its LOGFONT: making one is a copy, and
// text rendering resolves it when it is first drawn or measured with.
// Depends on: objects, kernel32 (text conversion). Renders and measures nothing (fonts/, text_render).
#include <cstring>
#include <cwchar>

#include "gdi/objects.h"
#include "platform/kernel32.h"

using platform::gdi::create_object;
using platform::gdi::Font;

namespace {

// Everything but the face name, which the two layouts store differently.
template <class From, class To>
void copy_metrics(const From& from, To* to) {
  to->lfHeight = from.lfHeight;
  to->lfWidth = from.lfWidth;
  to->lfEscapement = from.lfEscapement;
  to->lfOrientation = from.lfOrientation;
  to->lfWeight = from.lfWeight;
  to->lfItalic = from.lfItalic;
  to->lfUnderline = from.lfUnderline;
  to->lfStrikeOut = from.lfStrikeOut;
  to->lfCharSet = from.lfCharSet;
  to->lfOutPrecision = from.lfOutPrecision;
  to->lfClipPrecision = from.lfClipPrecision;
  to->lfQuality = from.lfQuality;
  to->lfPitchAndFamily = from.lfPitchAndFamily;
}

}  // namespace

namespace platform::gdi {

LOGFONTA ansi_font_record(const LOGFONTW& font) {
  LOGFONTA out{};
  copy_metrics(font, &out);
  // The longest prefix of the face name whose conversion fits.
  for (int n = static_cast<int>(wcsnlen(font.lfFaceName, LF_FACESIZE)); n > 0; --n) {
    const std::string bytes = wide_to_multibyte(CP_ACP, font.lfFaceName, n);
    if (!bytes.empty() && bytes.size() < LF_FACESIZE) {
      std::memcpy(out.lfFaceName, bytes.data(), bytes.size());
      break;
    }
  }
  return out;
}

}  // namespace platform::gdi

HFONT CreateFontIndirectW(const LOGFONTW* font) {
  return font ? static_cast<HFONT>(create_object<Font>(*font)) : nullptr;
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
  if (!font) return nullptr;
  LOGFONTW wide{};
  copy_metrics(*font, &wide);
  const int bytes = static_cast<int>(strnlen(font->lfFaceName, LF_FACESIZE - 1));
  const std::wstring face = platform::multibyte_to_wide(CP_ACP, font->lfFaceName, bytes);
  if (face.size() < LF_FACESIZE) std::wmemcpy(wide.lfFaceName, face.data(), face.size());
  return CreateFontIndirectW(&wide);
}

namespace {

template <class Record>
Record font_fields(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                   DWORD underline, DWORD strikeout, DWORD charset, DWORD out_precision, DWORD clip_precision,
                   DWORD quality, DWORD pitch_and_family) {
  Record font{};
  font.lfHeight = height;
  font.lfWidth = width;
  font.lfEscapement = escapement;
  font.lfOrientation = orientation;
  font.lfWeight = weight;
  font.lfItalic = BYTE(italic);
  font.lfUnderline = BYTE(underline);
  font.lfStrikeOut = BYTE(strikeout);
  font.lfCharSet = BYTE(charset);
  font.lfOutPrecision = BYTE(out_precision);
  font.lfClipPrecision = BYTE(clip_precision);
  font.lfQuality = BYTE(quality);
  font.lfPitchAndFamily = BYTE(pitch_and_family);
  return font;
}

}  // namespace

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeout, DWORD charset, DWORD out_precision, DWORD clip_precision, DWORD quality,
                  DWORD pitch_and_family, LPCWSTR face) {
  LOGFONTW font = font_fields<LOGFONTW>(height, width, escapement, orientation, weight, italic, underline, strikeout,
                                        charset, out_precision, clip_precision, quality, pitch_and_family);
  if (face) wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeout, DWORD charset, DWORD out_precision, DWORD clip_precision, DWORD quality,
                  DWORD pitch_and_family, LPCSTR face) {
  LOGFONTA font = font_fields<LOGFONTA>(height, width, escapement, orientation, weight, italic, underline, strikeout,
                                        charset, out_precision, clip_precision, quality, pitch_and_family);
  if (face) strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectA(&font);
}
