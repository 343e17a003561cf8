// The internal entry point other platform code draws contours through:
// world-space contours under the graphics' transform, clip and compositing.
// Depends on: draw_test_support.h and the GDI+ private render header.
#include "draw_test_support.h"
#include "gdiplus/render.h"

using namespace draw_test;

namespace {

using RenderEntryTest = DrawTest;

TEST_F(RenderEntryTest, ContoursInWorldCoordinates) {
  ASSERT_EQ(GdipScaleWorldTransform(graphics_, 2, 2, MatrixOrderPrepend), Ok);
  const std::vector<render::Contour> square{{{1, 1}, {3, 1}, {3, 3}, {1, 3}}};
  ASSERT_EQ(render::fill_contours(*graphics_, *brush(kBlack), square, FillModeWinding), Ok);
  EXPECT_EQ(off_box(kBlack, 2, 2, 6, 6), 0);
}

}  // namespace
