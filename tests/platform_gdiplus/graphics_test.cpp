// Graphics over a DC and pens: creation, the documented defaults of their
// state (those a drawing cannot show), the refused values and how generic
// interpolation requests are reported. How world transforms compose is
// pinned by the matrix and fill tests.
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

// A graphics over a memory DC.
class GraphicsSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dc_ = CreateCompatibleDC(nullptr);
    ASSERT_EQ(GdipCreateFromHDC(dc_, &graphics_), Ok);
  }
  void TearDown() override {
    EXPECT_EQ(GdipDeleteGraphics(graphics_), Ok);
    DeleteDC(dc_);
  }

  HDC dc_ = nullptr;
  GpGraphics* graphics_ = nullptr;
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
  GpMatrix* world = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(2, 0, 0, 2, 0, 0, &world), Ok);
  EXPECT_EQ(GdipGetWorldTransform(graphics_, world), Ok);
  EXPECT_EQ(elements(world), (Elements{1, 0, 0, 1, 0, 0}));
  GdipDeleteMatrix(world);
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

// Invalid values are refused first; then the pen must still have GDI+'s defaults.
TEST(Pen, InvalidValuesChangeNothingAndANewPenHasGdiplusDefaults) {
  GpPen* pen = nullptr;
  ASSERT_EQ(GdipCreatePen1(0xFF102030, 2.5f, UnitPixel, &pen), Ok);
  REAL width = 0;
  GpPen* refused = nullptr;
  expect_all({GdipSetPenWidth(pen, -0.5f), GdipSetPenStartCap(pen, static_cast<GpLineCap>(4)),
              GdipSetPenEndCap(pen, LineCapCustom), GdipSetPenDashStyle(pen, static_cast<DashStyle>(6)),
              GdipSetPenColor(nullptr, 0), GdipGetPenWidth(nullptr, &width), GdipDeletePen(nullptr),
              GdipCreatePen1(0xFF000000, -1, UnitWorld, &refused),
              GdipCreatePen1(0xFF000000, 1, static_cast<GpUnit>(7), &refused),
              GdipCreatePen1(0xFF000000, 1, UnitWorld, nullptr)});
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(get(GdipGetPenWidth, pen), 2.5f);
  EXPECT_EQ(get(GdipGetPenDashStyle, pen), DashStyleSolid);
  EXPECT_EQ(get(GdipGetPenStartCap, pen), LineCapFlat);
  EXPECT_EQ(GdipDeletePen(pen), Ok);
  ASSERT_EQ(GdipCreatePen1(0xFF000000, 0, UnitWorld, &pen), Ok);  // zero: the thinnest line
  GdipDeletePen(pen);
}

}  // namespace
