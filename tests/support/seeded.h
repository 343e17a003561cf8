// Seeded random iterations for tests that compare an implementation with a
// plain reference: iteration i seeds its generator with i, a failure names
// the iteration, and QUILLFERN_ITERATION=i reruns that iteration alone.
// Depends on: GoogleTest. Knows nothing of what the iterations test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

namespace seeded {

// Byte values biased towards 0x00 and 0xFF, where blends and masks have edges.
inline uint32_t biased_byte(std::mt19937& rng) {
  const uint32_t r = rng();
  return (r & 3) == 0 ? 0x00 : (r & 3) == 1 ? 0xFF : (r >> 8) & 0xFF;
}
inline uint32_t biased_word(std::mt19937& rng) {
  uint32_t w = 0;
  for (int i = 0; i < 4; ++i) w |= biased_byte(rng) << (8 * i);
  return w;
}
// An int in [lo, hi].
inline int between(std::mt19937& rng, int lo, int hi) { return lo + int(rng() % uint32_t(hi - lo + 1)); }

// Runs body(rng, iteration) for iterations 0 .. count-1 (or only the one
// QUILLFERN_ITERATION names), stopping at the first that fails.
template <typename Body>
void iterations(int count, Body body) {
  const char* only = std::getenv("QUILLFERN_ITERATION");
  const int first = only ? std::atoi(only) : 0, last = only ? first + 1 : count;
  for (int i = first; i < last; ++i) {
    SCOPED_TRACE("iteration " + std::to_string(i) + " (rerun alone with QUILLFERN_ITERATION=" + std::to_string(i) + ")");
    std::mt19937 rng(static_cast<uint32_t>(i));
    body(rng, i);
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace seeded
