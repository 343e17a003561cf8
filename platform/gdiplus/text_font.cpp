// GDI+ fonts from GDI font records. The em size comes from the realised
// font, so a record's cell height converts as GDI converts it.
// Depends on: fonts (realising the record), text_objects, status. Draws nothing.
#include <cwchar>

#include "fonts/fonts.h"
#include "gdiplus/status.h"
#include "gdiplus/text_objects.h"

namespace Gdiplus {

GpStatus GdipCreateFontFromLogfontW(HDC, const LOGFONTW* logfont, GpFont** font) {
  if (detail::any_null(logfont, font)) return InvalidParameter;
  LOGFONTW record = *logfont;
  record.lfWidth = 0;
  record.lfEscapement = 0;
  record.lfOrientation = 0;
  record.lfFaceName[LF_FACESIZE - 1] = 0;
  const auto realised = platform::fonts::realise(record);
  if (!realised) return FontFamilyNotFound;
  return detail::guard_allocation([&] {
    *font = new GpFont(record, static_cast<REAL>(realised->metrics().em));
    return Ok;
  });
}

GpStatus GdipCreateFontFromLogfontA(HDC dc, const LOGFONTA* logfont, GpFont** font) {
  if (detail::any_null(logfont, font)) return InvalidParameter;
  const HFONT gdi = CreateFontIndirectA(logfont);
  LOGFONTW wide{};
  const bool read = gdi != nullptr && GetObjectW(gdi, sizeof(wide), &wide) != 0;
  DeleteObject(gdi);
  return read ? GdipCreateFontFromLogfontW(dc, &wide, font) : OutOfMemory;
}

GpStatus GdipCreateFontFromDC(HDC dc, GpFont** font) {
  if (font == nullptr) return InvalidParameter;
  LOGFONTW record{};
  if (GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(record), &record) == 0) return InvalidParameter;
  return GdipCreateFontFromLogfontW(dc, &record, font);
}

GpStatus GdipDeleteFont(GpFont* font) {
  if (font == nullptr) return InvalidParameter;
  delete font;
  return Ok;
}

GpStatus GdipGetFontSize(GpFont* font, REAL* size) {
  if (detail::any_null(font, size)) return InvalidParameter;
  *size = font->em;
  return Ok;
}

GpStatus GdipGetFontUnit(GpFont* font, Unit* unit) {
  if (detail::any_null(font, unit)) return InvalidParameter;
  *unit = UnitPixel;
  return Ok;
}

}  // namespace Gdiplus
