// Golden hashes of a drawing script: runs named steps on one image, hashes
// the picture after each (FNV-1a of the pixel words) and compares with a
// table. On a mismatch it prints the new table and writes the final picture
// as actual.png and the stored one as expected.png into the working folder;
// GOLDEN_UPDATE=1 prints the table even when all match.
// Depends on: Frond images and savepng/getimage. Draws nothing itself.
#pragma once

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "graphics/frond.h"

namespace frond_test {

struct golden_step {
  const char* name;
  std::function<void(frond::IMAGE*)> draw;
};

inline uint64_t fnv1a(const frond::IMAGE& img) {
  uint64_t h = 0xcbf29ce484222325u;
  const size_t n = size_t(img.width) * size_t(img.height);
  for (size_t i = 0; i < n; ++i)
    for (int b = 0; b < 4; ++b) {
      h ^= (img.pixels[i] >> (8 * b)) & 0xFF;
      h *= 0x100000001b3u;
    }
  return h;
}

// Runs `steps` on `img` in order; `golden` holds one hash per step.
// `expected_png` (or null) is the stored picture after the last step.
inline void expect_golden(frond::IMAGE* img, const std::vector<golden_step>& steps,
                          const std::vector<uint64_t>& golden, const char* expected_png) {
  std::string table;
  bool same = steps.size() == golden.size();
  for (size_t i = 0; i < steps.size(); ++i) {
    steps[i].draw(img);
    const uint64_t h = fnv1a(*img);
    char line[64];
    std::snprintf(line, sizeof line, "0x%016" PRIx64 "ull,", h);
    table += std::string("    ") + line + "  // " + steps[i].name + "\n";
    if (i >= golden.size() || h != golden[i]) {
      ADD_FAILURE() << "step \"" << steps[i].name << "\" hashes to " << line;
      same = false;
    }
  }
  const char* update = std::getenv("GOLDEN_UPDATE");
  const bool updating = update != nullptr && update[0] == '1';
  if (!same || updating) std::printf("golden table:\n%s", table.c_str());
  if (same) return;
  frond::savepng(img, "actual.png", false);
  frond::IMAGE expected;
  if (expected_png != nullptr && frond::getimage(&expected, expected_png) == 0)
    frond::savepng(&expected, "expected.png", false);
  std::printf("wrote actual.png (and expected.png) after the last step into the working folder\n");
}

}  // namespace frond_test
