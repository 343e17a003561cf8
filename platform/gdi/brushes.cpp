// Brushes: CreateSolidBrush, CreateHatchBrush and CreateBrushIndirect make
// solid, hatched and null (hollow) brush records.
// Depends on: the GDI object table. Paints nothing: pattern.cpp turns a brush
// into the tile the painting calls use.
#include "gdi/objects.h"

using platform::gdi::Brush;
using platform::gdi::create_object;

HBRUSH CreateSolidBrush(COLORREF color) { return static_cast<HBRUSH>(create_object<Brush>(BS_SOLID, color, 0)); }

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  return static_cast<HBRUSH>(create_object<Brush>(BS_HATCHED, color, static_cast<ULONG_PTR>(hatch)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (!brush) return nullptr;
  switch (brush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(brush->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(platform::gdi::stock_object(NULL_BRUSH));
    case BS_HATCHED:
      return brush->lbHatch <= HS_DIAGCROSS ? CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor)
                                            : nullptr;
    default: return nullptr;  // pattern and DIB brushes are not supported
  }
}
