// Brushes: linear gradients (ends, tiling, mirroring), path gradients
// (centre, surround colours, nothing outside) and textures (tiled from the
// world origin, a copy of the image).
// Depends on: draw_test_support.h.
#include "draw_test_support.h"

using namespace draw_test;

namespace {

class BrushTest : public DrawTest {
 protected:
  GpLineGradient* line(GpPointF a, GpPointF b, ARGB c1, ARGB c2, WrapMode wrap = WrapModeTile) {
    GpLineGradient* made = nullptr;
    EXPECT_EQ(GdipCreateLineBrush(&a, &b, c1, c2, wrap, &made), Ok);
    keep(reinterpret_cast<GpBrush*>(made));
    return made;
  }
  template <class Brush>
  void fill(Brush* brush) {
    ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(brush), 0, 0, REAL(width_), REAL(height_)), Ok);
  }
  GpPathGradient* surround(GpPathGradient* brush, const ARGB* colors, INT count) {
    EXPECT_EQ(GdipSetPathGradientSurroundColorsWithCount(brush, colors, &count), Ok);
    return brush;
  }
};

TEST_F(BrushTest, LinearGradientEndsTilingAndMirroring) {
  make_canvas(200, 10);
  fill(line({0, 0}, {100, 0}, kRed, kBlue));
  EXPECT_GE(red(at(0, 5)), 253);
  EXPECT_LE(blue(at(0, 5)), 2);
  EXPECT_LE(red(at(99, 5)), 2);
  EXPECT_GE(blue(at(99, 5)), 253);
  EXPECT_NEAR(red(at(50, 5)), 127, 2);
  EXPECT_GE(red(at(100, 5)), 253);  // beyond the second point the gradient starts again
  EXPECT_EQ(at(150, 5), at(50, 5));
  for (int x = 1; x < 100; ++x) EXPECT_LE(red(at(x, 5)), red(at(x - 1, 5)));
  GpLineGradient* mirrored = line({0, 0}, {100, 0}, kRed, kBlue, WrapModeTileFlipX);
  fill(mirrored);
  EXPECT_GE(blue(at(100, 5)), 253);  // blue on both sides of x = 100
  EXPECT_EQ(at(120, 5), at(79, 5));
  GpLineGradient* none = nullptr;
  const GpPointF p{5, 5};
  EXPECT_EQ(GdipCreateLineBrush(&p, &p, kRed, kBlue, WrapModeTile, &none), OutOfMemory);
}

TEST_F(BrushTest, PathGradientPaintsNothingOutsideItsPath) {
  const GpPointF diamond[4] = {{32, 4}, {60, 32}, {32, 60}, {4, 32}};
  GpPathGradient* brush = nullptr;
  ASSERT_EQ(GdipCreatePathGradient(diamond, 4, WrapModeClamp, &brush), Ok);
  keep(reinterpret_cast<GpBrush*>(brush));
  // The centre defaults to the middle of the points: (32, 32).
  ASSERT_EQ(GdipSetPathGradientCenterColor(brush, kRed), Ok);
  const ARGB colors[4] = {kBlue, kBlue, kBlack, kBlack};
  fill(surround(brush, colors, 4));
  expect_pixels({{2, 2, kWhite}, {60, 60, kWhite}});
  EXPECT_GE(red(at(32, 32)), 245);        // the centre (32, 32) is at this pixel's corner
  EXPECT_NEAR(blue(at(39, 25)), 128, 3);  // half way from the centre to the blue edge
  EXPECT_NEAR(red(at(39, 25)), 127, 3);
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) { return p != kWhite && std::abs(x - 32) + std::abs(y - 32) > 29; }),
            0);
  INT count = 5;
  const ARGB too_many[5] = {};
  EXPECT_EQ(GdipSetPathGradientSurroundColorsWithCount(brush, too_many, &count), InvalidParameter);
}

TEST_F(BrushTest, EllipticalPathGradient) {
  GpPath* ellipse = path();
  ASSERT_EQ(GdipAddPathEllipse(ellipse, 4, 4, 56, 40), Ok);
  GpPathGradient* brush = nullptr;
  ASSERT_EQ(GdipCreatePathGradientFromPath(ellipse, &brush), Ok);
  keep(reinterpret_cast<GpBrush*>(brush));
  GpPointF centre{20.5f, 24.5f};  // the centre of pixel (20, 24)
  ASSERT_EQ(GdipSetPathGradientCenterPoint(brush, &centre), Ok);
  ASSERT_EQ(GdipSetPathGradientCenterColor(brush, kWhite), Ok);
  fill_all(kRed);
  fill(surround(brush, &kBlack, 1));
  expect_pixels({{20, 24, kWhite}, {32, 50, kRed}});  // the centre, and outside: untouched
  EXPECT_LT(red(at(56, 24)), 40);                     // near the rim
}

TEST_F(BrushTest, TextureTilesFromTheWorldOrigin) {
  const uint32_t expected[4] = {kRed, kBlue, kBlack, kWhite};  // 2x2
  uint32_t pixels[4] = {kRed, kBlue, kBlack, kWhite};
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(pixels), &bitmap), Ok);
  GpTexture* texture = nullptr;
  ASSERT_EQ(GdipCreateTexture2(reinterpret_cast<GpImage*>(bitmap), WrapModeTile, 0, 0, 2, 2, &texture), Ok);
  GpBrush* tiles = keep(reinterpret_cast<GpBrush*>(texture));
  pixels[0] = kBlue;  // the brush keeps its own copy
  ASSERT_EQ(GdipFillRectangle(graphics_, tiles, 3, 3, 10, 10), Ok);
  for (int y = 3; y < 13; ++y)
    for (int x = 3; x < 13; ++x) EXPECT_EQ(at(x, y), expected[(y % 2) * 2 + x % 2]) << x << "," << y;
  // Texture2 takes part of the image.
  GpTexture* part = nullptr;
  ASSERT_EQ(GdipCreateTexture2(reinterpret_cast<GpImage*>(bitmap), WrapModeTile, 0, 1, 2, 1, &part), Ok);
  ASSERT_EQ(GdipFillRectangle(graphics_, keep(reinterpret_cast<GpBrush*>(part)), 30, 30, 4, 2), Ok);
  expect_pixels({{30, 31, kBlack}, {31, 30, kWhite}});
  EXPECT_EQ(GdipCreateTexture2(reinterpret_cast<GpImage*>(bitmap), WrapModeTile, 1, 1, 2, 2, &part), OutOfMemory);
  GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
  // The brush outlives the image it was made from.
  ASSERT_EQ(GdipFillRectangle(graphics_, tiles, 40, 40, 1, 1), Ok);
  EXPECT_EQ(at(40, 40), kRed);
}

}  // namespace
