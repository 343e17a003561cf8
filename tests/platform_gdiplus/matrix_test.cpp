// Matrices: elements, mapping of row vectors, the order of composed
// operations, inversion and argument checks.
#include <gtest/gtest.h>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::elements;
using gdiplus_test::expect_all;
using gdiplus_test::get;
using gdiplus_test::transformed;

namespace {

using Elements = std::array<REAL, 6>;

class MatrixTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GdipCreateMatrix(&matrix_), Ok); }
  void TearDown() override { EXPECT_EQ(GdipDeleteMatrix(matrix_), Ok); }

  void set(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
    ASSERT_EQ(GdipSetMatrixElements(matrix_, m11, m12, m21, m22, dx, dy), Ok);
  }
  void expect_maps(REAL x, REAL y, REAL to_x, REAL to_y) {
    const GpPointF point = transformed(matrix_, x, y);
    EXPECT_NEAR(point.X, to_x, 1e-4);
    EXPECT_NEAR(point.Y, to_y, 1e-4);
  }

  GpMatrix* matrix_ = nullptr;
};

TEST_F(MatrixTest, StartsAsIdentityKeepsElementsAndClonesIndependently) {
  EXPECT_EQ(elements(matrix_), (Elements{1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(get(GdipIsMatrixIdentity, matrix_), TRUE);
  set(1, 2, 3, 4, 5, 6);
  EXPECT_EQ(elements(matrix_), (Elements{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(get(GdipIsMatrixIdentity, matrix_), FALSE);
  GpPointF points[2] = {{1, 1}, {0, 0}};  // row vectors: x' = 1*x + 3*y + 5, y' = 2*x + 4*y + 6
  ASSERT_EQ(GdipTransformMatrixPoints(matrix_, points, 2), Ok);
  EXPECT_EQ(points[0].X, 9);
  EXPECT_EQ(points[0].Y, 12);
  EXPECT_EQ(points[1].X, 5);
  EXPECT_EQ(points[1].Y, 6);

  GpMatrix* clone = nullptr;
  ASSERT_EQ(GdipCloneMatrix(matrix_, &clone), Ok);
  set(1, 0, 0, 1, 0, 0);
  EXPECT_EQ(elements(clone), (Elements{1, 2, 3, 4, 5, 6}));
  GdipDeleteMatrix(clone);
}

TEST_F(MatrixTest, PrependAppliesTheNewOperationFirstAndAppendLast) {
  ASSERT_EQ(GdipRotateMatrix(matrix_, 90, MatrixOrderPrepend), Ok);
  const Elements e = elements(matrix_), rotated{0, 1, -1, 0, 0, 0};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(e[i], rotated[i], 1e-6) << i;
  expect_maps(1, 0, 0, 1);  // clockwise on screen: right turns to down
  set(1, 0, 0, 1, 0, 0);
  ASSERT_EQ(GdipTranslateMatrix(matrix_, 100, 50, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateMatrix(matrix_, 90, MatrixOrderPrepend), Ok);
  expect_maps(10, 0, 100, 60);
  set(1, 0, 0, 1, 0, 0);
  ASSERT_EQ(GdipTranslateMatrix(matrix_, 100, 50, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateMatrix(matrix_, 90, MatrixOrderAppend), Ok);
  expect_maps(10, 0, -50, 110);

  set(1, 0, 0, 1, 10, 20);
  ASSERT_EQ(GdipScaleMatrix(matrix_, 2, 3, MatrixOrderPrepend), Ok);
  EXPECT_EQ(elements(matrix_), (Elements{2, 0, 0, 3, 10, 20}));
  set(1, 0, 0, 1, 10, 20);
  ASSERT_EQ(GdipScaleMatrix(matrix_, 2, 3, MatrixOrderAppend), Ok);
  EXPECT_EQ(elements(matrix_), (Elements{2, 0, 0, 3, 20, 60}));

  GpMatrix* other = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(7, 8, 9, 10, 11, 12, &other), Ok);
  set(1, 2, 3, 4, 5, 6);
  ASSERT_EQ(GdipMultiplyMatrix(matrix_, other, MatrixOrderAppend), Ok);
  EXPECT_EQ(elements(matrix_), (Elements{25, 28, 57, 64, 100, 112}));
  set(1, 2, 3, 4, 5, 6);
  ASSERT_EQ(GdipMultiplyMatrix(matrix_, other, MatrixOrderPrepend), Ok);
  EXPECT_EQ(elements(matrix_), (Elements{31, 46, 39, 58, 52, 76}));
  GdipDeleteMatrix(other);
}

TEST_F(MatrixTest, InvertsExactlyAndRefusesSingularMatrices) {
  set(2, 0, 0, 4, 10, 20);
  ASSERT_EQ(GdipInvertMatrix(matrix_), Ok);
  EXPECT_EQ(elements(matrix_), (Elements{0.5f, 0, 0, 0.25f, -5, -5}));
  set(1, 2, 3, 4, 5, 6);
  ASSERT_EQ(GdipInvertMatrix(matrix_), Ok);
  expect_maps(9, 12, 1, 1);

  set(1, 2, 2, 4, 5, 6);
  EXPECT_EQ(get(GdipIsMatrixInvertible, matrix_), FALSE);
  EXPECT_EQ(GdipInvertMatrix(matrix_), InvalidParameter);
  EXPECT_EQ(elements(matrix_), (Elements{1, 2, 2, 4, 5, 6}));
  set(1, 0, 0, 1, 0, 0);
  ASSERT_EQ(GdipScaleMatrix(matrix_, 0, 1, MatrixOrderAppend), Ok);
  EXPECT_EQ(get(GdipIsMatrixInvertible, matrix_), FALSE);
}

TEST_F(MatrixTest, RejectsBadArguments) {
  GpPointF point{0, 0};
  BOOL flag = FALSE;
  REAL values[6];
  expect_all({GdipCreateMatrix(nullptr), GdipCreateMatrix2(1, 0, 0, 1, 0, 0, nullptr),
              GdipCloneMatrix(matrix_, nullptr), GdipCloneMatrix(nullptr, &matrix_), GdipDeleteMatrix(nullptr),
              GdipSetMatrixElements(nullptr, 1, 0, 0, 1, 0, 0), GdipGetMatrixElements(matrix_, nullptr),
              GdipGetMatrixElements(nullptr, values), GdipMultiplyMatrix(matrix_, nullptr, MatrixOrderAppend),
              GdipMultiplyMatrix(nullptr, matrix_, MatrixOrderAppend),
              GdipScaleMatrix(nullptr, 1, 1, MatrixOrderAppend), GdipInvertMatrix(nullptr),
              GdipIsMatrixInvertible(matrix_, nullptr), GdipIsMatrixIdentity(nullptr, &flag),
              GdipTransformMatrixPoints(matrix_, &point, 0), GdipTransformMatrixPoints(matrix_, nullptr, 1),
              GdipTransformMatrixPoints(nullptr, &point, 1)});
  EXPECT_EQ(elements(matrix_), (Elements{1, 0, 0, 1, 0, 0}));
}

}  // namespace
