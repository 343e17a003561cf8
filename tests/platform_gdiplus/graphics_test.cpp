// Graphics over a DC: creation, the documented defaults of its state, the
// refused values and how generic interpolation requests are reported. How
// world transforms compose is pinned by the matrix and fill tests.
// Depends on: gdiplus_test_support.h.
#include <gtest/gtest.h>

#include <cmath>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::elements;
using gdiplus_test::expect_all;
using gdiplus_test::get;

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

}  // namespace
