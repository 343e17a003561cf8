// The unstretched blends with exact values: colour key, constant alpha
// (straight and premultiplied), key with alpha, per-pixel alpha and filter
// weighting; clipping at the viewport and the image; change counting; and
// arguments that must draw nothing.

#include <algorithm>
#include <climits>

#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;
using frond_test::pixel;
using frond_test::pixels_of;

namespace {

IMAGE* selector(uintptr_t value) { return reinterpret_cast<IMAGE*>(value); }

void fill(IMAGE* img, argb_color color) { std::fill(img->pixels, img->pixels + img->width * img->height, color); }

class BlendTest : public GraphicsTest {};

TEST_F(BlendTest, AlphablendWeighsTheSourceAlphaByTheConstant) {
  IMAGE src(3, 3), dst(3, 3);
  fill(&src, 0xFFFFFFFF);
  fill(&dst, 0xFF000000);
  EXPECT_EQ(putimage_alphablend(&dst, &src, 0, 0, 128, 0), 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF808080u);

  fill(&src, 0xFF0000FF);
  fill(&dst, 0x00000000);
  putimage_alphablend(&dst, &src, 0, 0, 100, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0x64000064u);  // alpha = the weight

  fill(&dst, 0xFF102030);
  putimage_alphablend(&dst, &src, 0, 0, 0, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF102030u);
  fill(&src, 0x00FFFFFF);
  putimage_alphablend(&dst, &src, 0, 0, 255, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF102030u);
  fill(&src, 0xFFABCDEF);
  fill(&dst, 0x20102030);
  src.putimage_alphablend(&dst, 0, 0, 255, 0, 0, 0, 0, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFFABCDEFu);
}

TEST_F(BlendTest, AlphablendOfAPremultipliedSourceGoesThroughAlphaBlend) {
  IMAGE src(4, 4), dst(6, 6);
  fill(&src, 0x80404040);
  fill(&dst, 0xFF204060);
  setviewport(1, 1, 6, 6, 1, &dst);
  setviewport(2, 2, 4, 4, 1, &src);  // a source viewport does not move the pixels
  putimage_alphablend(&dst, &src, 1, 1, 255, 1, 1, 2, 2, 1);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 2 && x < 4 && y >= 2 && y < 4;
      EXPECT_EQ(pixel(&dst, x, y), inside ? 0xFF506070u : 0xFF204060u) << x << "," << y;
    }
}

TEST_F(BlendTest, TransparentSkipsTheKeyColourWhateverItsAlpha) {
  IMAGE glyph(3, 1), dst(3, 1);
  glyph.pixels[0] = 0x00000000;
  glyph.pixels[1] = 0xFF000000;
  glyph.pixels[2] = 0x12FFFFFF;
  fill(&dst, 0x80112233);
  EXPECT_EQ(putimage_transparent(&dst, &glyph, 0, 0, 0xFF000000, 0, 0, 0, 0), 0);
  EXPECT_EQ(pixel(&dst, 0, 0), 0x80112233u);
  EXPECT_EQ(pixel(&dst, 1, 0), 0x80112233u);
  EXPECT_EQ(pixel(&dst, 2, 0), 0x80FFFFFFu);  // colour under the destination's alpha
}

TEST_F(BlendTest, RectanglesStopAtTheSourceEdgeAndTheViewport) {
  IMAGE src(4, 4), dst(10, 10);
  fill(&src, 0xFF0000FF);
  fill(&dst, 0xFF000000);
  setviewport(2, 2, 6, 6, 0, &dst);  // the viewport clips blends even with clipping off
  putimage_transparent(&dst, &src, 1, 1, 0, 2, 2, 100, 100);
  int written = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      if (pixel(&dst, x, y) != 0xFF000000u) {
        ++written;
        EXPECT_TRUE(x >= 3 && x < 5 && y >= 3 && y < 5) << x << "," << y;
      }
  EXPECT_EQ(written, 4);
  fill(&dst, 0xFF000000);
  putimage_transparent(&dst, &src, 2, 2, 0, 0, 0, 0, 0);
  EXPECT_EQ(pixel(&dst, 5, 5), 0xFF0000FFu);
  EXPECT_EQ(pixel(&dst, 4, 4), 0xFF0000FFu);
  EXPECT_EQ(pixel(&dst, 6, 6), 0xFF000000u);
}

