// What the seeded random blend test does not reach: filters and sources that
// name no image, a page named by selector as the source; and stretched blends
// through GDI+ (constant alpha on top of the
// source alpha, the viewport clip, the destination's world transform left as
// it was). Depends on: the graphics fixture. Blend values are in
// blend_random_test; GDI+ scaling is the platform's.

#include <cstdlib>

#include "support/graphics_fixture.h"

using namespace frond;
using namespace frond_test;

namespace {

class BlendTest : public GraphicsTest {};

TEST_F(BlendTest, MissingImagesDrawNothingAndPagesServeAsSources) {
  IMAGE src(2, 2), dst(2, 2);
  fill(&src, 0xFFFFFFFF);
  fill(&dst, 0xFF000000);
  state().draw_target = &dst;
  state().pages[1] = &src;
  putimage_withalpha(nullptr, selector(9), 0, 0, 0, 0, 0, 0);  // no source (destinations: frond_counting)
  putimage_alphafilter(&dst, &src, 0, 0, nullptr, 0, 0, 0, 0);  // no filter
  putimage_alphafilter(&dst, &src, 0, 0, selector(1), 0, 0, 0, 0);  // a filter is never a page
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF000000u);
  putimage_alphatransparent(&dst, selector(1), 0, 0, 0x00, 255, 0, 0, 0, 0);  // a source may be
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFFFFFFFFu);
}

// Every channel within one step of the expected value.
::testing::AssertionResult near(argb_color actual, argb_color expected) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 1)
      return ::testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
  return ::testing::AssertionSuccess();
}

using BlendStretchTest = BlendTest;

TEST_F(BlendStretchTest, ConstantAlphaScalesTheSourceAlpha) {
  IMAGE src(1, 1), dst(2, 2);
  fill(&src, 0xFFFFFFFF);
  fill(&dst, 0xFF000000);
  putimage_alphablend(&dst, &src, 0, 0, 2, 2, 128, 0, 0, 0, 0, false, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_TRUE(near(p, 0xFF808080));
  fill(&dst, 0xFF000000);
  putimage_alphablend(&dst, &src, 0, 0, 2, 2, 0, 0, 0, 0, 0, true, 0);  // alpha 0: nothing
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF000000u);
}

TEST_F(BlendStretchTest, WithalphaClipsToTheViewportAndKeepsTheClip) {
  IMAGE src(2, 1), dst(6, 6);
  src.pixels[0] = 0xFFFF0000;
  src.pixels[1] = 0x00FFFFFF;  // transparent: leaves the destination
  fill(&dst, 0xFF000000);
  setviewport(1, 1, 4, 4, 1, &dst);
  EXPECT_EQ(putimage_withalpha(&dst, &src, -1, -1, 8, 8, 0, 0, 0, 0, false), 0);
  // The left half (x 0..3), inside the viewport.
  expect_each_pixel(&dst, 1, 1, 4, 4,
                    [&](int x, int y, bool in) { return pixel(&dst, x, y) == (in ? 0xFFFF0000 : 0xFF000000); });
}

TEST_F(BlendStretchTest, TheWorldTransformIsRestored) {
  IMAGE src(1, 1), dst(4, 4);
  fill(&src, 0xFF00FF00);
  setviewport(1, 1, 4, 4, 1, &dst);
  state().draw_target = &dst;
  putimage_alphablend(nullptr, &src, 0, 0, 1, 1, 200, 0, 0, 0, 0, true, 0);
  putimage_withalpha(nullptr, &src, 1, 1, 1, 1, 0, 0, 0, 0, false);
  EXPECT_EQ(pixel(&dst, 2, 2), 0xFF00FF00u);  // viewport (1, 1) plus (1, 1)
  setfillcolor(0xFFFF0000, &dst);
  frond_fillrect(2, 0, 1, 1, &dst);  // still moved by the viewport
  EXPECT_EQ(pixel(&dst, 3, 1), 0xFFFF0000u);
}

}  // namespace
