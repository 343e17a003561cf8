// The blend formulas written out per channel, as the reference of the seeded
// random tests of whole blends and of the blending pixel writers.
// Depends on: nothing. Calls no library code.
#pragma once

#include <cstdint>

namespace blend_reference {

inline uint32_t round255(uint32_t v) { return (v + 127) / 255; }
inline uint32_t byte(uint32_t p, int i) { return (p >> (8 * i)) & 0xFF; }

// D moved towards S by v / 255 in each colour channel; alpha from `alpha`.
inline uint32_t mix_colour(uint32_t d, uint32_t s, uint32_t v, uint32_t alpha) {
  uint32_t out = alpha << 24;
  for (int i = 0; i < 3; ++i) out |= round255(byte(d, i) * (255 - v) + byte(s, i) * v) << (8 * i);
  return out;
}

inline uint32_t ref_blendover(uint32_t d, uint32_t s, uint32_t v) {
  return mix_colour(d, s, v, round255(byte(d, 3) * 255 + (255 - byte(d, 3)) * v));
}

inline uint32_t ref_blendrgb(uint32_t d, uint32_t s, uint32_t v) { return mix_colour(d, s, v, byte(d, 3)); }

// A premultiplied source over D: the source scaled by v / 255, D by what
// is left of the scaled source alpha; each term rounded, the sum saturating.
inline uint32_t ref_premultiplied(uint32_t d, uint32_t s, uint32_t v) {
  const uint32_t keep = 255 - round255(byte(s, 3) * v);
  uint32_t out = 0;
  for (int i = 0; i < 4; ++i) {
    const uint32_t sum = round255(byte(s, i) * v) + round255(byte(d, i) * keep);
    out |= (sum > 255 ? 255 : sum) << (8 * i);
  }
  return out;
}

// The packed form: both colour pairs at once, weight a of 256, rounding by adding a half.
inline uint32_t ref_blendpacked(uint32_t d, uint32_t s, uint32_t a) {
  const uint32_t rb = ((d & 0xFF00FF) + ((((s & 0xFF00FF) - (d & 0xFF00FF)) * a + 0x7F007F) >> 8)) & 0xFF00FF;
  const uint32_t g = ((d & 0xFF00) + ((((s & 0xFF00) - (d & 0xFF00)) * a + 0x7F00) >> 8)) & 0xFF00;
  return (d & 0xFF000000) | rb | g;
}

}  // namespace blend_reference
