// The flood fill's row scan: how far a row holds only fillable pixels, a
// block of 32 at a time. Depends on nothing but the compiler's vector types.
// Knows nothing of clips or bits taken; the caller finishes the last block.
#pragma once

#include <cstdint>
#include <cstring>

namespace platform::gdi {

// Moves x on by whole blocks of 32 fillable pixels (colour compared on 24
// bits: equal to it in surface mode, different from it otherwise) and stops
// before the first block holding one that is not.
int64_t skip_fillable(const uint32_t* row, int64_t x, int64_t limit, uint32_t colour, bool surface_mode);

namespace flood_scan {

// The block loop over vectors `Words` of 16 or 32 bytes; `any` tells whether
// a vector has a lane set (one test per block, not a lane-by-lane reduction).
template <typename Words, bool kSurface, typename Any>
inline int64_t skip_blocks(const uint32_t* row, int64_t x, int64_t limit, uint32_t colour, Any any) {
  constexpr int kLanes = sizeof(Words) / sizeof(uint32_t), kBlock = 32;
  Words c, rgb;
  for (int i = 0; i < kLanes; ++i) c[i] = colour, rgb[i] = 0xFFFFFFu;
  for (; x + kBlock <= limit; x += kBlock) {
    Words stop = {};
    for (int k = 0; k < kBlock; k += kLanes) {
      Words v;
      std::memcpy(&v, row + x + k, sizeof v);
      const Words other = (v ^ c) & rgb;
      stop |= kSurface ? other : Words(other == 0);
    }
    if (any(stop)) break;
  }
  return x;
}

// The 32-byte form, null where the processor lacks AVX2.
using skip_loop = int64_t (*)(const uint32_t* row, int64_t x, int64_t limit, uint32_t colour, bool surface_mode);
skip_loop avx2_skip_fillable();

}  // namespace flood_scan
}  // namespace platform::gdi
