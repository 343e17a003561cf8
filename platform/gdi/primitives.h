// Inner pixel loops. Every span and rectangle passed here is non-empty and
// already clipped to the surface; nothing is checked again.
// Depends on: pattern, surface. Clips and checks nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gdi/pattern.h"
#include "gdi/surface.h"

namespace platform::gdi {

// n pixels of row y from column x as 32-bit words: the row itself on a 32-bit
// surface, `scratch` loaded from a 24-bit row (alpha 0) otherwise.
uint32_t* open_span(const Surface& s, int x, int y, size_t n, uint32_t* scratch);
// Writes the words back into a 24-bit row, dropping alpha; nothing to do for 32-bit rows.
void close_span(const Surface& s, int x, int y, size_t n, const uint32_t* words);

// One pixel as a 32-bit word (alpha 0 from a 24-bit surface), and its store.
uint32_t read_pixel(const Surface& s, int x, int y);
void write_pixel(const Surface& s, int x, int y, uint32_t word);

// out[i] = row[columns[i]]
void gather_span(const uint32_t* row, const int32_t* columns, size_t n, uint32_t* out);

// Paints `r` with the pattern; with `lines_only` only the hatch lines, leaving the gaps.
// `scratch` holds a row of the rectangle.
void fill_pattern(const Surface& s, const RECT& r, const Pattern& p, bool lines_only, uint32_t* scratch);

}  // namespace platform::gdi
