#include <gtest/gtest.h>

#include <cmath>

#include "gdiplus_test_support.h"

using namespace Gdiplus;

namespace {

using GraphicsSettingsTest = gdiplus_test::GraphicsTest;

TEST(GraphicsCreation, NeedsADeviceContext) {
  GpGraphics* graphics = nullptr;
  EXPECT_EQ(GdipCreateFromHDC(nullptr, &graphics), InvalidParameter);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(GdipCreateFromHDC(reinterpret_cast<HDC>(brush), &graphics), InvalidParameter);
  DeleteObject(brush);
  EXPECT_EQ(graphics, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GdipCreateFromHDC(dc, nullptr), InvalidParameter);
  DeleteDC(dc);
  EXPECT_EQ(GdipDeleteGraphics(nullptr), InvalidParameter);
}

TEST_F(GraphicsSettingsTest, DefaultsAreThoseOfWindows) {
  SmoothingMode smoothing = SmoothingModeInvalid;
  PixelOffsetMode offset = PixelOffsetModeInvalid;
  InterpolationMode interpolation = InterpolationModeInvalid;
  TextRenderingHint hint = TextRenderingHintClearTypeGridFit;
  CompositingMode mode = CompositingModeSourceCopy;
  CompositingQuality quality = CompositingQualityInvalid;
  UINT contrast = 0;
  GpUnit unit = UnitWorld;
  REAL scale = 0;
  INT x = -1, y = -1;
  EXPECT_EQ(GdipGetSmoothingMode(graphics_, &smoothing), Ok);
  EXPECT_EQ(smoothing, SmoothingModeNone);
  EXPECT_EQ(GdipGetPixelOffsetMode(graphics_, &offset), Ok);
  EXPECT_EQ(offset, PixelOffsetModeDefault);
  EXPECT_EQ(GdipGetInterpolationMode(graphics_, &interpolation), Ok);
  EXPECT_EQ(interpolation, InterpolationModeBilinear);
  EXPECT_EQ(GdipGetTextRenderingHint(graphics_, &hint), Ok);
  EXPECT_EQ(hint, TextRenderingHintSystemDefault);
  EXPECT_EQ(GdipGetCompositingMode(graphics_, &mode), Ok);
  EXPECT_EQ(mode, CompositingModeSourceOver);
  EXPECT_EQ(GdipGetCompositingQuality(graphics_, &quality), Ok);
  EXPECT_EQ(quality, CompositingQualityDefault);
  EXPECT_EQ(GdipGetTextContrast(graphics_, &contrast), Ok);
  EXPECT_EQ(contrast, 4u);
  EXPECT_EQ(GdipGetPageUnit(graphics_, &unit), Ok);
  EXPECT_EQ(unit, UnitDisplay);
  EXPECT_EQ(GdipGetPageScale(graphics_, &scale), Ok);
  EXPECT_EQ(scale, 1.0f);
  EXPECT_EQ(GdipGetRenderingOrigin(graphics_, &x, &y), Ok);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

// Sets each value with `set`, reads it back with `get` and expects `expected`.
template <typename T, typename Set, typename Get>
void expect_round_trip(GpGraphics* graphics, Set set, Get get, T value, T expected) {
  ASSERT_EQ(set(graphics, value), Ok) << static_cast<int>(value);
  T read{};
  EXPECT_EQ(get(graphics, &read), Ok);
  EXPECT_EQ(read, expected) << static_cast<int>(value);
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

  ASSERT_EQ(GdipSetRenderingOrigin(graphics_, -3, 17), Ok);
  INT x = 0, y = 0;
  EXPECT_EQ(GdipGetRenderingOrigin(graphics_, &x, &y), Ok);
  EXPECT_EQ(x, -3);
  EXPECT_EQ(y, 17);
}

TEST_F(GraphicsSettingsTest, GenericInterpolationRequestsReportTheModeUsed) {
  const auto set = GdipSetInterpolationMode;
  const auto get = GdipGetInterpolationMode;
  expect_round_trip(graphics_, set, get, InterpolationModeDefault, InterpolationModeBilinear);
  expect_round_trip(graphics_, set, get, InterpolationModeLowQuality, InterpolationModeBilinear);
  expect_round_trip(graphics_, set, get, InterpolationModeHighQuality, InterpolationModeHighQualityBicubic);
  for (int v = InterpolationModeBilinear; v <= InterpolationModeHighQualityBicubic; ++v)
    expect_round_trip(graphics_, set, get, InterpolationMode(v), InterpolationMode(v));
}

TEST_F(GraphicsSettingsTest, InvalidValuesAreRejectedAndChangeNothing) {
  EXPECT_EQ(GdipSetSmoothingMode(graphics_, SmoothingModeInvalid), InvalidParameter);
  EXPECT_EQ(GdipSetSmoothingMode(graphics_, SmoothingMode(6)), InvalidParameter);
  EXPECT_EQ(GdipSetPixelOffsetMode(graphics_, PixelOffsetModeInvalid), InvalidParameter);
  EXPECT_EQ(GdipSetPixelOffsetMode(graphics_, PixelOffsetMode(5)), InvalidParameter);
  EXPECT_EQ(GdipSetInterpolationMode(graphics_, InterpolationModeInvalid), InvalidParameter);
  EXPECT_EQ(GdipSetTextRenderingHint(graphics_, TextRenderingHint(6)), InvalidParameter);
  EXPECT_EQ(GdipSetTextContrast(graphics_, 13), InvalidParameter);
  EXPECT_EQ(GdipSetCompositingQuality(graphics_, CompositingQualityInvalid), InvalidParameter);
  EXPECT_EQ(GdipSetPageUnit(graphics_, UnitWorld), InvalidParameter);
  EXPECT_EQ(GdipSetPageUnit(graphics_, Unit(7)), InvalidParameter);
  EXPECT_EQ(GdipSetPageScale(graphics_, 0), InvalidParameter);
  EXPECT_EQ(GdipSetPageScale(graphics_, -1), InvalidParameter);
  EXPECT_EQ(GdipSetPageScale(graphics_, NAN), InvalidParameter);

  SmoothingMode smoothing = SmoothingModeInvalid;
  UINT contrast = 0;
  GpUnit unit = UnitWorld;
  REAL scale = 0;
  EXPECT_EQ(GdipGetSmoothingMode(graphics_, &smoothing), Ok);
  EXPECT_EQ(smoothing, SmoothingModeNone);
  EXPECT_EQ(GdipGetTextContrast(graphics_, &contrast), Ok);
  EXPECT_EQ(contrast, 4u);
  EXPECT_EQ(GdipGetPageUnit(graphics_, &unit), Ok);
  EXPECT_EQ(unit, UnitDisplay);
  EXPECT_EQ(GdipGetPageScale(graphics_, &scale), Ok);
  EXPECT_EQ(scale, 1.0f);
}

TEST_F(GraphicsSettingsTest, NullPointersAreRejected) {
  SmoothingMode smoothing;
  INT x;
  EXPECT_EQ(GdipSetSmoothingMode(nullptr, SmoothingModeNone), InvalidParameter);
  EXPECT_EQ(GdipGetSmoothingMode(nullptr, &smoothing), InvalidParameter);
  EXPECT_EQ(GdipGetSmoothingMode(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetPixelOffsetMode(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetInterpolationMode(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetTextRenderingHint(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetTextContrast(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetCompositingMode(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetCompositingQuality(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetPageUnit(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetPageScale(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetRenderingOrigin(graphics_, &x, nullptr), InvalidParameter);
  EXPECT_EQ(GdipSetRenderingOrigin(nullptr, 0, 0), InvalidParameter);
  EXPECT_EQ(GdipGetDC(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipSaveGraphics(graphics_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipRestoreGraphics(nullptr, 1), InvalidParameter);
}

TEST_F(GraphicsSettingsTest, GraphicsIsBusyWhileItsDcIsOut) {
  HDC dc = nullptr;
  ASSERT_EQ(GdipGetDC(graphics_, &dc), Ok);
  EXPECT_EQ(dc, dc_);
  EXPECT_EQ(GdipGetDC(graphics_, &dc), ObjectBusy);
  EXPECT_EQ(GdipSetSmoothingMode(graphics_, SmoothingModeAntiAlias), ObjectBusy);
  EXPECT_EQ(GdipResetClip(graphics_), ObjectBusy);
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
  SmoothingMode smoothing = SmoothingModeInvalid;
  REAL scale = 0;
  UINT contrast = 0;
  BOOL empty = TRUE;
  GpRectF clip{};
  GpMatrix* world = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(2, 0, 0, 2, 0, 0, &world), Ok);
  EXPECT_EQ(GdipGetSmoothingMode(graphics_, &smoothing), Ok);
  EXPECT_EQ(smoothing, SmoothingModeAntiAlias);
  EXPECT_EQ(GdipGetPageScale(graphics_, &scale), Ok);
  EXPECT_EQ(scale, 1.0f);
  EXPECT_EQ(GdipGetTextContrast(graphics_, &contrast), Ok);
  EXPECT_EQ(contrast, 4u);
  EXPECT_EQ(GdipGetWorldTransform(graphics_, world), Ok);
  BOOL identity = FALSE;
  EXPECT_EQ(GdipIsMatrixIdentity(world, &identity), Ok);
  EXPECT_TRUE(identity);
  EXPECT_EQ(GdipIsClipEmpty(graphics_, &empty), Ok);
  EXPECT_FALSE(empty);
  EXPECT_EQ(GdipGetClipBounds(graphics_, &clip), Ok);
  gdiplus_test::expect_rect(clip, -4194304, -4194304, 8388608, 8388608);

  // The second state was saved after the first one and is gone.
  ASSERT_EQ(GdipSetSmoothingMode(graphics_, SmoothingModeNone), Ok);
  EXPECT_EQ(GdipRestoreGraphics(graphics_, second), Ok);
  EXPECT_EQ(GdipGetSmoothingMode(graphics_, &smoothing), Ok);
  EXPECT_EQ(smoothing, SmoothingModeNone);
  GdipDeleteMatrix(world);
}

}  // namespace
