// Binary raster operations (SetROP2) as data: every mode is
// D = (D & and_mask) ^ xor_mask, with both masks worked out once per call
// from the mode's truth table and the pen or brush word. The operation is
// bitwise over all 32 bits of a pixel, like the ternary operations of
// BitBlt, so that R2_COPYPEN writes alpha 0 and R2_XORPEN twice restores
// the pixel, alpha included.
// Depends on: pattern. Does not clip; ternary operations are rop.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gdi/pattern.h"

namespace platform::gdi {

struct Ink {
  uint32_t and_mask = ~0u;  // ~0 / 0: R2_NOP
  uint32_t xor_mask = 0;

  bool is_copy() const { return and_mask == 0; }
  bool is_nop() const { return and_mask == ~0u && xor_mask == 0; }
  uint32_t apply(uint32_t d) const { return (d & and_mask) ^ xor_mask; }
};

// The ink of ROP2 `mode` (R2_BLACK..R2_WHITE) with pen or brush word `pen`.
Ink make_ink(int mode, uint32_t pen);

// A brush as inks on its 8x8 device-aligned tile: hatch lines in the brush
// colour, the gaps in the background colour (OPAQUE) or untouched (TRANSPARENT).
struct BrushInk {
  bool hollow = true;
  bool solid = false;
  Ink cells[8][8];
};
BrushInk make_brush_ink(const Pattern& pattern, int mode, bool transparent_gaps);

// Applies the ink to n words of a row whose first word is at device column x.
void ink_span(uint32_t* words, size_t n, const Ink& ink);
void ink_span(uint32_t* words, int64_t x, int64_t y, size_t n, const BrushInk& ink);

}  // namespace platform::gdi
