// The clip's region algebra: seeded random rectangle sets intersected and
// cut apart, compared cell by cell with a boolean grid, and kept in the
// canonical banded form (one rectangle exactly when the area is one).
// Depends on: the GDI's private region header, tests/support/seeded.h.
#include <gtest/gtest.h>

#include <vector>

#include "gdi/region.h"
#include "support/seeded.h"

using platform::gdi::Region;
using seeded::between;

namespace {

constexpr int kGrid = 24;

struct Shape {
  Region region;
  std::vector<bool> cells = std::vector<bool>(kGrid * kGrid, false);  // the reference, row-major
};

// A random rectangle (corners in any order) and the cells it covers.
RECT random_rect(std::mt19937& rng, std::vector<bool>* cells, bool value) {
  const RECT r{between(rng, 0, kGrid), between(rng, 0, kGrid), between(rng, 0, kGrid), between(rng, 0, kGrid)};
  for (int y = std::min(r.top, r.bottom); y < std::max(r.top, r.bottom); ++y)
    for (int x = std::min(r.left, r.right); x < std::max(r.left, r.right); ++x) (*cells)[y * kGrid + x] = value;
  return r;
}

// A rectangle with up to three random holes cut out of it.
Shape random_shape(std::mt19937& rng) {
  Shape s;
  s.region = Region(random_rect(rng, &s.cells, true));
  for (int holes = between(rng, 0, 3); holes > 0; --holes)
    s.region = Region::combine(s.region, Region(random_rect(rng, &s.cells, false)), RGN_DIFF);
  return s;
}

std::vector<bool> cells_of(const Region& region) {
  std::vector<bool> cells(kGrid * kGrid, false);
  for (const RECT& r : region.rects())
    for (LONG y = r.top; y < r.bottom; ++y)
      for (LONG x = r.left; x < r.right; ++x) cells[y * kGrid + x] = true;
  return cells;
}

TEST(Region, IntersectionAndDifferenceMatchTheGrid) {
  seeded::iterations(300, [](std::mt19937& rng, int) {
    const Shape a = random_shape(rng), b = random_shape(rng);
    for (const int mode : {RGN_AND, RGN_DIFF}) {
      const Region out = Region::combine(a.region, b.region, mode);
      std::vector<bool> want(kGrid * kGrid);
      int inside = 0;
      RECT box{kGrid, kGrid, 0, 0};
      for (int i = 0; i < kGrid * kGrid; ++i) {
        want[i] = mode == RGN_AND ? a.cells[i] && b.cells[i] : a.cells[i] && !b.cells[i];
        if (!want[i]) continue;
        ++inside;
        box = RECT{std::min<LONG>(box.left, i % kGrid), std::min<LONG>(box.top, i / kGrid),
                   std::max<LONG>(box.right, i % kGrid + 1), std::max<LONG>(box.bottom, i / kGrid + 1)};
      }
      ASSERT_EQ(cells_of(out), want) << "mode " << mode;
      const bool one_rectangle = inside > 0 && inside == (box.right - box.left) * (box.bottom - box.top);
      EXPECT_EQ(out.complexity(), inside == 0 ? NULLREGION : one_rectangle ? SIMPLEREGION : COMPLEXREGION)
          << "mode " << mode;
    }
  });
}

}  // namespace
