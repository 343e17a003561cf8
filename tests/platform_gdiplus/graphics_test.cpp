// Graphics over a DC: creation, the documented defaults of its state, the
// refused values, how generic interpolation requests are reported, and the
// order in which world transforms compose.
// Depends on: gdiplus_test_support.h.
#include <gtest/gtest.h>

#include <cmath>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::elements;
using gdiplus_test::expect_all;
using gdiplus_test::get;
using gdiplus_test::transformed;

namespace {

using Elements = std::array<REAL, 6>;

class GraphicsSettingsTest : public gdiplus_test::GraphicsTest {
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

TEST(GraphicsCreation, NeedsADeviceContext) {
  GpGraphics* graphics = nullptr;
  const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  const HDC dc = CreateCompatibleDC(nullptr);
  expect_all({GdipCreateFromHDC(nullptr, &graphics), GdipCreateFromHDC(reinterpret_cast<HDC>(brush), &graphics),
              GdipCreateFromHDC(dc, nullptr), GdipDeleteGraphics(nullptr)});
  EXPECT_EQ(graphics, nullptr);
  DeleteObject(brush);
  DeleteDC(dc);
}

// Invalid values are refused first; then every value must still be Windows' default.
TEST_F(GraphicsSettingsTest, InvalidValuesChangeNothingAndDefaultsAreThoseOfWindows) {
  expect_all({GdipSetSmoothingMode(graphics_, SmoothingModeInvalid), GdipSetSmoothingMode(graphics_, SmoothingMode(6)),
              GdipSetPixelOffsetMode(graphics_, PixelOffsetModeInvalid),
              GdipSetPixelOffsetMode(graphics_, PixelOffsetMode(5)),
              GdipSetInterpolationMode(graphics_, InterpolationModeInvalid),
              GdipSetTextRenderingHint(graphics_, TextRenderingHint(6)), GdipSetTextContrast(graphics_, 13),
              GdipSetCompositingQuality(graphics_, CompositingQualityInvalid), GdipSetPageUnit(graphics_, UnitWorld),
              GdipSetPageUnit(graphics_, Unit(7)), GdipSetPageScale(graphics_, 0), GdipSetPageScale(graphics_, -1),
              GdipSetPageScale(graphics_, NAN)});
  EXPECT_EQ(get(GdipGetSmoothingMode, graphics_), SmoothingModeNone);
  EXPECT_EQ(get(GdipGetPixelOffsetMode, graphics_), PixelOffsetModeDefault);
  EXPECT_EQ(get(GdipGetInterpolationMode, graphics_), InterpolationModeBilinear);
  EXPECT_EQ(get(GdipGetTextRenderingHint, graphics_), TextRenderingHintSystemDefault);
  EXPECT_EQ(get(GdipGetCompositingMode, graphics_), CompositingModeSourceOver);
  EXPECT_EQ(get(GdipGetCompositingQuality, graphics_), CompositingQualityDefault);
  EXPECT_EQ(get(GdipGetTextContrast, graphics_), 4u);
  EXPECT_EQ(get(GdipGetPageUnit, graphics_), UnitDisplay);
  EXPECT_EQ(get(GdipGetPageScale, graphics_), 1.0f);
  INT x = -1, y = -1;
  EXPECT_EQ(GdipGetRenderingOrigin(graphics_, &x, &y), Ok);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(world(), (Elements{1, 0, 0, 1, 0, 0}));
}

// Generic interpolation requests report the mode used.
TEST_F(GraphicsSettingsTest, GenericInterpolationRequestsReportTheModeUsed) {
  const struct {
    InterpolationMode asked, used;
  } cases[] = {{InterpolationModeDefault, InterpolationModeBilinear},
               {InterpolationModeLowQuality, InterpolationModeBilinear},
               {InterpolationModeHighQuality, InterpolationModeHighQualityBicubic},
               {InterpolationModeNearestNeighbor, InterpolationModeNearestNeighbor}};
  for (const auto& c : cases) {
    ASSERT_EQ(GdipSetInterpolationMode(graphics_, c.asked), Ok);
    EXPECT_EQ(get(GdipGetInterpolationMode, graphics_), c.used) << c.asked;
  }
}

TEST_F(GraphicsSettingsTest, WorldTransformComposesInOrderAndRefusesSingularMatrices) {
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 100, 50, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateWorldTransform(graphics_, 90, MatrixOrderPrepend), Ok);
  expect_world_maps(10, 0, 100, 60);  // prepend: the new operation first
  ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 100, 50, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateWorldTransform(graphics_, 90, MatrixOrderAppend), Ok);
  expect_world_maps(10, 0, -50, 110);  // append: the new operation last

  ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 10, 20, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipScaleWorldTransform(graphics_, 2, 3, MatrixOrderPrepend), Ok);
  EXPECT_EQ(world(), (Elements{2, 0, 0, 3, 10, 20}));

  // Set and get copy the matrix.
  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 2, 3, 4, 5, 6), Ok);
  ASSERT_EQ(GdipSetWorldTransform(graphics_, matrix_), Ok);
  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 0, 0, 1, 0, 0), Ok);
  EXPECT_EQ(world(), (Elements{1, 2, 3, 4, 5, 6}));

  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 0, 0, 1, 7, 8), Ok);
  ASSERT_EQ(GdipSetWorldTransform(graphics_, matrix_), Ok);
  GpMatrix* singular = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(1, 2, 2, 4, 0, 0, &singular), Ok);
  expect_all({GdipSetWorldTransform(graphics_, singular), GdipScaleWorldTransform(graphics_, 0, 1, MatrixOrderPrepend),
              GdipSetWorldTransform(graphics_, nullptr), GdipGetWorldTransform(graphics_, nullptr)});
  GdipDeleteMatrix(singular);
  EXPECT_EQ(world(), (Elements{1, 0, 0, 1, 7, 8}));
}

}  // namespace
