// The blends' 256-bit kernels: blend_rows_simd.h compiled for AVX2, offered
// only when the processor has it. Everything this file includes before the
// target switch is compiled for the baseline, so no inline function built
// for AVX2 can stand in for a baseline one elsewhere.
// Depends on: blend_rows_simd.h.

#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
#include "graphics/blend_rows_simd.h"

namespace frond {
namespace {

// 256-bit vector operations. Unpacking and packing work within each 128-bit
// half, which keeps pixels in place as long as every step does the same.
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
  static vec unpacklo8(vec a, vec b) { return _mm256_unpacklo_epi8(a, b); }
  static vec unpackhi8(vec a, vec b) { return _mm256_unpackhi_epi8(a, b); }
  static vec unpacklo32(vec a, vec b) { return _mm256_unpacklo_epi32(a, b); }
  static vec unpackhi32(vec a, vec b) { return _mm256_unpackhi_epi32(a, b); }
  static vec packus16(vec a, vec b) { return _mm256_packus_epi16(a, b); }
};

constexpr blend_kernels kAvx2 = simd::kernels<avx2_ops>();

}  // namespace
}  // namespace frond

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

namespace frond {

const blend_kernels* avx2_blend_kernels() { return __builtin_cpu_supports("avx2") ? &kAvx2 : nullptr; }

}  // namespace frond
#endif
