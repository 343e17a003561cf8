// Ternary raster operations as data. Bits 16..23 of a ROP3 code are its truth
// table: bit P*4 + S*2 + D holds the result for pattern bit P, source bit S
// and destination bit D (PATCOPY 0xF0, SRCCOPY 0xCC, DSTINVERT 0x55). The
// operation applies to each of the 32 bits of a pixel word independently.
// Depends on: gdi32.h (ROP3 codes). Touches no pixels itself.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi32.h"

namespace platform::gdi {

inline uint8_t rop3_table(DWORD rop) { return static_cast<uint8_t>(rop >> 16); }
// Whether the result depends on the source, the pattern, the destination.
inline bool rop3_uses_source(uint8_t t) { return ((t >> 2) ^ t) & 0x33; }
inline bool rop3_uses_pattern(uint8_t t) { return ((t >> 4) ^ t) & 0x0F; }
inline bool rop3_uses_destination(uint8_t t) { return ((t >> 1) ^ t) & 0x55; }

// The general path: the truth table evaluated as a sum of its minterms.
uint32_t rop3_apply(uint8_t table, uint32_t p, uint32_t s, uint32_t d);

// Applies `table` to n pixels: dst[i] = op(pattern[(x + i) & 7], src[i], dst[i]),
// where x is the device column of dst[0] (the pattern tile is device aligned).
// `pattern` is one row of 8 words; `src` may be null when the operation does
// not use the source. Common operations take fast paths; all others use
// rop3_apply.
void rop3_row(uint8_t table, uint32_t* dst, const uint32_t* src, const uint32_t* pattern, int64_t x, size_t n);

}  // namespace platform::gdi
