// The internal entry points other platform code draws through (text uses
// them for glyph coverage and outlines): a device-space coverage mask and
// world-space contours, both under the graphics' clip and compositing.
#include "draw_test_support.h"
#include "gdiplus/render.h"

using namespace Gdiplus;
using namespace draw_test;

namespace {

class RenderEntryTest : public DrawTest {};

TEST_F(RenderEntryTest, CoverageMaskBlendsByCoverageInsideTheClip) {
  const uint8_t bits[2][3] = {{255, 128, 0}, {0, 64, 255}};
  render::CoverageMask mask;
  mask.left = 10, mask.top = 20, mask.width = 3, mask.height = 2;
  mask.bits = &bits[0][0];
  mask.stride = 3;
  ASSERT_EQ(GdipSetClipRectI(graphics_, 0, 0, 12, 64, CombineModeReplace), Ok);
  ASSERT_EQ(render::fill_coverage(*graphics_, *reinterpret_cast<GpBrush*>(solid(kBlack)), mask), Ok);
  EXPECT_EQ(at(10, 20), kBlack);
  EXPECT_EQ(at(11, 20), 0xFF7F7F7Fu);  // half covered: 255 - 128
  EXPECT_EQ(at(12, 20), kWhite);
  EXPECT_EQ(at(11, 21), 0xFFBFBFBFu);  // a quarter: 255 - 64
  EXPECT_EQ(at(12, 21), kWhite);       // covered, but outside the clip
  // The world transform does not move a device-space mask.
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 5, 5, MatrixOrderPrepend), Ok);
  ASSERT_EQ(render::fill_coverage(*graphics_, *reinterpret_cast<GpBrush*>(solid(kRed)), mask), Ok);
  EXPECT_EQ(at(10, 20), kRed);
}

TEST_F(RenderEntryTest, ContoursInWorldCoordinates) {
  half_pixel();
  ASSERT_EQ(GdipScaleWorldTransform(graphics_, 2, 2, MatrixOrderPrepend), Ok);
  const std::vector<render::Contour> square{{{1, 1}, {3, 1}, {3, 3}, {1, 3}}};
  ASSERT_EQ(render::fill_contours(*graphics_, *reinterpret_cast<GpBrush*>(solid(kBlack)), square, FillModeWinding), Ok);
  EXPECT_EQ(count_where([](int x, int y, uint32_t p) { return (p == kBlack) != (x >= 2 && x < 6 && y >= 2 && y < 6); }),
            0);
}

}  // namespace
