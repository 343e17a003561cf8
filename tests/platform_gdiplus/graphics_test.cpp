// Graphics over a DC: creation, the defaults and setters of its whole state,
// the busy state while its DC is out, saved states and the world transform.
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

// Sets `value` with `set`, reads it back with `get` and expects `expected`.
template <typename T, typename Set, typename Get>
void expect_round_trip(GpGraphics* graphics, Set set, Get getter, T value, T expected) {
  ASSERT_EQ(set(graphics, value), Ok) << static_cast<int>(value);
  EXPECT_EQ(get(getter, graphics), expected) << static_cast<int>(value);
}

TEST_F(GraphicsSettingsTest, EverySetterRoundTrips) {
  for (int v = SmoothingModeDefault; v <= SmoothingModeAntiAlias8x8; ++v)
    expect_round_trip(graphics_, GdipSetSmoothingMode, GdipGetSmoothingMode, SmoothingMode(v), SmoothingMode(v));
  for (int v = PixelOffsetModeDefault; v <= PixelOffsetModeHalf; ++v)
    expect_round_trip(graphics_, GdipSetPixelOffsetMode, GdipGetPixelOffsetMode, PixelOffsetMode(v),
                      PixelOffsetMode(v));
  for (int v = TextRenderingHintSystemDefault; v <= TextRenderingHintClearTypeGridFit; ++v)
    expect_round_trip(graphics_, GdipSetTextRenderingHint, GdipGetTextRenderingHint, TextRenderingHint(v),
                      TextRenderingHint(v));
  for (int v = CompositingModeSourceOver; v <= CompositingModeSourceCopy; ++v)
    expect_round_trip(graphics_, GdipSetCompositingMode, GdipGetCompositingMode, CompositingMode(v),
                      CompositingMode(v));
  for (int v = CompositingQualityDefault; v <= CompositingQualityAssumeLinear; ++v)
    expect_round_trip(graphics_, GdipSetCompositingQuality, GdipGetCompositingQuality, CompositingQuality(v),
                      CompositingQuality(v));
  for (UINT v : {0u, 7u, 12u}) expect_round_trip(graphics_, GdipSetTextContrast, GdipGetTextContrast, v, v);
  for (int v = UnitDisplay; v <= UnitMillimeter; ++v)
    expect_round_trip(graphics_, GdipSetPageUnit, GdipGetPageUnit, Unit(v), Unit(v));
  expect_round_trip(graphics_, GdipSetPageScale, GdipGetPageScale, 2.5f, 2.5f);
  // Generic interpolation requests report the mode used.
  const auto set = GdipSetInterpolationMode;
  const auto getter = GdipGetInterpolationMode;
  expect_round_trip(graphics_, set, getter, InterpolationModeDefault, InterpolationModeBilinear);
  expect_round_trip(graphics_, set, getter, InterpolationModeLowQuality, InterpolationModeBilinear);
  expect_round_trip(graphics_, set, getter, InterpolationModeHighQuality, InterpolationModeHighQualityBicubic);
  for (int v = InterpolationModeBilinear; v <= InterpolationModeHighQualityBicubic; ++v)
    expect_round_trip(graphics_, set, getter, InterpolationMode(v), InterpolationMode(v));

  ASSERT_EQ(GdipSetRenderingOrigin(graphics_, -3, 17), Ok);
  INT x = 0, y = 0;
  EXPECT_EQ(GdipGetRenderingOrigin(graphics_, &x, &y), Ok);
  EXPECT_EQ(x, -3);
  EXPECT_EQ(y, 17);
}

TEST_F(GraphicsSettingsTest, NullPointersAreRejected) {
  SmoothingMode smoothing;
  INT x;
  expect_all({GdipSetSmoothingMode(nullptr, SmoothingModeNone), GdipGetSmoothingMode(nullptr, &smoothing),
              GdipGetSmoothingMode(graphics_, nullptr), GdipGetPixelOffsetMode(graphics_, nullptr),
              GdipGetInterpolationMode(graphics_, nullptr), GdipGetTextRenderingHint(graphics_, nullptr),
              GdipGetTextContrast(graphics_, nullptr), GdipGetCompositingMode(graphics_, nullptr),
              GdipGetCompositingQuality(graphics_, nullptr), GdipGetPageUnit(graphics_, nullptr),
              GdipGetPageScale(graphics_, nullptr), GdipGetRenderingOrigin(graphics_, &x, nullptr),
              GdipSetRenderingOrigin(nullptr, 0, 0), GdipGetDC(graphics_, nullptr),
              GdipSaveGraphics(graphics_, nullptr), GdipRestoreGraphics(nullptr, 1),
              GdipSetWorldTransform(graphics_, nullptr), GdipSetWorldTransform(nullptr, matrix_),
              GdipGetWorldTransform(graphics_, nullptr), GdipResetWorldTransform(nullptr),
              GdipMultiplyWorldTransform(graphics_, nullptr, MatrixOrderAppend),
              GdipRotateWorldTransform(nullptr, 1, MatrixOrderAppend)});
  EXPECT_EQ(world(), (Elements{1, 0, 0, 1, 0, 0}));
}

