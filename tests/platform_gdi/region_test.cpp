// Region combination: seeded random rectangle sets combined with every mode
// and compared, pixel by pixel, with a boolean reference on a grid; boxes,
// complexity and normalisation.
#include <gtest/gtest.h>

#include <random>

#include "platform/gdi32.h"

namespace {

constexpr int kGrid = 24;

struct Shape {
  HRGN region;
  std::vector<bool> cells;  // the reference: kGrid x kGrid, row-major
};

Shape random_shape(std::mt19937& rng) {
  Shape s{CreateRectRgn(0, 0, 0, 0), std::vector<bool>(kGrid * kGrid, false)};
  const int count = 1 + static_cast<int>(rng() % 4);
  for (int i = 0; i < count; ++i) {
    const int l = static_cast<int>(rng() % kGrid), r = static_cast<int>(rng() % kGrid);
    const int t = static_cast<int>(rng() % kGrid), b = static_cast<int>(rng() % kGrid);
    const HRGN part = CreateRectRgn(l, t, r, b);  // corners in any order
    CombineRgn(s.region, s.region, part, RGN_OR);
    DeleteObject(part);
    for (int y = std::min(t, b); y < std::max(t, b); ++y)
      for (int x = std::min(l, r); x < std::max(l, r); ++x) s.cells[y * kGrid + x] = true;
  }
  return s;
}

bool reference(int mode, bool a, bool b) {
  switch (mode) {
    case RGN_AND: return a && b;
    case RGN_OR: return a || b;
    case RGN_XOR: return a != b;
    case RGN_DIFF: return a && !b;
    default: return a;  // RGN_COPY
  }
}

TEST(Region, CombineMatchesReferenceForEveryMode) {
  for (uint32_t iteration = 0; iteration < 300; ++iteration) {
    std::mt19937 rng(iteration);
    Shape a = random_shape(rng), b = random_shape(rng);
    for (int mode = RGN_AND; mode <= RGN_COPY; ++mode) {
      const HRGN out = CreateRectRgn(0, 0, 0, 0);
      const int complexity = CombineRgn(out, a.region, b.region, mode);
      int inside = 0;
      RECT expect_box{kGrid, kGrid, -1, -1};
      for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
          const bool want = reference(mode, a.cells[y * kGrid + x], b.cells[y * kGrid + x]);
          ASSERT_EQ(PtInRegion(out, x, y), want) << "iteration " << iteration << " mode " << mode;
          if (want) {
            ++inside;
            expect_box = RECT{std::min<LONG>(expect_box.left, x), std::min<LONG>(expect_box.top, y),
                              std::max<LONG>(expect_box.right, x + 1), std::max<LONG>(expect_box.bottom, y + 1)};
          }
        }
      }
      RECT box{};
      ASSERT_EQ(GetRgnBox(out, &box), complexity);
      if (inside == 0) {
        EXPECT_EQ(complexity, NULLREGION);
      } else {
        EXPECT_NE(complexity, NULLREGION);
        EXPECT_EQ(box.left, expect_box.left);
        EXPECT_EQ(box.top, expect_box.top);
        EXPECT_EQ(box.right, expect_box.right);
        EXPECT_EQ(box.bottom, expect_box.bottom);
        const int area = (box.right - box.left) * (box.bottom - box.top);
        EXPECT_EQ(complexity == SIMPLEREGION, area == inside) << "iteration " << iteration << " mode " << mode;
      }
      DeleteObject(out);
    }
    DeleteObject(a.region);
    DeleteObject(b.region);
  }
}

TEST(Region, BasicsAndErrors) {
  const HRGN r = CreateRectRgn(5, 8, 1, 2);  // normalised to (1,2)-(5,8)
  RECT box{};
  EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.bottom, 8);
  EXPECT_TRUE(PtInRegion(r, 1, 2));
  EXPECT_FALSE(PtInRegion(r, 5, 2));  // right and bottom edges are outside
  EXPECT_FALSE(PtInRegion(r, 1, 8));
  const RECT flat{3, 3, 9, 3};
  const HRGN empty = CreateRectRgnIndirect(&flat);
  EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
  EXPECT_EQ(box.right, 0);
  EXPECT_EQ(CombineRgn(r, r, empty, RGN_OR), SIMPLEREGION);
  EXPECT_EQ(CombineRgn(r, r, empty, RGN_AND), NULLREGION);
  EXPECT_EQ(CombineRgn(r, empty, nullptr, 9), ERROR);
  EXPECT_EQ(CombineRgn(r, empty, nullptr, RGN_OR), ERROR);
  // Two touching rectangles with equal spans merge into one.
  const HRGN top = CreateRectRgn(0, 0, 4, 2), bottom = CreateRectRgn(0, 2, 4, 5);
  EXPECT_EQ(CombineRgn(top, top, bottom, RGN_OR), SIMPLEREGION);
  const HRGN side = CreateRectRgn(4, 0, 6, 5);
  EXPECT_EQ(CombineRgn(top, top, side, RGN_OR), SIMPLEREGION);
  EXPECT_EQ(CombineRgn(top, top, side, RGN_XOR), SIMPLEREGION);
  const HRGN hole = CreateRectRgn(1, 1, 2, 2);
  EXPECT_EQ(CombineRgn(top, top, hole, RGN_DIFF), COMPLEXREGION);
  for (HRGN h : {r, empty, top, bottom, side, hole}) EXPECT_TRUE(DeleteObject(h));
  EXPECT_EQ(GetRgnBox(r, &box), ERROR);
  EXPECT_FALSE(PtInRegion(r, 1, 2));
  EXPECT_EQ(CreateRectRgnIndirect(nullptr), nullptr);
}

}  // namespace
