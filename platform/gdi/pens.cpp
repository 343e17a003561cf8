// Pens: cosmetic pens of CreatePen/CreatePenIndirect and the cosmetic or
// geometric pens of ExtCreatePen, with the argument rules Windows documents.
// Depends on: objects, handles. Draws nothing; the pen's shape is worked out in pen_shape.
#include "gdi/objects.h"

using platform::gdi::create_object;
using platform::gdi::Pen;

namespace {

constexpr DWORD kMaxStyleEntries = 16;

bool dashed(DWORD style) { return style >= PS_DASH && style <= PS_DASHDOTDOT; }

bool valid_ext_style(DWORD style) {
  const DWORD kind = style & PS_TYPE_MASK, line = style & PS_STYLE_MASK;
  const DWORD cap = style & PS_ENDCAP_MASK, join = style & PS_JOIN_MASK;
  const DWORD known = PS_TYPE_MASK | PS_STYLE_MASK | PS_ENDCAP_MASK | PS_JOIN_MASK;
  if ((style & ~known) || line > PS_ALTERNATE) return false;
  if (cap != PS_ENDCAP_ROUND && cap != PS_ENDCAP_SQUARE && cap != PS_ENDCAP_FLAT) return false;
  if (join != PS_JOIN_ROUND && join != PS_JOIN_BEVEL && join != PS_JOIN_MITER) return false;
  if (kind == PS_COSMETIC) return line != PS_INSIDEFRAME;
  return kind == PS_GEOMETRIC && line != PS_ALTERNATE;
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
  // Dashed pens wider than one pixel are drawn solid.
  const DWORD stored = width > 1 && dashed(style) ? DWORD{PS_SOLID} : static_cast<DWORD>(style);
  return static_cast<HPEN>(create_object<Pen>(false, stored, width, color));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  return pen ? CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor) : nullptr;
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD style_count, const DWORD* style_entries) {
  if (!brush || !valid_ext_style(style)) return nullptr;
  const bool user_style = (style & PS_STYLE_MASK) == PS_USERSTYLE;
  if (user_style) {
    if (style_count == 0 || style_count > kMaxStyleEntries || !style_entries) return nullptr;
  } else if (style_count != 0) {
    return nullptr;
  }
  if ((style & PS_TYPE_MASK) == PS_COSMETIC) {
    if (width != 1 || brush->lbStyle != BS_SOLID) return nullptr;
  } else if (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_HATCHED && brush->lbStyle != BS_NULL) {
    return nullptr;
  }
  if (width > static_cast<DWORD>(INT32_MAX)) return nullptr;
  return static_cast<HPEN>(create_object<Pen>(true, style, static_cast<LONG>(width), brush->lbColor, brush->lbStyle,
                                              brush->lbHatch, user_style ? style_entries : nullptr,
                                              user_style ? style_count : 0));
}
