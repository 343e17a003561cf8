// AlphaBlend's 256-bit loop: alpha_blend_simd.h compiled for AVX2, offered
// only when the processor has it. Everything included before the target
// switch is compiled for the baseline.
// Depends on: alpha_blend_simd.h.
#include <cstddef>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>

#include "platform/avx2_begin.h"
#include "syslibs/alpha_blend_simd.h"
#include "platform/vector_ops_avx2.h"

namespace platform::syslibs {
namespace {

using platform::vector::avx2_ops;

size_t alpha_blend_avx2(uint32_t* d, const uint32_t* s, size_t n, uint32_t constant_alpha, bool per_pixel_alpha) {
  return simd::alpha_blend<avx2_ops>(d, s, n, constant_alpha, per_pixel_alpha);
}

}  // namespace
}  // namespace platform::syslibs

#include "platform/avx2_end.h"

namespace platform::syslibs {

alpha_blend_loop avx2_alpha_blend() { return __builtin_cpu_supports("avx2") ? &alpha_blend_avx2 : nullptr; }

}  // namespace platform::syslibs
#endif
