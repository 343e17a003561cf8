// Nearest-neighbour stretches blended straight from the source row (a
// rectangular clip) against the same drawing through the per-pixel blend (a
// clip that needs a mask): long rows, enlarging and shrinking, mirrored, with
// and without an alpha weight, must give the same pixels.
// Depends on: draw_test_support.h, tests/support/seeded.h.
#include "draw_test_support.h"
#include "support/seeded.h"

using namespace draw_test;

namespace {

using StretchBlendTest = DrawTest;

TEST_F(StretchBlendTest, RowBlendMatchesThePerPixelBlend) {
  make_canvas(300, 24);
  ASSERT_EQ(GdipSetInterpolationMode(graphics_, InterpolationModeNearestNeighbor), Ok);
  seeded::iterations(200, [&](std::mt19937& rng, int) {
    const int sw = seeded::between(rng, 1, 200), sh = seeded::between(rng, 1, 12);
    std::vector<uint32_t> source(size_t(sw) * sh), background(size_t(width_) * height_), results[2];
    for (uint32_t& p : source) p = seeded::biased_word(rng);
    for (uint32_t& p : background) p = seeded::biased_word(rng);
    const int sx = seeded::between(rng, 0, sw - 1), sy = seeded::between(rng, 0, sh - 1);
    const int x = seeded::between(rng, -20, 100), w = seeded::between(rng, 1, 300);
    const int h = seeded::between(rng, 1, 30), mirror = rng() % 4 == 0;
    ColorMatrix m{};
    for (int i = 0; i < 5; ++i) m.m[i][i] = 1;
    m.m[3][3] = float(rng() % 256) / 255.0f;
    GpImageAttributes* weight = nullptr;
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(rng() % 3 ? GdipCreateImageAttributes(&weight) : Ok, Ok);
    if (weight) GdipSetImageAttributesColorMatrix(weight, ColorAdjustTypeBitmap, TRUE, &m, nullptr, ColorMatrixFlagsDefault);
    GdipCreateBitmapFromScan0(sw, sh, sw * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(source.data()), &bitmap);
    for (int masked = 0; masked < 2; ++masked) {
      std::copy(background.begin(), background.end(), pixels_);
      // Leaving out one corner pixel (never drawn) makes the clip a mask.
      ASSERT_EQ(GdipSetClipRectI(graphics_, 0, 0, width_, height_, CombineModeReplace), Ok);
      ASSERT_EQ(masked ? GdipSetClipRectI(graphics_, width_ - 1, 0, 1, 1, CombineModeExclude) : Ok, Ok);
      ASSERT_EQ(GdipDrawImageRectRect(graphics_, reinterpret_cast<GpImage*>(bitmap), REAL(mirror ? x + w : x), 2,
                                      REAL(mirror ? -w : w), REAL(h), REAL(sx), REAL(sy), REAL(sw - sx), REAL(sh - sy), UnitPixel, weight, nullptr, nullptr), Ok);
      results[masked] = snapshot();
    }
    GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
    if (weight) GdipDisposeImageAttributes(weight);
    ASSERT_EQ(results[0], results[1]);
  });
}

}  // namespace
