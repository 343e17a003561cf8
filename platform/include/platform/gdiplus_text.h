// GDI+ text: fonts made from GDI font records, string formats and
// GdipDrawString. Text is filled as glyph outlines in the graphics' world
// transform and clip, anti-aliased unless the text rendering hint asks for
// single-bit text. The layout rectangle places the text (its left, centre or
// right by the format's alignment, its first line's top at the rectangle's
// top); text is neither wrapped nor clipped to it. Lines end at LF.
// Depends on: gdiplus.h; drawn by platform/gdiplus/ from platform/fonts/' FreeType outlines. Knows no GDI
// text output (gdi32.h).
#pragma once

#include "platform/gdiplus.h"

namespace Gdiplus {

class GpFont;
class GpFontFamily;
class GpFontCollection;
class GpStringFormat;

enum FontStyle { FontStyleRegular = 0, FontStyleBold = 1, FontStyleItalic = 2, FontStyleUnderline = 4, FontStyleStrikeout = 8 };

enum StringAlignment { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };

// The font of a GDI record (its width and escapement play no part), sized in
// pixels: the em height, from the record's cell or em height.
GpStatus GdipCreateFontFromLogfontW(HDC dc, const LOGFONTW* logfont, GpFont** font);
GpStatus GdipCreateFontFromLogfontA(HDC dc, const LOGFONTA* logfont, GpFont** font);
// The font selected into the DC.
GpStatus GdipCreateFontFromDC(HDC dc, GpFont** font);
GpStatus GdipDeleteFont(GpFont* font);
GpStatus GdipGetFontSize(GpFont* font, REAL* size);
GpStatus GdipGetFontUnit(GpFont* font, Unit* unit);

// A family of the installed fonts (`collection` must be null): a name the
// font mapper knows (an installed family or a well-known Windows face such as
// SimSun); FontFamilyNotFound for any other name.
GpStatus GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* collection, GpFontFamily** family);
GpStatus GdipDeleteFontFamily(GpFontFamily* family);
// The glyph outlines of the text (`length` -1: up to the terminator) as
// closed figures, `em` high in path units, the first line's top at the
// layout rectangle's top; `style` is a FontStyle combination.
GpStatus GdipAddPathString(GpPath* path, const WCHAR* text, INT length, const GpFontFamily* family, INT style,
                           REAL em, const GpRectF* layout, const GpStringFormat* format);

// The process's one generic typographic format (no padding); deleting it does nothing.
GpStatus GdipStringFormatGetGenericTypographic(GpStringFormat** format);
GpStatus GdipCloneStringFormat(const GpStringFormat* format, GpStringFormat** clone);
GpStatus GdipDeleteStringFormat(GpStringFormat* format);
GpStatus GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align);
GpStatus GdipGetStringFormatAlign(GpStringFormat* format, StringAlignment* align);

// `length` -1: up to the terminator. A null format aligns near.
GpStatus GdipDrawString(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font,
                        const GpRectF* layout, const GpStringFormat* format, const GpBrush* brush);

}  // namespace Gdiplus
