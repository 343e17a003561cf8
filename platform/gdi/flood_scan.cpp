// The flood fill's row scan for the baseline processor, and the choice of the
// AVX2 form where the processor has it (scanning is most of a large fill's time).
// Depends on: flood_scan.h.
#include "gdi/flood_scan.h"

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace platform::gdi {
namespace {

typedef uint32_t words4 __attribute__((vector_size(16)));

struct AnyLane {
  bool operator()(const words4& v) const {
#if defined(__x86_64__)
    return _mm_movemask_epi8(_mm_cmpeq_epi32(__m128i(v), _mm_setzero_si128())) != 0xFFFF;
#else
    return (v[0] | v[1] | v[2] | v[3]) != 0;
#endif
  }
};

int64_t skip_baseline(const uint32_t* row, int64_t x, int64_t limit, uint32_t colour, bool surface_mode) {
  return surface_mode ? flood_scan::skip_blocks<words4, true>(row, x, limit, colour, AnyLane())
                      : flood_scan::skip_blocks<words4, false>(row, x, limit, colour, AnyLane());
}

}  // namespace

int64_t skip_fillable(const uint32_t* row, int64_t x, int64_t limit, uint32_t colour, bool surface_mode) {
  static const flood_scan::skip_loop wide = flood_scan::avx2_skip_fillable();
  return (wide != nullptr ? wide : skip_baseline)(row, x, limit, colour, surface_mode);
}

}  // namespace platform::gdi
