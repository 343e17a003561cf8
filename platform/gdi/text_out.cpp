// TextOutW/A and the text alignment of a DC. The alignment names the point of
// the text's cell that lies on the reference point; with TA_UPDATECP the
// reference point is the current position, which moves past the text (back
// over it for TA_RIGHT, not at all for TA_CENTER).
// Depends on: text_render, kernel32 (text conversion). Does not wrap, break lines or expand tabs
// (draw_text).
#include <algorithm>
#include <cmath>

#include "gdi/text_render.h"
#include "platform/kernel32.h"

using namespace platform::gdi;

namespace {

int64_t aligned_u(UINT align, int64_t width) {
  if ((align & TA_CENTER) == TA_CENTER) return width / 2;
  return (align & TA_RIGHT) != 0 ? width : 0;
}

int64_t aligned_v(UINT align, const platform::fonts::Metrics& m) {
  if ((align & TA_BASELINE) == TA_BASELINE) return m.ascent;
  return (align & TA_BOTTOM) != 0 ? m.height : 0;
}

LONG clamp_long(int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

UINT SetTextAlign(HDC dc, UINT align) {
  const auto d = find_dc(dc);
  if (!d) return GDI_ERROR;
  const UINT old = d->text_align;
  d->text_align = align;
  return old;
}

UINT GetTextAlign(HDC dc) {
  const auto d = find_dc(dc);
  return d ? d->text_align : GDI_ERROR;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
  const auto d = find_dc(dc);
  if (!d || count < 0 || (text == nullptr && count > 0)) return FALSE;
  const auto font = dc_font(*d);
  if (!font) return FALSE;
  const TextLine line = layout_text(*font, text, static_cast<size_t>(count));
  const UINT align = d->text_align;
  const bool update_cp = (align & TA_UPDATECP) != 0;
  const POINT ref = update_cp ? d->position : POINT{x, y};
  const TextPlacement at{device_x(*d, ref.x), device_y(*d, ref.y), aligned_u(align, line.width),
                         aligned_v(align, font->metrics())};
  paint_text(*d, *font, line, at, nullptr);
  if (update_cp && (align & TA_CENTER) != TA_CENTER) {
    // Along the baseline, whatever the escapement.
    const double step = (align & TA_RIGHT) != 0 ? -double(line.width) : double(line.width);
    const double angle = font->metrics().escapement;
    d->position = POINT{clamp_long(ref.x + std::llround(step * std::cos(angle))),
                        clamp_long(ref.y - std::llround(step * std::sin(angle)))};
  }
  return TRUE;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
  if (count < 0 || (text == nullptr && count > 0)) return FALSE;
  const std::wstring wide = platform::multibyte_to_wide(CP_ACP, text, count);
  return TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}
