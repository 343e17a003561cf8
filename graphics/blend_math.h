// Integer rounding helpers and the per-pixel blend formulas shared by the
// image blends, the single-pixel writers and the colour functions. Internal.
// Depends on nothing. Knows no images or rows.
//
// A pixel is 0xAARRGGBB; every formula works on 32-bit unsigned integers so
// that results are the same on every compiler and with or without SIMD.
#pragma once

#include <cstdint>

namespace frond {

// v / 255 rounded to nearest, for 0 <= v <= 255 * 255 (and a little beyond).
constexpr uint32_t div255round(uint32_t v) { return (v + ((v + 384) >> 8) + 127) >> 8; }

// v / 255 rounded down, exact for 0 <= v <= 255 * 255; larger sums up to
// twice that still give 255 or more.
constexpr uint32_t div255floor(uint32_t v) { return (v + ((v + 257) >> 8)) >> 8; }

// A weight 0..256 for an alpha 0..255.
constexpr uint32_t alphato256(uint32_t a) { return div255round(a * 256); }

constexpr uint32_t channel_of(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

// One channel moved from d towards s by v / 255, rounded to nearest.
// d * 255 + (s - d) * v, written without the negative intermediate.
constexpr uint32_t blend_channel(uint32_t d, uint32_t s, uint32_t v) { return div255round(d * (255 - v) + s * v); }

// Red, green and blue of d moved towards s by v / 255 (v in 0..255).
constexpr uint32_t blend_colour_part(uint32_t d, uint32_t s, uint32_t v) {
  return (blend_channel(channel_of(d, 16), channel_of(s, 16), v) << 16) |
         (blend_channel(channel_of(d, 8), channel_of(s, 8), v) << 8) | blend_channel(channel_of(d, 0), channel_of(s, 0), v);
}

// Straight source-over with s weighted by v: the result's alpha is written.
constexpr uint32_t blendover(uint32_t d, uint32_t s, uint32_t v) {
  return (blend_channel(d >> 24, 255, v) << 24) | blend_colour_part(d, s, v);
}

// As blendover for red, green and blue; d's alpha is kept.
constexpr uint32_t blendrgb(uint32_t d, uint32_t s, uint32_t v) { return (d & 0xFF000000) | blend_colour_part(d, s, v); }

// The packed form: red and blue in one multiply, green in another, each
// with its own rounding; a = 256 gives s's colour, a = 0 gives d. d's alpha is kept.
constexpr uint32_t blendpacked(uint32_t d, uint32_t s, uint32_t a) {
  const uint32_t rb_d = d & 0x00FF00FF, g_d = d & 0x0000FF00;
  const uint32_t rb = (rb_d + ((((s & 0x00FF00FF) - rb_d) * a + 0x007F007F) >> 8)) & 0x00FF00FF;
  const uint32_t g = (g_d + ((((s & 0x0000FF00) - g_d) * a + 0x00007F00) >> 8)) & 0x0000FF00;
  return (d & 0xFF000000) | rb | g;
}

}  // namespace frond
