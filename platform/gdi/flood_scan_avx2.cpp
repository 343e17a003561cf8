// The flood fill's row scan compiled for AVX2 (32-byte loads, one vptest a
// block), offered only when the processor has it.
// Depends on: flood_scan.h, whose block loop is compiled here for AVX2 (its
// instantiations use this file's own lane test, so none is shared).
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>

#include "platform/avx2_begin.h"
#include "gdi/flood_scan.h"

namespace platform::gdi::flood_scan {
namespace {

typedef uint32_t words8 __attribute__((vector_size(32)));

struct AnyLane {
  bool operator()(const words8& v) const { return !_mm256_testz_si256(__m256i(v), __m256i(v)); }
};

int64_t skip_avx2(const uint32_t* row, int64_t x, int64_t limit, uint32_t colour, bool surface_mode) {
  return surface_mode ? skip_blocks<words8, true>(row, x, limit, colour, AnyLane())
                      : skip_blocks<words8, false>(row, x, limit, colour, AnyLane());
}

}  // namespace
}  // namespace platform::gdi::flood_scan

#include "platform/avx2_end.h"

namespace platform::gdi::flood_scan {
skip_loop avx2_skip_fillable() { return __builtin_cpu_supports("avx2") ? &skip_avx2 : nullptr; }
}  // namespace platform::gdi::flood_scan

#else
#include "gdi/flood_scan.h"

namespace platform::gdi::flood_scan {
skip_loop avx2_skip_fillable() { return nullptr; }
}  // namespace platform::gdi::flood_scan

#endif
