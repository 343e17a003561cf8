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
#include "platform/vector_ops_avx2.h"

namespace frond {
namespace {

using platform::vector::avx2_ops;

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
