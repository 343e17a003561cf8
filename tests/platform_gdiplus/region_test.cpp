// Regions: infinite, empty and rectangular regions, every combine mode,
// exact emptiness and bounds, clones and argument checks.
#include <gtest/gtest.h>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::bounds;
using gdiplus_test::expect_all;
using gdiplus_test::expect_rect;
using gdiplus_test::visible;

namespace {

class RegionTest : public gdiplus_test::GraphicsTest {
 protected:
  void TearDown() override {
    for (GpRegion* region : regions_) EXPECT_EQ(GdipDeleteRegion(region), Ok);
    GraphicsTest::TearDown();
  }

  GpRegion* infinite() {
    GpRegion* region = nullptr;
    EXPECT_EQ(GdipCreateRegion(&region), Ok);
    regions_.push_back(region);
    return region;
  }
  GpRegion* rect(REAL x, REAL y, REAL width, REAL height) {
    const GpRectF r{x, y, width, height};
    GpRegion* region = nullptr;
    EXPECT_EQ(GdipCreateRegionRect(&r, &region), Ok);
    regions_.push_back(region);
    return region;
  }
  bool is_empty(GpRegion* region) { return test(GdipIsEmptyRegion, region); }
  bool is_infinite(GpRegion* region) { return test(GdipIsInfiniteRegion, region); }
  bool test(GpStatus (*query)(GpRegion*, GpGraphics*, BOOL*), GpRegion* region) {
    BOOL result = -1;
    EXPECT_EQ(query(region, graphics_, &result), Ok);
    return result == TRUE;
  }

