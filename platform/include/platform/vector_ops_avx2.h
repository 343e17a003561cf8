// The 256-bit twin of vector_ops_sse2.h, for AVX2. Include it only after
// switching the target to AVX2 (and only in files whose code runs when the
// processor has it). Unpacking and packing work within each 128-bit half,
// which keeps pixels in place as long as every step does the same.
// Depends on: <immintrin.h> only. Blends nothing itself, and does not check that the processor has AVX2.
#pragma once

#include <cstdint>

#include <immintrin.h>

namespace platform::vector {

struct avx2_ops {
  using vec = __m256i;
  static constexpr int lanes = 8;
  static vec load(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const vec*>(p)); }
  static void store(uint32_t* p, vec v) { _mm256_storeu_si256(reinterpret_cast<vec*>(p), v); }
  static vec zero() { return _mm256_setzero_si256(); }
  static vec set32(uint32_t x) { return _mm256_set1_epi32(int(x)); }
  static vec set16(uint16_t x) { return _mm256_set1_epi16(short(x)); }
  static vec add16(vec a, vec b) { return _mm256_add_epi16(a, b); }
  static vec sub16(vec a, vec b) { return _mm256_sub_epi16(a, b); }
  static vec mullo16(vec a, vec b) { return _mm256_mullo_epi16(a, b); }
  static vec mulhi_u16(vec a, vec b) { return _mm256_mulhi_epu16(a, b); }
  static vec shl8_16(vec a) { return _mm256_slli_epi16(a, 8); }
  static vec shl16_32(vec a) { return _mm256_slli_epi32(a, 16); }
  static vec shr24_32(vec a) { return _mm256_srli_epi32(a, 24); }
  static vec shr8_32(vec a) { return _mm256_srli_epi32(a, 8); }
  static vec shl8_32(vec a) { return _mm256_slli_epi32(a, 8); }
  static vec add32(vec a, vec b) { return _mm256_add_epi32(a, b); }
  static vec sub32(vec a, vec b) { return _mm256_sub_epi32(a, b); }
  static vec mullo32(vec a, vec b) { return _mm256_mullo_epi32(a, b); }
  static vec or_(vec a, vec b) { return _mm256_or_si256(a, b); }
  static vec and_(vec a, vec b) { return _mm256_and_si256(a, b); }
  static vec andnot(vec a, vec b) { return _mm256_andnot_si256(a, b); }
  static vec cmpeq32(vec a, vec b) { return _mm256_cmpeq_epi32(a, b); }
  static bool all(vec mask) { return _mm256_movemask_epi8(mask) == -1; }
  static vec unpacklo8(vec a, vec b) { return _mm256_unpacklo_epi8(a, b); }
  static vec unpackhi8(vec a, vec b) { return _mm256_unpackhi_epi8(a, b); }
  static vec unpacklo32(vec a, vec b) { return _mm256_unpacklo_epi32(a, b); }
  static vec unpackhi32(vec a, vec b) { return _mm256_unpackhi_epi32(a, b); }
  static vec packus16(vec a, vec b) { return _mm256_packus_epi16(a, b); }
};

}  // namespace platform::vector
