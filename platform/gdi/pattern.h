// A brush as GDI paints it: an 8x8 tile of 0x00RRGGBB words aligned to device
// pixel (0, 0). Solid brushes fill the tile with one word; hatched brushes
// draw their lines in the brush colour and the gaps in the DC's background
// colour.
// Depends on: objects (brushes). Paints nothing itself (primitives, ink).
#pragma once

#include <cstdint>

#include "gdi/objects.h"

namespace platform::gdi {

struct Pattern {
  bool hollow = false;     // a null brush paints nothing
  bool solid = true;       // every word is the brush colour
  uint8_t lines[8] = {};   // row y, bit x: the brush colour is painted there (hatch lines)
  uint32_t words[8][8] = {};

  const uint32_t* row(int64_t y) const { return words[y & 7]; }
  bool on_line(int64_t x, int64_t y) const { return (lines[y & 7] >> (x & 7)) & 1; }
};

Pattern make_pattern(const Brush& brush, COLORREF background);

}  // namespace platform::gdi
