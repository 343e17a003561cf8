// Integer rectangles: normalising, intersection, union, including points,
// bounds, clamping and limiting, with the extremes of the 32-bit range.
// Depends on: graphics/frond.h only; draws nothing.

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

#include "graphics/frond.h"

namespace frond {
std::ostream& operator<<(std::ostream& out, const intrect& r) {
  return out << "{" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << "}";
}
}  // namespace frond

using namespace frond;

namespace {

constexpr intrect kNone = {0, 0, 0, 0};

TEST(IntrectNormalized, NegativeExtentsKeepTheirCells) {
  EXPECT_EQ(intrect_normalized({10, 5, -3, -2}), (intrect{8, 4, 3, 2}));
  EXPECT_EQ(intrect_normalized({1, 2, 3, 4}), (intrect{1, 2, 3, 4}));
  EXPECT_EQ(intrect_normalized({0, 0, -1, 0}), (intrect{0, 0, 1, 0}));
}

TEST(IntrectIntersection, CommonPartOrNothing) {
  EXPECT_EQ(intrect_intersection({0, 0, 10, 10}, {5, 5, 10, 10}), (intrect{5, 5, 5, 5}));
  EXPECT_EQ(intrect_intersection({0, 0, 10, 10}, {10, 0, 5, 5}), kNone);  // touching
  EXPECT_EQ(intrect_intersection({0, 0, 10, 10}, {3, 3, 0, 4}), kNone);   // empty
  EXPECT_EQ(intrect_intersection({9, 9, -10, -10}, {5, 5, 10, 10}), (intrect{5, 5, 5, 5}));
  intrect a = {0, 0, 4, 4};
  EXPECT_EQ(intrect_intersect(a, {2, -1, 5, 2}), (intrect{2, 0, 2, 1}));
  EXPECT_EQ(a, (intrect{2, 0, 2, 1}));
}

TEST(IntrectUnion, EmptySideTakesTheOtherAsGiven) {
  intrect a = {0, 0, 0, 5};
  EXPECT_EQ(intrect_unite(a, {3, 3, -2, 2}), (intrect{3, 3, -2, 2}));
  EXPECT_EQ(intrect_union({3, 3, -2, 2}, {7, 7, 0, 0}), (intrect{3, 3, -2, 2}));
  EXPECT_EQ(intrect_union({0, 0, 2, 2}, {5, 5, 1, 1}), (intrect{0, 0, 6, 6}));
  EXPECT_EQ(intrect_union({3, 3, -2, 2}, {5, 5, 1, 1}), (intrect{2, 3, 4, 3}));
  intrect b = {0, 0, 2, 2};
  EXPECT_EQ(intrect_unite(b, -1, 1, 1, 5), (intrect{-1, 0, 3, 6}));
}

TEST(IntrectInclude, GrowsByPoints) {
  intrect empty = {4, 4, 0, 0};
  EXPECT_EQ(intrect_include(empty, intpoint{7, 8}), (intrect{7, 8, 1, 1}));
  intrect r = {0, 0, 2, 2};
  EXPECT_EQ(intrect_include(r, intpoint{5, -1}), (intrect{0, -1, 6, 3}));
  EXPECT_EQ(intrect_include(r, intpoint{1, 0}), (intrect{0, -1, 6, 3}));  // already inside

  const intpoint points[] = {{3, 1}, {1, 4}, {2, 2}};
  intrect none = kNone;
  EXPECT_EQ(intrect_include(none, points, 3), (intrect{1, 1, 3, 4}));
  intrect flipped = {10, 10, -2, -2};  // cells 9..10
  EXPECT_EQ(intrect_include(flipped, points, 3), (intrect{1, 1, 10, 10}));
  intrect kept = {1, 2, 3, 4};
  EXPECT_EQ(intrect_include(kept, points, 0), (intrect{1, 2, 3, 4}));
  EXPECT_EQ(intrect_include(kept, nullptr, 3), (intrect{1, 2, 3, 4}));
}

TEST(IntrectBounds, SmallestRectangleHoldingThePoints) {
  const intpoint points[] = {{3, 1}, {1, 4}, {2, 2}};
  EXPECT_EQ(intrect_bounds(points, 3), (intrect{1, 1, 3, 4}));
  EXPECT_EQ(intrect_bounds(points, 1), (intrect{3, 1, 1, 1}));
  EXPECT_EQ(intrect_bounds(points, 0), kNone);
  EXPECT_EQ(intrect_bounds(nullptr, 2), kNone);
  EXPECT_EQ(intrect_frompoints({5, 5}, {2, 9}), (intrect{2, 5, 4, 5}));
  EXPECT_EQ(intrect_frompoints({-1, -1}, {-1, -1}), (intrect{-1, -1, 1, 1}));
}

// Columns cut to [lo, hi] keeping the orientation ({5, 0, -4, 1} is columns
// 2..5); an empty range or no overlap leaves no width; zero width moves to
// lo; edges past the 32-bit range leave the bound in place.
TEST(IntrectClamp, CutsColumnsKeepingOrientation) {
  const struct {
    intrect r;
    int lo, hi;
    intrect expected;
  } cases[] = {
      {{0, 0, 10, 1}, 3, 5, {3, 0, 3, 1}},     {{20, 0, 5, 1}, 3, 5, {20, 0, 0, 1}},
      {{5, 0, -4, 1}, 3, 10, {5, 0, -3, 1}},   {{5, 0, -4, 1}, 7, 10, {5, 0, 0, 1}},
      {{1, 1, 4, 4}, 6, 5, {1, 1, 0, 4}},      {{9, 1, 0, 4}, -3, 5, {-3, 1, 0, 4}},
      {{INT_MAX - 1, 0, INT_MAX, 1}, 0, INT_MAX, {INT_MAX - 1, 0, 2, 1}},
      {{INT_MIN + 1, 0, -INT_MAX, 1}, INT_MIN, 0, {INT_MIN + 1, 0, -2, 1}},
      {{INT_MIN, 0, INT_MAX, 1}, INT_MIN, INT_MAX, {INT_MIN, 0, INT_MAX, 1}},
  };
  for (auto c : cases) EXPECT_EQ(intrect_clampx(c.r, c.lo, c.hi), c.expected) << c.lo << ".." << c.hi;
  intrect r = {0, 0, 10, 10};
  EXPECT_EQ(intrect_clamp(r, 2, 4, 8, 20), (intrect{2, 8, 3, 2}));
  r = {0, 5, 1, -6};  // rows 0..5
  EXPECT_EQ(intrect_clampy(r, 1, 3), (intrect{0, 3, 1, -3}));
}

TEST(IntrectLimit, KeepsEveryCellInRange) {
  const struct {
    intrect& (*limit)(intrect&);
    intrect r, expected;
  } cases[] = {
      {intrect_limitwidth, {INT_MAX - 4, 0, 100, 1}, {INT_MAX - 4, 0, 5, 1}},
      {intrect_limitheight, {0, INT_MAX - 4, 1, 100}, {0, INT_MAX - 4, 1, 5}},
      {intrect_limit, {INT_MAX - 4, INT_MAX - 4, 100, 100}, {INT_MAX - 4, INT_MAX - 4, 5, 5}},
      {intrect_limitwidth, {INT_MIN + 4, 0, -100, 1}, {INT_MIN + 4, 0, -5, 1}},  // columns INT_MIN .. INT_MIN + 4
      {intrect_limit, {10, 10, 0, -3}, {10, 10, 0, -3}},
      {intrect_limit, {INT_MAX, 0, 1, 1}, {INT_MAX, 0, 1, 1}},
  };
  for (auto c : cases) EXPECT_EQ(c.limit(c.r), c.expected);  // a failure prints the case
}

}  // namespace