TEST_F(BlendTest, AlphatransparentBlendsColourOnlyAndKeepsDestinationAlpha) {
  IMAGE src(2, 1), dst(2, 1);
  src.pixels[0] = 0x00FFFFFF;
  src.pixels[1] = 0xFF000000;  // the key colour
  fill(&dst, 0x40000000);
  putimage_alphatransparent(&dst, &src, 0, 0, 0x00000000, 128, 0, 0, 0, 0);
  EXPECT_EQ(pixel(&dst, 0, 0), 0x40808080u);
  EXPECT_EQ(pixel(&dst, 1, 0), 0x40000000u);
  fill(&dst, 0x40102030);
  src.putimage_alphatransparent(&dst, 0, 0, 0x00123456, 0, 0, 0, 0, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0x40102030u);
}

TEST_F(BlendTest, WithalphaUsesEachSourcePixelsAlpha) {
  IMAGE src(3, 1), dst(3, 1);
  src.pixels[0] = 0x80FF0000;
  src.pixels[1] = 0xFF123456;
  src.pixels[2] = 0x00FFFFFF;
  fill(&dst, 0xFF0000FF);
  dst.pixels[1] = 0x33000000;
  EXPECT_EQ(putimage_withalpha(&dst, &src, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(pixel(&dst, 0, 0), 0xFF80007Fu);
  EXPECT_EQ(pixel(&dst, 1, 0), 0x33123456u);
  EXPECT_EQ(pixel(&dst, 2, 0), 0xFF0000FFu);
}

TEST_F(BlendTest, AlphafilterWeighsByTheFiltersLowByte) {
  IMAGE src(3, 1), dst(3, 1), filter(3, 1);
  fill(&src, 0xFFABCDEF);
  fill(&dst, 0x10000000);
  filter.pixels[0] = 0x00000000;
  filter.pixels[1] = 0x000000FF;
  filter.pixels[2] = 0xFFFFFF80;  // weight div255round(128 * 255) = 128
  EXPECT_EQ(putimage_alphafilter(&dst, &src, 0, 0, &filter, 0, 0, 0, 0), 0);
  EXPECT_EQ(pixel(&dst, 0, 0), 0x10000000u);
  EXPECT_EQ(pixel(&dst, 1, 0), 0xFFABCDEFu);
  EXPECT_EQ(pixel(&dst, 2, 0), 0x88566778u);
}

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

TEST_F(BlendTest, SourceRectanglesOutsideTheSourceDrawNothing) {
  IMAGE src(4, 4), dst(8, 8);
  fill(&src, 0xFFFFFFFF);
  fill(&dst, 0xFF000000);
  putimage_transparent(&dst, &src, 0, 0, 0, -10, 0, 5, 0);   // columns -10..-6
  putimage_transparent(&dst, &src, 0, 0, 0, 0, -10, 0, 10);  // rows -10..-1
  putimage_transparent(&dst, &src, 0, 0, 0, 4, 0, 0, 0);     // starts at the right edge
  putimage_transparent(&dst, &src, 0, 0, 0, 0, 4, 0, 0);
  putimage_transparent(&dst, &src, 0, 0, 0, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  putimage_transparent(&dst, &src, INT_MAX, INT_MAX, 0, 0, 0, 0, 0);
  putimage_transparent(&dst, &src, INT_MIN, INT_MIN, 0, INT_MIN, 0, 0, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF000000u);
  putimage_transparent(&dst, &src, INT_MIN + 2, 0, 0, INT_MIN, 0, 0, 0);  // columns 0..3 land at 2..5
  EXPECT_EQ(pixel(&dst, 2, 0), 0xFFFFFFFFu);
  EXPECT_EQ(pixel(&dst, 5, 3), 0xFFFFFFFFu);
  EXPECT_EQ(pixel(&dst, 6, 0), 0xFF000000u);
}

TEST_F(BlendTest, EmptyOrForeignViewportsNeverReachOutsideTheImage) {
  IMAGE src(4, 4), dst(6, 6);
  fill(&src, 0xFFFFFFFF);
  fill(&dst, 0xFF000000);
  dst.viewport = {4, 4, 2, 2, 1};  // inverted
  putimage_withalpha(&dst, &src, 0, 0, 0, 0, 0, 0);
  putimage_withalpha(&dst, &src, -2, -2, 0, 0, 0, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF000000u);
  dst.viewport = {4, 4, 100, 100, 1};  // larger than the image
  putimage_withalpha(&dst, &src, 0, 0, 0, 0, 0, 0);
  dst.viewport = {-3, -3, 2, 2, 1};
  putimage_withalpha(&dst, &src, 1, 1, 0, 0, 0, 0);  // lands at (-2, -2): only (0..1, 0..1) exist
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool drawn = (x >= 4 && y >= 4) || (x < 2 && y < 2);
      EXPECT_EQ(pixel(&dst, x, y), drawn ? 0xFFFFFFFFu : 0xFF000000u) << x << "," << y;
    }
}

TEST_F(BlendTest, SelectorsCountOnceAndMissingImagesDrawNothing) {
  IMAGE src(2, 2), dst(2, 2);
  fill(&src, 0xFFFFFFFF);
  fill(&dst, 0xFF000000);
  state().draw_target = &dst;
  int before = counter();
  putimage_alphablend(nullptr, &src, 0, 0, 0, 0);  // alpha 0: nothing, still counted
  putimage_transparent(nullptr, &src, 50, 50, 0, 0, 0, 0, 0);
  putimage_withalpha(nullptr, selector(9), 0, 0, 0, 0, 0, 0);  // no source
  EXPECT_EQ(counter(), before - 3);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF000000u);
  before = counter();
  putimage_alphafilter(&dst, &src, 0, 0, &src, 0, 0, 0, 0);
  putimage_alphablend(selector(5), &src, 0, 0, 255, 0);  // no page 5
  EXPECT_EQ(counter(), before);
  EXPECT_EQ(src.putimage_withalpha(selector(2), 0, 0, 0, 0, 0, 0), 0);

  state().pages[1] = &src;  // a page as the source, by selector
  fill(&dst, 0xFF000000);
  putimage_alphatransparent(&dst, selector(1), 0, 0, 0x00, 255, 0, 0, 0, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFFFFFFFFu);
}

TEST_F(BlendTest, OverlappingBlendOntoItselfFollowsPixelOrder) {
  IMAGE img(9, 1);
  for (int x = 0; x < 9; ++x) img.pixels[x] = 0xFF000000u | (x * 20);
  // Each pixel takes the already rewritten pixel to its left: the first
  // value runs along the row.
  putimage_transparent(&img, &img, 1, 0, 0x00FFFFFF, 0, 0, 8, 1);
  for (int x = 0; x < 9; ++x) EXPECT_EQ(pixel(&img, x, 0), 0xFF000000u);
}

TEST_F(BlendTest, ACorruptedSourceNamesTheOperation) {
  IMAGE src(2, 2), dst(2, 2);
  src.magic = 0;
  EXPECT_EXIT(src.putimage_transparent(&dst, 0, 0, 0, 0, 0, 0, 0), ::testing::ExitedWithCode(245),
              "At function 'IMAGE::putimage_transparent'");
  EXPECT_EXIT(putimage_alphafilter(&dst, &src, 0, 0, &dst, 0, 0, 0, 0), ::testing::ExitedWithCode(245),
              "At function 'IMAGE::putimage_alphafilter'");
  EXPECT_EXIT(src.imagefilter_blurring_8(10, 256, 0, 0, 2, 2), ::testing::ExitedWithCode(245),
              "At function 'IMAGE::imagefilter_blurring_8'");
  src.magic = IMAGE_MAGIC;
}

}  // namespace
