#include <gtest/gtest.h>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::elements;
using gdiplus_test::transformed;

namespace {

using Elements = std::array<REAL, 6>;

class WorldTransformTest : public gdiplus_test::GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    ASSERT_EQ(GdipCreateMatrix(&matrix_), Ok);
  }
  void TearDown() override {
    GdipDeleteMatrix(matrix_);
    GraphicsTest::TearDown();
  }

  Elements world() {
    EXPECT_EQ(GdipGetWorldTransform(graphics_, matrix_), Ok);
    return elements(matrix_);
  }
  void expect_world_maps(REAL x, REAL y, REAL to_x, REAL to_y) {
    ASSERT_EQ(GdipGetWorldTransform(graphics_, matrix_), Ok);
    const GpPointF point = transformed(matrix_, x, y);
    EXPECT_NEAR(point.X, to_x, 1e-4);
    EXPECT_NEAR(point.Y, to_y, 1e-4);
  }

  GpMatrix* matrix_ = nullptr;
};

TEST_F(WorldTransformTest, StartsAsIdentity) { EXPECT_EQ(world(), (Elements{1, 0, 0, 1, 0, 0})); }

TEST_F(WorldTransformTest, PrependAppliesTheNewOperationFirst) {
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 100, 50, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateWorldTransform(graphics_, 90, MatrixOrderPrepend), Ok);
  expect_world_maps(10, 0, 100, 60);
}

TEST_F(WorldTransformTest, AppendAppliesTheNewOperationLast) {
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 100, 50, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateWorldTransform(graphics_, 90, MatrixOrderAppend), Ok);
  expect_world_maps(10, 0, -50, 110);
}

TEST_F(WorldTransformTest, ScaleAndMultiplyCompose) {
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 10, 20, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipScaleWorldTransform(graphics_, 2, 3, MatrixOrderPrepend), Ok);
  EXPECT_EQ(world(), (Elements{2, 0, 0, 3, 10, 20}));
  GpMatrix* shift = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(1, 0, 0, 1, 1, 1, &shift), Ok);
  ASSERT_EQ(GdipMultiplyWorldTransform(graphics_, shift, MatrixOrderAppend), Ok);
  EXPECT_EQ(world(), (Elements{2, 0, 0, 3, 11, 21}));
  ASSERT_EQ(GdipMultiplyWorldTransform(graphics_, shift, MatrixOrderPrepend), Ok);
  EXPECT_EQ(world(), (Elements{2, 0, 0, 3, 13, 24}));
  GdipDeleteMatrix(shift);
  ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
  EXPECT_EQ(world(), (Elements{1, 0, 0, 1, 0, 0}));
}

TEST_F(WorldTransformTest, SetAndGetCopyTheMatrix) {
  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 2, 3, 4, 5, 6), Ok);
  ASSERT_EQ(GdipSetWorldTransform(graphics_, matrix_), Ok);
  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 0, 0, 1, 0, 0), Ok);
  EXPECT_EQ(world(), (Elements{1, 2, 3, 4, 5, 6}));
}

TEST_F(WorldTransformTest, SingularTransformsAreRefused) {
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 7, 8, MatrixOrderPrepend), Ok);
  GpMatrix* singular = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(1, 2, 2, 4, 0, 0, &singular), Ok);
  EXPECT_EQ(GdipSetWorldTransform(graphics_, singular), InvalidParameter);
  EXPECT_EQ(GdipMultiplyWorldTransform(graphics_, singular, MatrixOrderAppend), InvalidParameter);
  EXPECT_EQ(GdipScaleWorldTransform(graphics_, 0, 1, MatrixOrderPrepend), InvalidParameter);
  GdipDeleteMatrix(singular);
  EXPECT_EQ(world(), (Elements{1, 0, 0, 1, 7, 8}));
}

TEST_F(WorldTransformTest, RejectsBadArguments) {
  EXPECT_EQ(GdipSetWorldTransform(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipSetWorldTransform(nullptr, matrix_), InvalidParameter);
  EXPECT_EQ(GdipGetWorldTransform(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipResetWorldTransform(nullptr), InvalidParameter);
  EXPECT_EQ(GdipMultiplyWorldTransform(graphics_, nullptr, MatrixOrderAppend), InvalidParameter);
  EXPECT_EQ(GdipRotateWorldTransform(nullptr, 1, MatrixOrderAppend), InvalidParameter);
  EXPECT_EQ(world(), (Elements{1, 0, 0, 1, 0, 0}));
}

}  // namespace
