#include <gtest/gtest.h>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::elements;
using gdiplus_test::transformed;

namespace {

using Elements = std::array<REAL, 6>;

class MatrixTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GdipCreateMatrix(&matrix_), Ok); }
  void TearDown() override { EXPECT_EQ(GdipDeleteMatrix(matrix_), Ok); }

  void expect_maps(REAL x, REAL y, REAL to_x, REAL to_y) {
    const GpPointF point = transformed(matrix_, x, y);
    EXPECT_NEAR(point.X, to_x, 1e-4);
    EXPECT_NEAR(point.Y, to_y, 1e-4);
  }

  GpMatrix* matrix_ = nullptr;
};

TEST_F(MatrixTest, StartsAsIdentityAndKeepsElements) {
  EXPECT_EQ(elements(matrix_), (Elements{1, 0, 0, 1, 0, 0}));
  BOOL identity = FALSE;
  EXPECT_EQ(GdipIsMatrixIdentity(matrix_, &identity), Ok);
  EXPECT_TRUE(identity);

  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 2, 3, 4, 5, 6), Ok);
  EXPECT_EQ(elements(matrix_), (Elements{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(GdipIsMatrixIdentity(matrix_, &identity), Ok);
  EXPECT_FALSE(identity);

  GpMatrix* clone = nullptr;
  ASSERT_EQ(GdipCloneMatrix(matrix_, &clone), Ok);
  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 0, 0, 1, 0, 0), Ok);
  EXPECT_EQ(elements(clone), (Elements{1, 2, 3, 4, 5, 6}));
  GdipDeleteMatrix(clone);
}

TEST_F(MatrixTest, MapsRowVectors) {
  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 2, 3, 4, 5, 6), Ok);
  GpPointF points[2] = {{1, 1}, {0, 0}};
  ASSERT_EQ(GdipTransformMatrixPoints(matrix_, points, 2), Ok);
  EXPECT_EQ(points[0].X, 9);  // 1*1 + 3*1 + 5
  EXPECT_EQ(points[0].Y, 12);  // 2*1 + 4*1 + 6
  EXPECT_EQ(points[1].X, 5);
  EXPECT_EQ(points[1].Y, 6);
}

TEST_F(MatrixTest, PrependAppliesTheNewOperationFirst) {
  ASSERT_EQ(GdipTranslateMatrix(matrix_, 100, 50, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateMatrix(matrix_, 90, MatrixOrderPrepend), Ok);
  expect_maps(10, 0, 100, 60);
}

TEST_F(MatrixTest, AppendAppliesTheNewOperationLast) {
  ASSERT_EQ(GdipTranslateMatrix(matrix_, 100, 50, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateMatrix(matrix_, 90, MatrixOrderAppend), Ok);
  expect_maps(10, 0, -50, 110);
}

TEST_F(MatrixTest, RotationIsClockwiseOnScreen) {
  ASSERT_EQ(GdipRotateMatrix(matrix_, 90, MatrixOrderPrepend), Ok);
  const Elements e = elements(matrix_);
  const Elements expected{0, 1, -1, 0, 0, 0};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(e[i], expected[i], 1e-6) << i;
  expect_maps(1, 0, 0, 1);  // right turns to down
}

TEST_F(MatrixTest, ScaleAndTranslateInBothOrders) {
  ASSERT_EQ(GdipTranslateMatrix(matrix_, 10, 20, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipScaleMatrix(matrix_, 2, 3, MatrixOrderPrepend), Ok);
  EXPECT_EQ(elements(matrix_), (Elements{2, 0, 0, 3, 10, 20}));

  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 0, 0, 1, 10, 20), Ok);
  ASSERT_EQ(GdipScaleMatrix(matrix_, 2, 3, MatrixOrderAppend), Ok);
  EXPECT_EQ(elements(matrix_), (Elements{2, 0, 0, 3, 20, 60}));
}

TEST_F(MatrixTest, MultiplyInBothOrders) {
  GpMatrix* other = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(7, 8, 9, 10, 11, 12, &other), Ok);
  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 2, 3, 4, 5, 6), Ok);
  ASSERT_EQ(GdipMultiplyMatrix(matrix_, other, MatrixOrderAppend), Ok);
  EXPECT_EQ(elements(matrix_), (Elements{25, 28, 57, 64, 100, 112}));

  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 2, 3, 4, 5, 6), Ok);
  ASSERT_EQ(GdipMultiplyMatrix(matrix_, other, MatrixOrderPrepend), Ok);
  EXPECT_EQ(elements(matrix_), (Elements{31, 46, 39, 58, 52, 76}));
  GdipDeleteMatrix(other);
}

