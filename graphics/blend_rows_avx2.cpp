// The blends' 256-bit kernels: blend_rows_simd.h compiled for AVX2, offered
// only when the processor has it. Everything this file includes before the
// target switch is compiled for the baseline, so no inline function built
// for AVX2 can stand in for a baseline one elsewhere.
// Depends on: blend_rows_simd.h.

#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>

#include "platform/avx2_begin.h"
#include "graphics/blend_rows_simd.h"
#include "platform/vector_ops_avx2.h"

namespace frond {
namespace {

using platform::vector::avx2_ops;

constexpr blend_kernels kAvx2 = simd::kernels<avx2_ops>();

}  // namespace
}  // namespace frond

#include "platform/avx2_end.h"

namespace frond {

const blend_kernels* avx2_blend_kernels() { return __builtin_cpu_supports("avx2") ? &kAvx2 : nullptr; }

}  // namespace frond
#endif
