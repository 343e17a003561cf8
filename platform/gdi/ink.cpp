// The 16 binary raster operations as (and, xor) masks, and the span loops
// that apply them.
// Depends on: ink.h (pattern words). Chooses no spans and clips nothing.
#include "gdi/ink.h"

#include <cwchar>

namespace platform::gdi {

// Mode m has the truth table m - 1: bit (2 * P + D) is the result for pen
// bit P and destination bit D (R2_COPYPEN 13 -> 0b1100, R2_XORPEN 7 -> 0b0110).
// With D = 0 the result is the xor mask; where D = 1 flips it, the and mask
// keeps D.
Ink make_ink(int mode, uint32_t pen) {
  if (mode < R2_BLACK || mode > R2_WHITE) mode = R2_COPYPEN;
  const unsigned table = static_cast<unsigned>(mode - 1);
  const auto bit = [table](int p, int d) { return ((table >> (2 * p + d)) & 1u) ? ~0u : 0u; };
  const uint32_t when_d0 = (pen & bit(1, 0)) | (~pen & bit(0, 0));
  const uint32_t when_d1 = (pen & bit(1, 1)) | (~pen & bit(0, 1));
  return Ink{when_d0 ^ when_d1, when_d0};
}

BrushInk make_brush_ink(const Pattern& pattern, int mode, bool transparent_gaps) {
  BrushInk out;
  out.hollow = pattern.hollow;
  out.solid = pattern.solid;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool gap = !pattern.on_line(x, y);
      out.cells[y][x] = gap && transparent_gaps ? Ink{} : make_ink(mode, pattern.words[y][x]);
    }
  }
  return out;
}

void ink_span(uint32_t* words, size_t n, const Ink& ink) {
  if (ink.is_copy()) {
    // wchar_t is 32 bits here: the C library's wide memset is its fastest word fill.
    static_assert(sizeof(wchar_t) == sizeof(uint32_t), "32-bit wchar_t");
    std::wmemset(reinterpret_cast<wchar_t*>(words), static_cast<wchar_t>(ink.xor_mask), n);
  } else {
    const uint32_t a = ink.and_mask, x = ink.xor_mask;
    for (size_t i = 0; i < n; ++i) words[i] = (words[i] & a) ^ x;
  }
}

void ink_span(uint32_t* words, int64_t x, int64_t y, size_t n, const BrushInk& ink) {
  if (ink.hollow) return;
  if (ink.solid) return ink_span(words, n, ink.cells[0][0]);
  const Ink* row = ink.cells[y & 7];
  for (size_t i = 0; i < n; ++i) words[i] = row[(x + static_cast<int64_t>(i)) & 7].apply(words[i]);
}

}  // namespace platform::gdi