TEST_F(MatrixTest, InvertsExactly) {
  ASSERT_EQ(GdipSetMatrixElements(matrix_, 2, 0, 0, 4, 10, 20), Ok);
  ASSERT_EQ(GdipInvertMatrix(matrix_), Ok);
  EXPECT_EQ(elements(matrix_), (Elements{0.5f, 0, 0, 0.25f, -5, -5}));

  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 2, 3, 4, 5, 6), Ok);
  ASSERT_EQ(GdipInvertMatrix(matrix_), Ok);
  expect_maps(9, 12, 1, 1);
}

TEST_F(MatrixTest, SingularMatrixIsRefusedAndUnchanged) {
  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 2, 2, 4, 5, 6), Ok);
  BOOL invertible = TRUE;
  EXPECT_EQ(GdipIsMatrixInvertible(matrix_, &invertible), Ok);
  EXPECT_FALSE(invertible);
  EXPECT_EQ(GdipInvertMatrix(matrix_), InvalidParameter);
  EXPECT_EQ(elements(matrix_), (Elements{1, 2, 2, 4, 5, 6}));

  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 0, 0, 1, 0, 0), Ok);
  ASSERT_EQ(GdipScaleMatrix(matrix_, 0, 1, MatrixOrderAppend), Ok);
  EXPECT_EQ(GdipIsMatrixInvertible(matrix_, &invertible), Ok);
  EXPECT_FALSE(invertible);
}

TEST_F(MatrixTest, RejectsBadArguments) {
  GpPointF point{0, 0};
  BOOL flag = FALSE;
  REAL values[6];
  EXPECT_EQ(GdipCreateMatrix(nullptr), InvalidParameter);
  EXPECT_EQ(GdipCreateMatrix2(1, 0, 0, 1, 0, 0, nullptr), InvalidParameter);
  EXPECT_EQ(GdipCloneMatrix(matrix_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipCloneMatrix(nullptr, &matrix_), InvalidParameter);
  EXPECT_EQ(GdipDeleteMatrix(nullptr), InvalidParameter);
  EXPECT_EQ(GdipSetMatrixElements(nullptr, 1, 0, 0, 1, 0, 0), InvalidParameter);
  EXPECT_EQ(GdipGetMatrixElements(matrix_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetMatrixElements(nullptr, values), InvalidParameter);
  EXPECT_EQ(GdipMultiplyMatrix(matrix_, nullptr, MatrixOrderAppend), InvalidParameter);
  EXPECT_EQ(GdipMultiplyMatrix(nullptr, matrix_, MatrixOrderAppend), InvalidParameter);
  EXPECT_EQ(GdipScaleMatrix(nullptr, 1, 1, MatrixOrderAppend), InvalidParameter);
  EXPECT_EQ(GdipInvertMatrix(nullptr), InvalidParameter);
  EXPECT_EQ(GdipIsMatrixInvertible(matrix_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipIsMatrixIdentity(nullptr, &flag), InvalidParameter);
  EXPECT_EQ(GdipTransformMatrixPoints(matrix_, &point, 0), InvalidParameter);
  EXPECT_EQ(GdipTransformMatrixPoints(matrix_, nullptr, 1), InvalidParameter);
  EXPECT_EQ(GdipTransformMatrixPoints(nullptr, &point, 1), InvalidParameter);
  EXPECT_EQ(elements(matrix_), (Elements{1, 0, 0, 1, 0, 0}));
}

}  // namespace
