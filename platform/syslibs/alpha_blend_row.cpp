// AlphaBlend's row loop: eight pixels at a time with AVX2 where the
// processor has it, four with SSE2 (alpha_blend_simd.h), the rest of the row
// one pixel at a time. Other machines than x86-64 take the scalar loop.
// Depends on: alpha_blend_simd.h, vector_ops_sse2.h. Maps no axes and clips nothing (msimg32).
#include "syslibs/alpha_blend_row.h"

#include <algorithm>

#if defined(__x86_64__)
#include "platform/vector_ops_sse2.h"

#include "syslibs/alpha_blend_simd.h"
#endif

namespace platform::syslibs {
namespace {

// round(v / 255) for 0 <= v <= 255 * 255.
uint32_t div255(uint32_t v) { return (v + ((v + 384) >> 8) + 127) >> 8; }

#if defined(__x86_64__)
using platform::vector::sse2_ops;

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
