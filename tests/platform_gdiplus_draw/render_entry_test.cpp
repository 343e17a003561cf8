// The internal entry points other platform code draws through (text uses
// them for glyph coverage and outlines): a device-space coverage mask and
// world-space contours, both under the graphics' clip and compositing.
// Depends on: draw_test_support.h and the GDI+ private render header.
#include "draw_test_support.h"
#include "gdiplus/render.h"

using namespace draw_test;

namespace {

using RenderEntryTest = DrawTest;

TEST_F(RenderEntryTest, CoverageMaskBlendsByCoverageInsideTheClip) {
  const uint8_t bits[2][3] = {{255, 128, 0}, {0, 64, 255}};
  render::CoverageMask mask;
  mask.left = 10, mask.top = 20, mask.width = 3, mask.height = 2;
  mask.bits = &bits[0][0];
  mask.stride = 3;
  ASSERT_EQ(GdipSetClipRectI(graphics_, 0, 0, 12, 64, CombineModeReplace), Ok);
  ASSERT_EQ(render::fill_coverage(*graphics_, *brush(kBlack), mask), Ok);
  // Covered, half (255 - 128), not; a quarter (255 - 64), covered but outside the clip.
  expect_pixels({{10, 20, kBlack}, {11, 20, 0xFF7F7F7F}, {12, 20, kWhite}, {11, 21, 0xFFBFBFBF}, {12, 21, kWhite}});
  // The world transform does not move a device-space mask.
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 5, 5, MatrixOrderPrepend), Ok);
  ASSERT_EQ(render::fill_coverage(*graphics_, *brush(kRed), mask), Ok);
  EXPECT_EQ(at(10, 20), kRed);
}

TEST_F(RenderEntryTest, ContoursInWorldCoordinates) {
  ASSERT_EQ(GdipScaleWorldTransform(graphics_, 2, 2, MatrixOrderPrepend), Ok);
  const std::vector<render::Contour> square{{{1, 1}, {3, 1}, {3, 3}, {1, 3}}};
  ASSERT_EQ(render::fill_contours(*graphics_, *brush(kBlack), square, FillModeWinding), Ok);
  EXPECT_EQ(off_box(kBlack, 2, 2, 6, 6), 0);
}

}  // namespace
