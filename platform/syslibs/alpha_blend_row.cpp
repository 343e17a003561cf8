// AlphaBlend's row loop: four pixels at a time in SSE2 16-bit lanes, where
// every product (at most 255 * 255) and every rounded quotient fits, the
// rest of the row one pixel at a time. Depends on nothing but the compiler's
// SSE2 intrinsics (x86-64); other machines take the scalar loop.
#include "syslibs/alpha_blend_row.h"

#include <algorithm>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace platform::syslibs {
namespace {

// round(v / 255) for 0 <= v <= 255 * 255.
uint32_t div255(uint32_t v) { return (v + ((v + 384) >> 8) + 127) >> 8; }

#if defined(__x86_64__)
// div255 in each 16-bit lane: ((v + 128) * 257) >> 16 equals it for every
// v in 0..255 * 255.
__m128i div255_16(__m128i v) { return _mm_mulhi_epu16(_mm_add_epi16(v, _mm_set1_epi16(128)), _mm_set1_epi16(257)); }

// Half of the pixels widened to 16-bit lanes: div255(S * ca) + div255(D * keep).
// At full constant alpha div255(S * 255) is S itself.
template <bool kFullConstant>
__m128i blend_half(__m128i s, __m128i d, __m128i constant, __m128i keep) {
  const __m128i kept = div255_16(_mm_mullo_epi16(d, keep));
  return _mm_add_epi16(kFullConstant ? s : div255_16(_mm_mullo_epi16(s, constant)), kept);
}

template <bool kFullConstant, bool kPerPixelAlpha>
size_t alpha_blend_vectors(uint32_t* d, const uint32_t* s, size_t n, uint32_t constant_alpha) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i constant16 = _mm_set1_epi16(static_cast<short>(constant_alpha));
  const __m128i constant32 = _mm_set1_epi32(static_cast<int>(constant_alpha));
  const __m128i full = _mm_set1_epi32(255);
  const __m128i alpha_bytes = _mm_set1_epi32(static_cast<int>(0xFF000000));
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    // Sprites are mostly empty or solid: four premultiplied pixels of 0
    // leave D as it is, and four opaque ones at full constant alpha replace it.
    if (kPerPixelAlpha && _mm_movemask_epi8(_mm_cmpeq_epi32(sv, zero)) == 0xFFFF) continue;
    if (kFullConstant && _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(sv, alpha_bytes), alpha_bytes)) == 0xFFFF) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), sv);
      continue;
    }
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    // The coverage per 32-bit lane (its upper 16 bits stay zero), then the
    // share of the destination kept, copied into all four channels' lanes.
    const __m128i source_alpha = _mm_srli_epi32(sv, 24);
    const __m128i coverage = !kPerPixelAlpha ? constant32
                             : kFullConstant ? source_alpha
                                             : div255_16(_mm_mullo_epi16(source_alpha, constant32));
    const __m128i keep = _mm_sub_epi32(full, coverage);
    const __m128i keep2 = _mm_or_si128(keep, _mm_slli_epi32(keep, 16));
    const __m128i lo = blend_half<kFullConstant>(_mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi8(dv, zero),
                                                 constant16, _mm_unpacklo_epi32(keep2, keep2));
    const __m128i hi = blend_half<kFullConstant>(_mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi8(dv, zero),
                                                 constant16, _mm_unpackhi_epi32(keep2, keep2));
    // Sums reach 510 at most; packing saturates them at 255.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_packus_epi16(lo, hi));
  }
  return i;
}

size_t alpha_blend_vectors(uint32_t* d, const uint32_t* s, size_t n, uint32_t constant_alpha, bool per_pixel_alpha) {
  if (constant_alpha == 255)
    return per_pixel_alpha ? alpha_blend_vectors<true, true>(d, s, n, constant_alpha)
                           : alpha_blend_vectors<true, false>(d, s, n, constant_alpha);
  return per_pixel_alpha ? alpha_blend_vectors<false, true>(d, s, n, constant_alpha)
                         : alpha_blend_vectors<false, false>(d, s, n, constant_alpha);
}
#else
size_t alpha_blend_vectors(uint32_t*, const uint32_t*, size_t, uint32_t, bool) { return 0; }
#endif

}  // namespace

uint32_t alpha_blend_pixel(uint32_t source, uint32_t destination, uint32_t constant_alpha, bool per_pixel_alpha) {
  const uint32_t coverage = per_pixel_alpha ? div255((source >> 24) * constant_alpha) : constant_alpha;
  uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t s = div255(((source >> shift) & 0xFF) * constant_alpha);
    const uint32_t d = div255(((destination >> shift) & 0xFF) * (255 - coverage));
    result |= std::min<uint32_t>(s + d, 255) << shift;
  }
  return result;
}

void alpha_blend_row(uint32_t* d, const uint32_t* s, size_t n, uint32_t constant_alpha, bool per_pixel_alpha) {
  for (size_t i = alpha_blend_vectors(d, s, n, constant_alpha, per_pixel_alpha); i < n; ++i)
    d[i] = alpha_blend_pixel(s[i], d[i], constant_alpha, per_pixel_alpha);
}

}  // namespace platform::syslibs
