// AlphaBlend's vector loop, written once over a few vector operations so
// that the same code serves 128-bit (SSE2) and 256-bit (AVX2) registers.
// Internal to alpha_blend_row*.cpp: a translation unit includes this after
// choosing its instruction set and defines the operations.
// Depends on: nothing but the vector operations its includer defines. Maps no axes and clips nothing.
//
// Every channel is computed in 16-bit lanes, where each product (at most
// 255 * 255) and each rounded quotient fits, so the results equal
// alpha_blend_pixel's bit for bit.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::syslibs::simd {

// round(v / 255) in each 16-bit lane: ((v + 128) * 257) >> 16 equals it for
// every v in 0..255 * 255.
template <class V>
typename V::vec div255(typename V::vec v) {
  return V::mulhi_u16(V::add16(v, V::set16(128)), V::set16(257));
}

// Half of the pixels widened to 16-bit lanes: div255(S * ca) + div255(D * keep).
// At full constant alpha div255(S * 255) is S itself.
template <class V, bool kFullConstant>
typename V::vec blend_half(typename V::vec s, typename V::vec d, typename V::vec constant, typename V::vec keep) {
  const typename V::vec kept = div255<V>(V::mullo16(d, keep));
  return V::add16(kFullConstant ? s : div255<V>(V::mullo16(s, constant)), kept);
}

// Whole vectors from the start of the row; returns the pixels done.
template <class V, bool kFullConstant, bool kPerPixelAlpha>
size_t alpha_blend(uint32_t* d, const uint32_t* s, size_t n, uint32_t constant_alpha) {
  using vec = typename V::vec;
  const vec zero = V::zero(), constant16 = V::set16(uint16_t(constant_alpha)), constant32 = V::set32(constant_alpha);
  const vec full = V::set32(255), alpha_bytes = V::set32(0xFF000000);
  size_t i = 0;
  for (; i + V::lanes <= n; i += V::lanes) {
    const vec sv = V::load(s + i);
    // Sprites are mostly empty or solid: premultiplied pixels of 0 leave D
    // as it is, and opaque ones at full constant alpha replace it.
    if (kPerPixelAlpha && V::all(V::cmpeq32(sv, zero))) continue;
    if (kFullConstant && V::all(V::cmpeq32(V::and_(sv, alpha_bytes), alpha_bytes))) {
      V::store(d + i, sv);
      continue;
    }
    const vec dv = V::load(d + i);
    // The coverage per 32-bit lane (its upper 16 bits stay zero), then the
    // share of the destination kept, copied into all four channels' lanes.
    const vec source_alpha = V::shr24_32(sv);
    const vec coverage = !kPerPixelAlpha ? constant32
                         : kFullConstant ? source_alpha
                                         : div255<V>(V::mullo16(source_alpha, constant32));
    const vec keep = V::sub32(full, coverage);
    const vec keep2 = V::or_(keep, V::shl16_32(keep));
    const vec lo = blend_half<V, kFullConstant>(V::unpacklo8(sv, zero), V::unpacklo8(dv, zero), constant16,
                                                V::unpacklo32(keep2, keep2));
    const vec hi = blend_half<V, kFullConstant>(V::unpackhi8(sv, zero), V::unpackhi8(dv, zero), constant16,
                                                V::unpackhi32(keep2, keep2));
    // Sums reach 510 at most; packing saturates them at 255.
    V::store(d + i, V::packus16(lo, hi));
  }
  return i;
}

// The four forms of the loop, chosen by the call's arguments.
template <class V>
size_t alpha_blend(uint32_t* d, const uint32_t* s, size_t n, uint32_t constant_alpha, bool per_pixel_alpha) {
  if (constant_alpha == 255)
    return per_pixel_alpha ? alpha_blend<V, true, true>(d, s, n, constant_alpha)
                           : alpha_blend<V, true, false>(d, s, n, constant_alpha);
  return per_pixel_alpha ? alpha_blend<V, false, true>(d, s, n, constant_alpha)
                         : alpha_blend<V, false, false>(d, s, n, constant_alpha);
}

}  // namespace platform::syslibs::simd

namespace platform::syslibs {

// The AVX2 loop, or null when the processor lacks AVX2 (x86-64 only).
using alpha_blend_loop = size_t (*)(uint32_t* d, const uint32_t* s, size_t n, uint32_t constant_alpha,
                                    bool per_pixel_alpha);
alpha_blend_loop avx2_alpha_blend();

}  // namespace platform::syslibs
