// What the seeded random blend test does not reach: a source viewport with a
// premultiplied source (routed through AlphaBlend), a filter one column short,
// filters and sources that name no image, a page named by selector as the source.
// Depends on: the graphics fixture. Blend values are in blend_random_test.

#include "support/graphics_fixture.h"

using namespace frond;
using namespace frond_test;

namespace {

class BlendTest : public GraphicsTest {};

TEST_F(BlendTest, AlphablendOfAPremultipliedSourceGoesThroughAlphaBlend) {
  IMAGE src(4, 4), dst(6, 6);
  fill(&src, 0x80404040);
  fill(&dst, 0xFF204060);
  setviewport(1, 1, 6, 6, 1, &dst);
  setviewport(2, 2, 4, 4, 1, &src);  // a source viewport does not move the pixels
  putimage_alphablend(&dst, &src, 1, 1, 255, 1, 1, 2, 2, 1);
  expect_area(&dst, 2, 2, 4, 4, 0xFF506070, 0xFF204060);
}

// A filter one column short draws nothing (the random test seldom meets that edge).
TEST_F(BlendTest, FilterMustCoverTheSourceArea) {
  IMAGE src(4, 4), dst(4, 4), small(3, 4);
  fill(&src, 0xFFFFFFFF);
  fill(&dst, 0xFF000000);
  fill(&small, 0xFF);
  putimage_alphafilter(&dst, &src, 0, 0, nullptr, 0, 0, 0, 0);
  putimage_alphafilter(&dst, &src, 0, 0, reinterpret_cast<IMAGE*>(1), 0, 0, 0, 0);  // a selector names no filter
  putimage_alphafilter(&dst, &src, 0, 0, &small, 0, 0, 0, 0);
  putimage_alphafilter(&dst, &src, 0, 0, &small, 1, 0, 0, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF000000u);
  putimage_alphafilter(&dst, &src, 0, 0, &small, 0, 0, 3, 0);  // columns 0..2 are covered
  EXPECT_EQ(pixel(&dst, 2, 3), 0xFFFFFFFFu);
  EXPECT_EQ(pixel(&dst, 3, 3), 0xFF000000u);
}

TEST_F(BlendTest, MissingImagesDrawNothingAndPagesServeAsSources) {
  IMAGE src(2, 2), dst(2, 2);
  fill(&src, 0xFFFFFFFF);
  fill(&dst, 0xFF000000);
  state().draw_target = &dst;
  putimage_withalpha(nullptr, selector(9), 0, 0, 0, 0, 0, 0);  // no source
  putimage_alphablend(selector(5), &src, 0, 0, 255, 0);      // no page 5
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF000000u);
  EXPECT_EQ(src.putimage_withalpha(selector(2), 0, 0, 0, 0, 0, 0), 0);

  state().pages[1] = &src;  // a page as the source, by selector
  fill(&dst, 0xFF000000);
  putimage_alphatransparent(&dst, selector(1), 0, 0, 0x00, 255, 0, 0, 0, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFFFFFFFFu);
}

}  // namespace
