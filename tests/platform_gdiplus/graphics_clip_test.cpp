// The clip of a graphics: combining, resetting, staying on the device while
// the world moves, page units, rotated rectangles and copying it across.
#include <gtest/gtest.h>

#include <algorithm>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::bounds;
using gdiplus_test::expect_all;
using gdiplus_test::expect_rect;
using gdiplus_test::get;
using gdiplus_test::transformed;
using gdiplus_test::visible;

namespace {

class ClipTest : public gdiplus_test::GraphicsTest {
 protected:
  void TearDown() override {
    for (GpRegion* region : regions_) GdipDeleteRegion(region);
    GraphicsTest::TearDown();
  }

  // The clip of `graphics` in its current world coordinates.
  GpRegion* clip_of(GpGraphics* graphics) {
    GpRegion* region = nullptr;
    EXPECT_EQ(GdipCreateRegion(&region), Ok);
    regions_.push_back(region);
    EXPECT_EQ(GdipGetClip(graphics, region), Ok);
    return region;
  }
  GpRectF clip_bounds() { return get(GdipGetClipBounds, graphics_); }
  bool clip_empty() { return get(GdipIsClipEmpty, graphics_) == TRUE; }

  std::vector<GpRegion*> regions_;
};

TEST_F(ClipTest, StartsInfiniteCombinesAndResets) {
  EXPECT_FALSE(clip_empty());
  expect_rect(clip_bounds(), -4194304, -4194304, 8388608, 8388608);
  BOOL infinite = FALSE;
  EXPECT_EQ(GdipIsInfiniteRegion(clip_of(graphics_), graphics_, &infinite), Ok);
  EXPECT_TRUE(infinite);
  ASSERT_EQ(GdipSetClipRectI(graphics_, 0, 0, 10, 10, CombineModeReplace), Ok);
  ASSERT_EQ(GdipSetClipRect(graphics_, 5, 0, 10, 10, CombineModeUnion), Ok);
  expect_rect(clip_bounds(), 0, 0, 15, 10);
  ASSERT_EQ(GdipSetClipRect(graphics_, 0, 0, 6, 10, CombineModeExclude), Ok);
  expect_rect(clip_bounds(), 6, 0, 9, 10);
  ASSERT_EQ(GdipSetClipRect(graphics_, 20, 20, 5, 5, CombineModeIntersect), Ok);
  EXPECT_TRUE(clip_empty());
  expect_rect(clip_bounds(), 0, 0, 0, 0);
  ASSERT_EQ(GdipResetClip(graphics_), Ok);
  EXPECT_FALSE(clip_empty());
  expect_rect(clip_bounds(), -4194304, -4194304, 8388608, 8388608);
}

TEST_F(ClipTest, StaysFixedOnTheDeviceWhenTheWorldMoves) {
  ASSERT_EQ(GdipSetClipRectI(graphics_, 0, 0, 10, 10, CombineModeReplace), Ok);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 5, 5, MatrixOrderPrepend), Ok);
  expect_rect(clip_bounds(), -5, -5, 10, 10);
  GpRegion* world_clip = clip_of(graphics_);
  EXPECT_TRUE(visible(world_clip, -5, -5));
  EXPECT_FALSE(visible(world_clip, 5, 5));
}

TEST_F(ClipTest, PageUnitAndScaleMapToDevicePixels) {
  ASSERT_EQ(GdipSetPageScale(graphics_, 2), Ok);
  ASSERT_EQ(GdipSetClipRect(graphics_, 0, 0, 10, 10, CombineModeReplace), Ok);
  expect_rect(clip_bounds(), 0, 0, 10, 10);
  ASSERT_EQ(GdipSetPageScale(graphics_, 1), Ok);
  expect_rect(clip_bounds(), 0, 0, 20, 20);
  ASSERT_EQ(GdipSetPageUnit(graphics_, UnitInch), Ok);
  ASSERT_EQ(GdipSetClipRect(graphics_, 1, 0, 1, 1, CombineModeReplace), Ok);
  ASSERT_EQ(GdipSetPageUnit(graphics_, UnitPixel), Ok);
  expect_rect(clip_bounds(), 96, 0, 96, 96);
}

