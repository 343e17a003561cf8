// The 128-bit integer vector operations that the blend loops (msimg32's
// AlphaBlend here, the library's own blends) are written over, for SSE2.
// Include it only where the baseline instruction set is in force; the
// 256-bit twin is vector_ops_avx2.h.
// Depends on: <emmintrin.h> only. Blends nothing itself: the loops live with their callers.
#pragma once

#include <cstdint>

#include <emmintrin.h>

namespace platform::vector {

struct sse2_ops {
  using vec = __m128i;
  static constexpr int lanes = 4;
  static vec load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const vec*>(p)); }
  static void store(uint32_t* p, vec v) { _mm_storeu_si128(reinterpret_cast<vec*>(p), v); }
  static vec zero() { return _mm_setzero_si128(); }
  static vec set32(uint32_t x) { return _mm_set1_epi32(int(x)); }
  static vec set16(uint16_t x) { return _mm_set1_epi16(short(x)); }
  static vec add16(vec a, vec b) { return _mm_add_epi16(a, b); }
  static vec sub16(vec a, vec b) { return _mm_sub_epi16(a, b); }
  static vec mullo16(vec a, vec b) { return _mm_mullo_epi16(a, b); }
  static vec mulhi_u16(vec a, vec b) { return _mm_mulhi_epu16(a, b); }
  static vec shl8_16(vec a) { return _mm_slli_epi16(a, 8); }
  static vec shl16_32(vec a) { return _mm_slli_epi32(a, 16); }
  static vec shr24_32(vec a) { return _mm_srli_epi32(a, 24); }
  static vec shr8_32(vec a) { return _mm_srli_epi32(a, 8); }
  static vec shl8_32(vec a) { return _mm_slli_epi32(a, 8); }
  static vec add32(vec a, vec b) { return _mm_add_epi32(a, b); }
  static vec sub32(vec a, vec b) { return _mm_sub_epi32(a, b); }
  // The low 32 bits of each lane's product: SSE2 multiplies the even lanes, then the odd ones.
  static vec mullo32(vec a, vec b) {
    const vec even = _mm_mul_epu32(a, b);
    const vec odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                              _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
  }
  static vec or_(vec a, vec b) { return _mm_or_si128(a, b); }
  static vec and_(vec a, vec b) { return _mm_and_si128(a, b); }
  static vec andnot(vec a, vec b) { return _mm_andnot_si128(a, b); }
  static vec cmpeq32(vec a, vec b) { return _mm_cmpeq_epi32(a, b); }
  static bool all(vec mask) { return _mm_movemask_epi8(mask) == 0xFFFF; }
  static vec unpacklo8(vec a, vec b) { return _mm_unpacklo_epi8(a, b); }
  static vec unpackhi8(vec a, vec b) { return _mm_unpackhi_epi8(a, b); }
  static vec unpacklo32(vec a, vec b) { return _mm_unpacklo_epi32(a, b); }
  static vec unpackhi32(vec a, vec b) { return _mm_unpackhi_epi32(a, b); }
  static vec packus16(vec a, vec b) { return _mm_packus_epi16(a, b); }
};

}  // namespace platform::vector