TEST_F(GraphicsSettingsTest, GraphicsIsBusyWhileItsDcIsOut) {
  HDC dc = nullptr;
  ASSERT_EQ(GdipGetDC(graphics_, &dc), Ok);
  EXPECT_EQ(dc, dc_);
  expect_all({GdipGetDC(graphics_, &dc), GdipSetSmoothingMode(graphics_, SmoothingModeAntiAlias),
              GdipResetClip(graphics_)},
             ObjectBusy);
  EXPECT_EQ(GdipReleaseDC(graphics_, nullptr), InvalidParameter);
  ASSERT_EQ(GdipReleaseDC(graphics_, dc), Ok);
  EXPECT_EQ(GdipReleaseDC(graphics_, dc), InvalidParameter);
  EXPECT_EQ(GdipSetSmoothingMode(graphics_, SmoothingModeAntiAlias), Ok);
}

TEST_F(GraphicsSettingsTest, RestoreBringsBackAWholeStateAndDropsLaterOnes) {
  GraphicsState first = 0, second = 0;
  ASSERT_EQ(GdipSetSmoothingMode(graphics_, SmoothingModeAntiAlias), Ok);
  ASSERT_EQ(GdipSaveGraphics(graphics_, &first), Ok);
  ASSERT_EQ(GdipSetSmoothingMode(graphics_, SmoothingModeHighSpeed), Ok);
  ASSERT_EQ(GdipSetPageScale(graphics_, 3), Ok);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 5, 6, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipSetClipRectI(graphics_, 0, 0, 10, 10, CombineModeReplace), Ok);
  ASSERT_EQ(GdipSaveGraphics(graphics_, &second), Ok);
  EXPECT_NE(first, second);
  ASSERT_EQ(GdipSetTextContrast(graphics_, 9), Ok);

  ASSERT_EQ(GdipRestoreGraphics(graphics_, first), Ok);
  EXPECT_EQ(get(GdipGetSmoothingMode, graphics_), SmoothingModeAntiAlias);
  EXPECT_EQ(get(GdipGetPageScale, graphics_), 1.0f);
  EXPECT_EQ(get(GdipGetTextContrast, graphics_), 4u);
  EXPECT_EQ(world(), (Elements{1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(get(GdipIsClipEmpty, graphics_), FALSE);
  gdiplus_test::expect_rect(get(GdipGetClipBounds, graphics_), -4194304, -4194304, 8388608, 8388608);

  // The second state was saved after the first one and is gone.
  ASSERT_EQ(GdipSetSmoothingMode(graphics_, SmoothingModeNone), Ok);
  EXPECT_EQ(GdipRestoreGraphics(graphics_, second), Ok);
  EXPECT_EQ(get(GdipGetSmoothingMode, graphics_), SmoothingModeNone);
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
  GpMatrix* shift = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(1, 0, 0, 1, 1, 1, &shift), Ok);
  ASSERT_EQ(GdipMultiplyWorldTransform(graphics_, shift, MatrixOrderAppend), Ok);
  EXPECT_EQ(world(), (Elements{2, 0, 0, 3, 11, 21}));
  ASSERT_EQ(GdipMultiplyWorldTransform(graphics_, shift, MatrixOrderPrepend), Ok);
  EXPECT_EQ(world(), (Elements{2, 0, 0, 3, 13, 24}));
  GdipDeleteMatrix(shift);

  // Set and get copy the matrix.
  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 2, 3, 4, 5, 6), Ok);
  ASSERT_EQ(GdipSetWorldTransform(graphics_, matrix_), Ok);
  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 0, 0, 1, 0, 0), Ok);
  EXPECT_EQ(world(), (Elements{1, 2, 3, 4, 5, 6}));

  ASSERT_EQ(GdipSetMatrixElements(matrix_, 1, 0, 0, 1, 7, 8), Ok);
  ASSERT_EQ(GdipSetWorldTransform(graphics_, matrix_), Ok);
  GpMatrix* singular = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(1, 2, 2, 4, 0, 0, &singular), Ok);
  expect_all({GdipSetWorldTransform(graphics_, singular),
              GdipMultiplyWorldTransform(graphics_, singular, MatrixOrderAppend),
              GdipScaleWorldTransform(graphics_, 0, 1, MatrixOrderPrepend)});
  GdipDeleteMatrix(singular);
  EXPECT_EQ(world(), (Elements{1, 0, 0, 1, 7, 8}));
}

}  // namespace
