// Palettes on 32-bit devices: the stock default palette is the only one and
// stays in every DC, so selecting and realising change nothing.
// Depends on: dc. Keeps no palette entries and maps no colours.
#include "gdi/dc.h"

using platform::gdi::find_as;
using platform::gdi::find_dc;
using platform::gdi::Palette;

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL) {
  if (!find_dc(dc) || !find_as<Palette>(palette)) return nullptr;
  return static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
}

UINT RealizePalette(HDC dc) { return find_dc(dc) ? 0 : GDI_ERROR; }
