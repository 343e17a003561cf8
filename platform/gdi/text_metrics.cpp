// Measuring text: the extent of a string in the DC's font and the font's
// TEXTMETRIC. An extent is the sum of the characters' advances by the cell
// height, whatever the escapement.
// Depends on: text_render (the DC's font), kernel32 (text conversion). Draws nothing.
#include <algorithm>

#include "gdi/text_render.h"
#include "platform/kernel32.h"

using namespace platform::gdi;

namespace {

BOOL fill_metrics(HDC dc, TEXTMETRICW* out) {
  const auto d = find_dc(dc);
  if (!d || out == nullptr) return FALSE;
  const auto font = dc_font(*d);
  if (!font) return FALSE;
  const platform::fonts::Metrics& m = font->metrics();
  *out = TEXTMETRICW{};
  out->tmHeight = m.height;
  out->tmAscent = m.ascent;
  out->tmDescent = m.descent;
  out->tmInternalLeading = m.internal_leading;
  out->tmExternalLeading = m.external_leading;
  out->tmAveCharWidth = m.ave_char_width;
  out->tmMaxCharWidth = m.max_char_width;
  out->tmWeight = m.weight;
  out->tmDigitizedAspectX = 96;
  out->tmDigitizedAspectY = 96;
  out->tmFirstChar = 0x20;
  out->tmLastChar = 0xFFFC;
  out->tmDefaultChar = 0x1F;
  out->tmBreakChar = 0x20;
  out->tmItalic = m.italic ? 1 : 0;
  out->tmUnderlined = m.underline ? 1 : 0;
  out->tmStruckOut = m.strike_out ? 1 : 0;
  // TMPF_FIXED_PITCH set means variable pitch.
  out->tmPitchAndFamily = static_cast<BYTE>(m.family | TMPF_VECTOR | TMPF_TRUETYPE | (m.fixed_pitch ? 0 : TMPF_FIXED_PITCH));
  out->tmCharSet = m.char_set;
  return TRUE;
}

}  // namespace

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
  const auto d = find_dc(dc);
  if (!d || size == nullptr || count < 0 || (text == nullptr && count > 0)) return FALSE;
  const auto font = dc_font(*d);
  if (!font) return FALSE;
  const TextLine line = layout_text(*font, text, static_cast<size_t>(count));
  size->cx = static_cast<LONG>(std::min<int64_t>(line.width, INT32_MAX));
  size->cy = font->metrics().height;
  return TRUE;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, SIZE* size) {
  if (count < 0 || (text == nullptr && count > 0)) return FALSE;
  const std::wstring wide = platform::multibyte_to_wide(CP_ACP, text, count);
  return GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), size);
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) { return fill_metrics(dc, metrics); }