  std::vector<GpRegion*> regions_;
};

TEST_F(RegionTest, NewRegionIsInfiniteAndEmptyAndInfiniteCanBeSet) {
  GpRegion* region = infinite();
  EXPECT_TRUE(is_infinite(region));
  EXPECT_FALSE(is_empty(region));
  EXPECT_TRUE(visible(region, -1e6f, 1e6f));
  expect_rect(bounds(region, graphics_), -4194304, -4194304, 8388608, 8388608);
  ASSERT_EQ(GdipSetEmpty(region), Ok);
  EXPECT_TRUE(is_empty(region));
  EXPECT_FALSE(is_infinite(region));
  EXPECT_FALSE(visible(region, 5, 5));
  expect_rect(bounds(region, graphics_), 0, 0, 0, 0);
  ASSERT_EQ(GdipSetInfinite(region), Ok);
  EXPECT_TRUE(is_infinite(region));
}

TEST_F(RegionTest, RectangleIncludesLeftAndTopEdgesOnlyAndZeroSizeIsEmpty) {
  GpRegion* region = rect(10, 20, 30, 40);
  EXPECT_FALSE(is_empty(region));
  EXPECT_FALSE(is_infinite(region));
  expect_rect(bounds(region, graphics_), 10, 20, 30, 40);
  expect_rect(bounds(rect(40, 60, -30, -40), graphics_), 10, 20, 30, 40);  // negative sizes are normalised
  EXPECT_TRUE(is_empty(rect(5, 5, 0, 10)));
  EXPECT_TRUE(visible(region, 10, 20));
  EXPECT_TRUE(visible(region, 39.9f, 59.9f));
  EXPECT_FALSE(visible(region, 40, 30));
  EXPECT_FALSE(visible(region, 20, 60));
  EXPECT_FALSE(visible(region, 9.9f, 30));
}

TEST_F(RegionTest, IntegerRectangleAndCloneIsIndependent) {
  const GpRect integer_rect{1, 2, 3, 4};
  GpRegion* region = nullptr;
  ASSERT_EQ(GdipCreateRegionRectI(&integer_rect, &region), Ok);
  regions_.push_back(region);
  GpRegion* clone = nullptr;
  ASSERT_EQ(GdipCloneRegion(region, &clone), Ok);
  regions_.push_back(clone);
  ASSERT_EQ(GdipSetEmpty(region), Ok);
  EXPECT_TRUE(visible(clone, 2, 3));
  expect_rect(bounds(clone, graphics_), 1, 2, 3, 4);
}

// a = (0,0)-(20,20), b = (10,10)-(30,30); probes in a only, both, b only, neither.
struct CombineCase {
  CombineMode mode;
  bool in_a_only, in_both, in_b_only, in_neither;
  GpRectF bounds;
};

TEST_F(RegionTest, EveryCombineMode) {
  const CombineCase cases[] = {
      {CombineModeReplace, false, true, true, false, {10, 10, 20, 20}},
      {CombineModeIntersect, false, true, false, false, {10, 10, 10, 10}},
      {CombineModeUnion, true, true, true, false, {0, 0, 30, 30}},
      {CombineModeXor, true, false, true, false, {0, 0, 30, 30}},
      {CombineModeExclude, true, false, false, false, {0, 0, 20, 20}},
      {CombineModeComplement, false, false, true, false, {10, 10, 20, 20}},
  };
  for (const CombineCase& c : cases) {
    SCOPED_TRACE(c.mode);
    GpRegion* a = rect(0, 0, 20, 20);
    ASSERT_EQ(GdipCombineRegionRegion(a, rect(10, 10, 20, 20), c.mode), Ok);
    EXPECT_EQ(visible(a, 5, 5), c.in_a_only);
    EXPECT_EQ(visible(a, 15, 15), c.in_both);
    EXPECT_EQ(visible(a, 25, 25), c.in_b_only);
    EXPECT_EQ(visible(a, 25, 5), c.in_neither);
    expect_rect(bounds(a, graphics_), c.bounds.X, c.bounds.Y, c.bounds.Width, c.bounds.Height);
  }
}

TEST_F(RegionTest, CombineWithRectangle) {
  GpRegion* region = rect(0, 0, 20, 20);
  const GpRectF other{10, -10, 5, 50};
  ASSERT_EQ(GdipCombineRegionRect(region, &other, CombineModeExclude), Ok);
  EXPECT_TRUE(visible(region, 5, 5));
  EXPECT_FALSE(visible(region, 12, 5));
  EXPECT_TRUE(visible(region, 17, 5));
  expect_rect(bounds(region, graphics_), 0, 0, 20, 20);
}

TEST_F(RegionTest, EmptinessAndInfinitenessAreExact) {
  GpRegion* region = rect(0, 0, 20, 20);
  ASSERT_EQ(GdipCombineRegionRegion(region, rect(0, 0, 20, 20), CombineModeXor), Ok);
  EXPECT_TRUE(is_empty(region));
  expect_rect(bounds(region, graphics_), 0, 0, 0, 0);

  GpRegion* holed = infinite();
  ASSERT_EQ(GdipCombineRegionRegion(holed, rect(0, 0, 10, 10), CombineModeExclude), Ok);
  EXPECT_FALSE(is_infinite(holed));
  EXPECT_FALSE(is_empty(holed));
  EXPECT_FALSE(visible(holed, 5, 5));
  EXPECT_TRUE(visible(holed, 15, 5));
  expect_rect(bounds(holed, graphics_), -4194304, -4194304, 8388608, 8388608);
  ASSERT_EQ(GdipCombineRegionRegion(holed, rect(0, 0, 10, 10), CombineModeUnion), Ok);
  EXPECT_TRUE(is_infinite(holed));

  GpRegion* split = rect(0, 0, 30, 10);
  ASSERT_EQ(GdipCombineRegionRegion(split, rect(10, 0, 10, 10), CombineModeExclude), Ok);
  ASSERT_EQ(GdipCombineRegionRegion(split, rect(5, 0, 20, 10), CombineModeIntersect), Ok);
  expect_rect(bounds(split, graphics_), 5, 0, 20, 10);
  ASSERT_EQ(GdipCombineRegionRegion(split, rect(9, 0, 12, 10), CombineModeIntersect), Ok);
  expect_rect(bounds(split, graphics_), 9, 0, 12, 10);
  ASSERT_EQ(GdipCombineRegionRegion(split, rect(10, 0, 10, 10), CombineModeIntersect), Ok);
  EXPECT_TRUE(is_empty(split));
}

TEST_F(RegionTest, RejectsBadArguments) {
  GpRegion* region = rect(0, 0, 10, 10);
  const GpRectF r{0, 0, 1, 1};
  BOOL flag = FALSE;
  GpRectF out{};
  expect_all({GdipCreateRegion(nullptr), GdipCreateRegionRect(nullptr, &region), GdipCreateRegionRect(&r, nullptr),
              GdipCreateRegionRectI(nullptr, &region), GdipCloneRegion(nullptr, &region), GdipDeleteRegion(nullptr),
              GdipSetInfinite(nullptr), GdipSetEmpty(nullptr), GdipCombineRegionRect(region, nullptr, CombineModeUnion),
              GdipCombineRegionRect(region, &r, static_cast<CombineMode>(6)),
              GdipCombineRegionRegion(region, nullptr, CombineModeUnion),
              GdipCombineRegionRegion(region, region, static_cast<CombineMode>(7)),
              GdipIsEmptyRegion(region, nullptr, &flag), GdipIsInfiniteRegion(region, graphics_, nullptr),
              GdipIsVisibleRegionPoint(nullptr, 0, 0, nullptr, &flag), GdipGetRegionBounds(region, graphics_, nullptr),
              GdipGetRegionBounds(nullptr, graphics_, &out)});
  expect_rect(bounds(region, graphics_), 0, 0, 10, 10);
}

}  // namespace
