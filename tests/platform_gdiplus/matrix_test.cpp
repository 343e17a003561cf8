// Matrices: row-vector mapping, the order of composed operations and
// inversion (one table), singular matrices refused, and clones that stay
// independent.
// Depends on: gdiplus_test_support.h.
#include <gtest/gtest.h>

#include <functional>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::elements;
using gdiplus_test::get;
using gdiplus_test::transformed;

namespace {

using Elements = std::array<REAL, 6>;

// Starting from the elements `from`, `apply` gives the elements `expected`.
TEST(Matrix, ComposedOperationsFollowTheirOrder) {
  GpMatrix* other = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(7, 8, 9, 10, 11, 12, &other), Ok);
  const struct {
    const char* what;
    Elements from;
    std::function<GpStatus(GpMatrix*)> apply;
    Elements expected;
  } cases[] = {
      {"rotate 90: right turns to down", {1, 0, 0, 1, 0, 0},
       [](GpMatrix* m) { return GdipRotateMatrix(m, 90, MatrixOrderPrepend); }, {0, 1, -1, 0, 0, 0}},
      {"translate prepended", {0, 1, -1, 0, 0, 0},
       [](GpMatrix* m) { return GdipTranslateMatrix(m, 100, 50, MatrixOrderPrepend); }, {0, 1, -1, 0, -50, 100}},
      {"translate appended", {0, 1, -1, 0, 0, 0},
       [](GpMatrix* m) { return GdipTranslateMatrix(m, 100, 50, MatrixOrderAppend); }, {0, 1, -1, 0, 100, 50}},
      {"scale prepended", {1, 0, 0, 1, 10, 20},
       [](GpMatrix* m) { return GdipScaleMatrix(m, 2, 3, MatrixOrderPrepend); }, {2, 0, 0, 3, 10, 20}},
      {"scale appended", {1, 0, 0, 1, 10, 20},
       [](GpMatrix* m) { return GdipScaleMatrix(m, 2, 3, MatrixOrderAppend); }, {2, 0, 0, 3, 20, 60}},
      {"multiply appended", {1, 2, 3, 4, 5, 6},
       [other](GpMatrix* m) { return GdipMultiplyMatrix(m, other, MatrixOrderAppend); }, {25, 28, 57, 64, 100, 112}},
      {"multiply prepended", {1, 2, 3, 4, 5, 6},
       [other](GpMatrix* m) { return GdipMultiplyMatrix(m, other, MatrixOrderPrepend); }, {31, 46, 39, 58, 52, 76}},
      {"invert", {1, 2, 3, 4, 5, 6}, [](GpMatrix* m) { return GdipInvertMatrix(m); }, {-2, 1, 1.5f, -0.5f, 1, -2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    GpMatrix* m = nullptr;
    ASSERT_EQ(GdipCreateMatrix2(c.from[0], c.from[1], c.from[2], c.from[3], c.from[4], c.from[5], &m), Ok);
    ASSERT_EQ(c.apply(m), Ok);
    const Elements e = elements(m);
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(e[i], c.expected[i], 1e-5) << i;
    GdipDeleteMatrix(m);
  }
  GdipDeleteMatrix(other);
}

TEST(Matrix, MapsRowVectorsAndRefusesSingularOnes) {
  GpMatrix* m = nullptr;
  ASSERT_EQ(GdipCreateMatrix(&m), Ok);
  EXPECT_EQ(get(GdipIsMatrixIdentity, m), TRUE);
  ASSERT_EQ(GdipSetMatrixElements(m, 1, 2, 3, 4, 5, 6), Ok);
  EXPECT_EQ(get(GdipIsMatrixIdentity, m), FALSE);
  const GpPointF p = transformed(m, 1, 1);  // x' = 1*x + 3*y + 5, y' = 2*x + 4*y + 6
  EXPECT_EQ(p.X, 9);
  EXPECT_EQ(p.Y, 12);
  GpMatrix* clone = nullptr;
  ASSERT_EQ(GdipCloneMatrix(m, &clone), Ok);
  ASSERT_EQ(GdipSetMatrixElements(m, 1, 2, 2, 4, 5, 6), Ok);
  EXPECT_EQ(elements(clone), (Elements{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(get(GdipIsMatrixInvertible, m), FALSE);
  EXPECT_EQ(GdipInvertMatrix(m), InvalidParameter);
  EXPECT_EQ(elements(m), (Elements{1, 2, 2, 4, 5, 6}));
  GpPointF none{0, 0};
  EXPECT_EQ(GdipTransformMatrixPoints(m, &none, 0), InvalidParameter);
  EXPECT_EQ(GdipMultiplyMatrix(m, nullptr, MatrixOrderAppend), InvalidParameter);
  GdipDeleteMatrix(clone);
  GdipDeleteMatrix(m);
}

}  // namespace
