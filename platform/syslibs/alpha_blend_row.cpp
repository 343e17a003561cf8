// AlphaBlend's row loop: eight pixels at a time with AVX2 where the
// processor has it, four with SSE2 (alpha_blend_simd.h), the rest of the row
// one pixel at a time. Other machines than x86-64 take the scalar loop.
#include "syslibs/alpha_blend_row.h"

#include <algorithm>

#if defined(__x86_64__)
#include <emmintrin.h>

#include "syslibs/alpha_blend_simd.h"
#endif

namespace platform::syslibs {
namespace {

// round(v / 255) for 0 <= v <= 255 * 255.
uint32_t div255(uint32_t v) { return (v + ((v + 384) >> 8) + 127) >> 8; }

#if defined(__x86_64__)
// 128-bit operations for the loop of alpha_blend_simd.h.
struct sse2_ops {
  using vec = __m128i;
  static constexpr size_t lanes = 4;
  static vec load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const vec*>(p)); }
  static void store(uint32_t* p, vec v) { _mm_storeu_si128(reinterpret_cast<vec*>(p), v); }
  static vec zero() { return _mm_setzero_si128(); }
  static vec set32(uint32_t x) { return _mm_set1_epi32(int(x)); }
  static vec set16(uint16_t x) { return _mm_set1_epi16(short(x)); }
  static vec add16(vec a, vec b) { return _mm_add_epi16(a, b); }
  static vec sub32(vec a, vec b) { return _mm_sub_epi32(a, b); }
  static vec mullo16(vec a, vec b) { return _mm_mullo_epi16(a, b); }
  static vec mulhi_u16(vec a, vec b) { return _mm_mulhi_epu16(a, b); }
  static vec shl16_32(vec a) { return _mm_slli_epi32(a, 16); }
  static vec shr24_32(vec a) { return _mm_srli_epi32(a, 24); }
  static vec or_(vec a, vec b) { return _mm_or_si128(a, b); }
  static vec and_(vec a, vec b) { return _mm_and_si128(a, b); }
  static vec cmpeq32(vec a, vec b) { return _mm_cmpeq_epi32(a, b); }
  static bool all(vec mask) { return _mm_movemask_epi8(mask) == 0xFFFF; }
  static vec unpacklo8(vec a, vec b) { return _mm_unpacklo_epi8(a, b); }
  static vec unpackhi8(vec a, vec b) { return _mm_unpackhi_epi8(a, b); }
  static vec unpacklo32(vec a, vec b) { return _mm_unpacklo_epi32(a, b); }
  static vec unpackhi32(vec a, vec b) { return _mm_unpackhi_epi32(a, b); }
  static vec packus16(vec a, vec b) { return _mm_packus_epi16(a, b); }
};

// Eight pixels at a time where the processor has AVX2, then four.
size_t alpha_blend_vectors(uint32_t* d, const uint32_t* s, size_t n, uint32_t constant_alpha, bool per_pixel_alpha) {
  static const alpha_blend_loop wide = avx2_alpha_blend();
  const size_t done = wide ? wide(d, s, n, constant_alpha, per_pixel_alpha) : 0;
  return done + simd::alpha_blend<sse2_ops>(d + done, s + done, n - done, constant_alpha, per_pixel_alpha);
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
