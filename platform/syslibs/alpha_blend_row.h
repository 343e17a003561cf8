// AlphaBlend's per-pixel arithmetic over one row of 32-bit words, in a plain
// and a SIMD form chosen at run time. Depends on: nothing. Knows nothing of
// DCs, clipping or stretching: msimg32.cpp walks the rows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::syslibs {

// Source-over with the source scaled by the constant alpha. With a per-pixel
// (premultiplied) source alpha the destination keeps 1 - Sa*sca/255 of
// itself; without one it keeps 1 - sca/255. Every channel, alpha included,
// each product divided by 255 with rounding and the sum saturated at 255.
uint32_t alpha_blend_pixel(uint32_t source, uint32_t destination, uint32_t constant_alpha, bool per_pixel_alpha);

// d[i] = alpha_blend_pixel(s[i], d[i], ...) for i < n; d and s do not overlap.
// Vectorised; the results equal alpha_blend_pixel's bit for bit.
void alpha_blend_row(uint32_t* d, const uint32_t* s, size_t n, uint32_t constant_alpha, bool per_pixel_alpha);

}  // namespace platform::syslibs