TEST_F(ClipTest, RectangleThroughARotatedTransformReadsBack) {
  ASSERT_EQ(GdipRotateWorldTransform(graphics_, 30, MatrixOrderAppend), Ok);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 100, 50, MatrixOrderAppend), Ok);
  ASSERT_EQ(GdipSetClipRectI(graphics_, 0, 0, 100, 50, CombineModeReplace), Ok);
  expect_rect(clip_bounds(), 0, 0, 100, 50, 1e-3f);
  GpRegion* world_clip = clip_of(graphics_);
  EXPECT_TRUE(visible(world_clip, 1, 1));
  EXPECT_TRUE(visible(world_clip, 99, 49));
  EXPECT_FALSE(visible(world_clip, -1, 25));
  EXPECT_FALSE(visible(world_clip, 50, 51));

  GpMatrix* world = nullptr;
  ASSERT_EQ(GdipCreateMatrix(&world), Ok);
  ASSERT_EQ(GdipGetWorldTransform(graphics_, world), Ok);
  ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
  GpRegion* device_clip = clip_of(graphics_);
  const GpPointF inside[] = {transformed(world, 50, 25), transformed(world, 2, 2), transformed(world, 98, 48)};
  for (const GpPointF& p : inside) EXPECT_TRUE(visible(device_clip, p.X, p.Y)) << p.X << "," << p.Y;
  const GpPointF outside[] = {transformed(world, -2, 25), transformed(world, 50, 52), transformed(world, 102, 25)};
  for (const GpPointF& p : outside) EXPECT_FALSE(visible(device_clip, p.X, p.Y)) << p.X << "," << p.Y;
  EXPECT_FALSE(visible(device_clip, 1, 1));  // the unrotated rectangle's corner

  REAL left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
  for (const GpPointF& corner : {transformed(world, 0, 0), transformed(world, 100, 0), transformed(world, 0, 50),
                                 transformed(world, 100, 50)}) {
    left = std::min(left, corner.X);
    top = std::min(top, corner.Y);
    right = std::max(right, corner.X);
    bottom = std::max(bottom, corner.Y);
  }
  expect_rect(clip_bounds(), left, top, right - left, bottom - top, 1e-3f);
  GdipDeleteMatrix(world);
}

TEST_F(ClipTest, CopyingTransformThenClipReproducesTheDeviceClip) {
  ASSERT_EQ(GdipRotateWorldTransform(graphics_, 20, MatrixOrderAppend), Ok);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 30, 40, MatrixOrderAppend), Ok);
  ASSERT_EQ(GdipScaleWorldTransform(graphics_, 1.5f, 1.5f, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipSetClipRect(graphics_, 0, 0, 80, 60, CombineModeReplace), Ok);
  ASSERT_EQ(GdipRotateWorldTransform(graphics_, 45, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipSetClipRect(graphics_, 10, -30, 60, 60, CombineModeIntersect), Ok);
  ASSERT_EQ(GdipSetClipRect(graphics_, 30, -5, 10, 10, CombineModeExclude), Ok);

  HDC other_dc = CreateCompatibleDC(nullptr);
  GpGraphics* copy = nullptr;
  ASSERT_EQ(GdipCreateFromHDC(other_dc, &copy), Ok);
  GpMatrix* world = nullptr;
  ASSERT_EQ(GdipCreateMatrix(&world), Ok);
  ASSERT_EQ(GdipGetWorldTransform(graphics_, world), Ok);
  ASSERT_EQ(GdipSetWorldTransform(copy, world), Ok);
  ASSERT_EQ(GdipSetClipRegion(copy, clip_of(graphics_), CombineModeReplace), Ok);
  GdipDeleteMatrix(world);

  ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
  ASSERT_EQ(GdipResetWorldTransform(copy), Ok);
  GpRegion* original_device = clip_of(graphics_);
  GpRegion* copied_device = clip_of(copy);
  int inside = 0;
  for (REAL y = -20.13f; y < 200; y += 3.7f) {
    for (REAL x = -20.29f; x < 200; x += 3.7f) {
      const bool in_original = visible(original_device, x, y);
      EXPECT_EQ(visible(copied_device, x, y), in_original) << x << "," << y;
      inside += in_original;
    }
  }
  EXPECT_GT(inside, 50);
  const GpRectF original = bounds(original_device, graphics_);
  expect_rect(bounds(copied_device, copy), original.X, original.Y, original.Width, original.Height, 1e-3f);
  GdipDeleteGraphics(copy);
  DeleteDC(other_dc);
}

TEST_F(ClipTest, RejectsBadArguments) {
  GpRegion* region = clip_of(graphics_);
  GpRectF rect{};
  BOOL flag = FALSE;
  expect_all({GdipSetClipRect(graphics_, 0, 0, 1, 1, static_cast<CombineMode>(6)),
              GdipSetClipRectI(nullptr, 0, 0, 1, 1, CombineModeReplace),
              GdipSetClipRegion(graphics_, nullptr, CombineModeReplace),
              GdipSetClipRegion(graphics_, region, static_cast<CombineMode>(7)), GdipGetClip(graphics_, nullptr),
              GdipGetClip(nullptr, region), GdipResetClip(nullptr), GdipIsClipEmpty(graphics_, nullptr),
              GdipIsClipEmpty(nullptr, &flag), GdipGetClipBounds(graphics_, nullptr),
              GdipGetClipBounds(nullptr, &rect)});
  EXPECT_FALSE(clip_empty());
}

}  // namespace
