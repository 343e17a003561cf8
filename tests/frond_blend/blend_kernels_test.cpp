// Each vector kernel set the machine offers (SSE2, AVX2) against the
// per-pixel formulas on seeded random rows with bytes biased towards 0 and
// 255, so that the set not chosen at run time is tested too.
// Depends on: graphics/blend_math.h, blend_rows_simd.h, support/seeded.h. Whole blend calls are blend_random_test's.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "graphics/blend_math.h"
#include "graphics/blend_rows_simd.h"
#include "support/seeded.h"

using namespace frond;
using seeded::biased_word;

namespace {

#if defined(__x86_64__)

std::vector<uint32_t> random_row(std::mt19937& rng, int n) {
  std::vector<uint32_t> row(static_cast<size_t>(n));
  for (uint32_t& p : row) p = biased_word(rng);
  return row;
}

// Runs one kernel on copies and checks the pixels it did against `expected`
// and that it left the rest of the row alone.
template <class Kernel, class Expected>
void check_kernel(const char* name, int n, std::vector<uint32_t> d, Kernel kernel, Expected expected) {
  const std::vector<uint32_t> before = d;
  const int done = kernel(d.data());
  ASSERT_LE(done, n);
  ASSERT_GT(done, n - kMaxVectorPixels);
  for (int i = 0; i < n; ++i) ASSERT_EQ(d[i], i < done ? expected(i, before[i]) : before[i]) << name << " pixel " << i;
}

void check_set(const blend_kernels& k) {
  for (int iteration = 0; iteration < 500; ++iteration) {
    std::mt19937 rng{uint32_t(iteration)};
    const int n = int(rng() % 40);
    const std::vector<uint32_t> d = random_row(rng, n), s = random_row(rng, n), f = random_row(rng, n);
    const uint32_t alpha = rng() % 3 == 0 ? 255 : rng() & 0xFF;
    const uint32_t key = n > 0 && rng() % 2 ? s[rng() % uint32_t(n)] : biased_word(rng);
    SCOPED_TRACE(iteration);
    check_kernel("transparent", n, d, [&](uint32_t* p) { return k.transparent(p, s.data(), n, key); },
                 [&](int i, uint32_t old) {
                   return (s[i] & 0xFFFFFF) == (key & 0xFFFFFF) ? old : (s[i] & 0xFFFFFF) | (old & 0xFF000000);
                 });
    check_kernel("alphablend", n, d, [&](uint32_t* p) { return k.alphablend(p, s.data(), n, alpha); },
                 [&](int i, uint32_t old) { return blendover(old, s[i], div255round((s[i] >> 24) * alpha)); });
    check_kernel("alphatransparent", n, d,
                 [&](uint32_t* p) { return k.alphatransparent(p, s.data(), n, key, alpha); },
                 [&](int i, uint32_t old) {
                   return (s[i] & 0xFFFFFF) == (key & 0xFFFFFF) ? old : blendrgb(old, s[i], alpha);
                 });
    check_kernel("alphafilter", n, d, [&](uint32_t* p) { return k.alphafilter(p, s.data(), f.data(), n); },
                 [&](int i, uint32_t old) {
                   return f[i] == 0 ? old : blendover(old, s[i], div255round((f[i] & 0xFF) * (s[i] >> 24)));
                 });
    check_kernel("withalpha", n, d, [&](uint32_t* p) { return k.withalpha(p, s.data(), n); },
                 [&](int i, uint32_t old) { return blendpacked(old, s[i], alphato256(s[i] >> 24)); });
  }
}

TEST(BlendKernels, Sse2MatchesTheFormulas) { check_set(*sse2_blend_kernels()); }

TEST(BlendKernels, Avx2MatchesTheFormulas) {
  const blend_kernels* avx2 = avx2_blend_kernels();
  if (avx2 == nullptr) GTEST_SKIP() << "no AVX2 on this processor";
  check_set(*avx2);
}

#endif

}  // namespace
