// The pixel buffer every layer of the platform draws into and every display
// backend presents or reads: rows of 32-bit (0xAARRGGBB) or 24-bit pixels,
// top row first, with a signed stride for bottom-up bitmaps.
// Depends on nothing but the standard library. Owns no pixels: whoever makes
// a Surface keeps the memory it points at alive.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::display {

struct Surface {
  uint8_t* bits = nullptr;   // first byte of row 0 (the top row)
  int width = 0;
  int height = 0;
  ptrdiff_t stride = 0;      // bytes from one row to the next one down (negative for bottom-up DIBs)
  int bits_per_pixel = 0;    // 32 or 24

  uint32_t* row32(int y) const { return reinterpret_cast<uint32_t*>(bits + stride * y); }
};

}  // namespace platform::display
