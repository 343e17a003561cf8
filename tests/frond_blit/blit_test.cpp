// Block copies: getimage and every putimage form, plain and stretched, with
// raster operations, viewports, selectors and change counting.

#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;
using frond_test::pixel;
using frond_test::pixels_of;

namespace {

IMAGE* selector(uintptr_t value) { return reinterpret_cast<IMAGE*>(value); }

void fill(IMAGE* img, argb_color color) { std::fill(img->pixels, img->pixels + img->width * img->height, color); }

class BlitTest : public GraphicsTest {};

TEST_F(BlitTest, GetimageTakesRectangleAndSize) {
  IMAGE source(8, 6), copy(1, 1);
  frond_test::paint_coordinates(&source);
  EXPECT_EQ(copy.getimage(&source, 2, 1, 3, 4), 0);
  ASSERT_EQ(copy.width, 3);
  ASSERT_EQ(copy.height, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(pixel(&copy, x, y), pixel(&source, x + 2, y + 1));

  EXPECT_EQ(copy.getimage(&source, 10, 10, 0, 0), 0);
  EXPECT_EQ(copy.width, 0);
  EXPECT_EQ(copy.height, 0);
  EXPECT_EQ(copy.pixels[0], 0u);
}

TEST_F(BlitTest, GetimageOfItselfCopiesThroughASnapshot) {
  IMAGE image(8, 8);
  frond_test::paint_coordinates(&image);
  IMAGE reference(image);
  getimage(&image, &image, 4, 2, 4, 5);
  ASSERT_EQ(image.width, 4);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(pixel(&image, x, y), pixel(&reference, x + 4, y + 2));
}

TEST_F(BlitTest, GetimageFromTheTargetAndFromNothing) {
  IMAGE target(5, 5), copy(2, 2);
  frond_test::paint_coordinates(&target);
  state().draw_target = &target;
  const int before = counter();
  getimage(&copy, 1, 1, 2, 2);
  EXPECT_EQ(pixel(&copy, 1, 1), pixel(&target, 2, 2));
  EXPECT_EQ(counter(), before);  // sources never count

  state().draw_target = nullptr;
  IMAGE kept(3, 3);
  fill(&kept, 0xFF445566);
  kept.getimage(1, 1, 2, 2);
  kept.getimage(selector(9), 0, 0, 1, 1);
  EXPECT_EQ(kept.width, 3);
  EXPECT_EQ(pixel(&kept, 2, 2), 0xFF445566u);
}

TEST_F(BlitTest, PutimageCountsOnlyWhenTheDestinationIsTheTarget) {
  IMAGE src(2, 2), dst(4, 4);
  fill(&src, 0xFFABCDEF);
  state().draw_target = &dst;
  const int before = counter();
  putimage(&dst, 0, 0, &src);
  EXPECT_EQ(counter(), before);
  putimage(nullptr, 0, 0, &src);
  EXPECT_EQ(counter(), before - 1);
  putimage(1, 1, &src);
  EXPECT_EQ(counter(), before - 2);
  src.putimage(2, 2);
  EXPECT_EQ(counter(), before - 3);
  src.putimage(&dst, 0, 0, 4, 4, 0, 0, 2, 2);  // stretched onto a pointer
  EXPECT_EQ(counter(), before - 3);
  putimage(0, 0, 4, 4, &src, 0, 0, 2, 2);
  EXPECT_EQ(counter(), before - 4);
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFFABCDEFu);

  // The forms onto the target count even when there is none, and draw nothing.
  state().draw_target = nullptr;
  putimage(0, 0, 4, 4, &src, 0, 0, 2, 2);
  putimage(0, 0, &src);
  EXPECT_EQ(counter(), before - 6);
}

TEST_F(BlitTest, PlainFormsCopyTheirRectangles) {
  IMAGE src(6, 6), dst(6, 6);
  frond_test::paint_coordinates(&src);
  fill(&dst, 0xFF000000);
  putimage(&dst, 1, 2, 3, 2, &src, 4, 0);  // the third column would come from outside the source
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 1 && x < 3 && y >= 2 && y < 4;
      EXPECT_EQ(pixel(&dst, x, y), inside ? pixel(&src, x + 3, y - 2) : 0xFF000000u) << x << "," << y;
    }

  IMAGE dst2(6, 6);
  src.putimage(&dst2, 0, 0, 2, 2, 1, 1);
  EXPECT_EQ(pixel(&dst2, 0, 0), pixel(&src, 1, 1));
  state().draw_target = &dst2;
  src.putimage(3, 3, 1, 1, 5, 5);
  EXPECT_EQ(pixel(&dst2, 3, 3), pixel(&src, 5, 5));
  putimage(4, 0, 2, 1, &src, 0, 5);
  EXPECT_EQ(pixel(&dst2, 5, 0), pixel(&src, 1, 5));
}

TEST_F(BlitTest, WholeCopiesKeepAlphaAndIgnoreSourceViewport) {
  IMAGE src(3, 2), dst(5, 5);
  frond_test::paint_coordinates(&src);
  src.pixels[0] = 0x00000001;
  setviewport(1, 1, 3, 2, 1, &src);
  putimage(&dst, 2, 3, &src);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(pixel(&dst, x + 2, y + 3), pixel(&src, x, y));
}

TEST_F(BlitTest, DestinationViewportMovesAndClips) {
  IMAGE src(200, 200), dst(300, 200);
  fill(&src, 0xFFFF0000);
  fill(&dst, 0xFF000000);
  setviewport(100, 50, 150, 80, 1, &dst);
  putimage(&dst, 0, 0, &src);
  for (int y = 0; y < dst.height; ++y)
    for (int x = 0; x < dst.width; ++x) {
      const bool inside = x >= 100 && x < 150 && y >= 50 && y < 80;
      ASSERT_EQ(pixel(&dst, x, y), inside ? 0xFFFF0000u : 0xFF000000u) << x << "," << y;
    }

  // Without clipping the copy still starts at the origin but reaches the image's edge.
  fill(&dst, 0xFF000000);
  setviewport(100, 50, 150, 80, 0, &dst);
  putimage(&dst, 0, 0, &src);
  EXPECT_EQ(pixel(&dst, 299, 199), 0xFFFF0000u);
  EXPECT_EQ(pixel(&dst, 99, 49), 0xFF000000u);
}

TEST_F(BlitTest, RasterOperations) {
  IMAGE src(1, 1), dst(1, 1);
  src.pixels[0] = 0xFF123456;
  putimage(&dst, 0, 0, &src, NOTSRCCOPY);
  EXPECT_EQ(dst.pixels[0], 0x00EDCBA9u);

  src.pixels[0] = 0xFFFFFFFF;
  setfillcolor(0xFF5BFE4B, &dst);
  putimage(&dst, 0, 0, &src, MERGECOPY);
  EXPECT_EQ(dst.pixels[0], 0x005BFE4Bu);
  setfillcolor(0xFF000000, &dst);
  src.pixels[0] = 0xFF808080;
  putimage(&dst, 0, 0, &src, MERGECOPY);
  EXPECT_EQ(dst.pixels[0] & 0x00FFFFFF, 0u);

  dst.pixels[0] = 0xF0F0F0F0;
  src.pixels[0] = 0x0FF00FF0;
  putimage(&dst, 0, 0, &src, SRCINVERT);
  EXPECT_EQ(dst.pixels[0], 0xFF00FF00u);
  putimage(&dst, 0, 0, &src, SRCAND);
  EXPECT_EQ(dst.pixels[0], 0x0F000F00u);
  putimage(&dst, 0, 0, &src, SRCPAINT);
  EXPECT_EQ(dst.pixels[0], 0x0FF00FF0u);
}

TEST_F(BlitTest, StretchRepeatsAndDropsPixels) {
  IMAGE small(2, 2), big(4, 4);
  small.pixels[0] = 0xFF000001;
  small.pixels[1] = 0xFF000002;
  small.pixels[2] = 0xFF000003;
  small.pixels[3] = 0xFF000004;
  putimage(&big, 0, 0, 4, 4, &small, 0, 0, 2, 2);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(pixel(&big, x, y), pixel(&small, x / 2, y / 2)) << x << "," << y;

  IMAGE source(4, 4), shrunk(2, 2);
  frond_test::paint_coordinates(&source);
  putimage(&shrunk, 0, 0, 2, 2, &source, 0, 0, 4, 4);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) {
      const argb_color p = pixel(&shrunk, x, y);
      const int sx = int(p & 0xFFF), sy = int((p >> 12) & 0xFFF);
      EXPECT_EQ(sx / 2, x);
      EXPECT_EQ(sy / 2, y);
    }
  EXPECT_EQ(GetStretchBltMode(shrunk.dc), COLORONCOLOR);
}

TEST_F(BlitTest, StretchOntoNoImageDoesNothing) {
  IMAGE src(2, 2);
  putimage(selector(7), 0, 0, 4, 4, &src, 0, 0, 2, 2);
  src.putimage(selector(3), 0, 0, 4, 4, 0, 0, 2, 2);
  putimage(selector(2), 0, 0, &src);
  SUCCEED();
}

TEST_F(BlitTest, CopiesFromNoImageChangeNothing) {
  IMAGE dst(2, 2);
  fill(&dst, 0xFF010101);
  state().draw_target = &dst;
  putimage(&dst, 0, 0, selector(11));
  putimage(&dst, 0, 0, 1, 1, selector(4), 0, 0);
  putimage(&dst, 0, 0, 2, 2, selector(1), 0, 0, 1, 1);
  putimage(0, 0, nullptr);  // the target onto itself, whole
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF010101u);
}

TEST_F(BlitTest, PagesAsSourceAndDestination) {
  IMAGE page0(3, 3), page1(3, 3);
  state().pages[0] = &page0;
  state().pages[1] = &page1;
  frond_test::paint_coordinates(&page0);
  putimage(selector(1), 0, 0, selector(16));
  EXPECT_EQ(pixels_of(&page1), pixels_of(&page0));
}

using BlitDeathTest = BlitTest;

TEST_F(BlitDeathTest, NullGetimageDestinationIsFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  IMAGE src(2, 2);
  EXPECT_EXIT(getimage(nullptr, &src, 0, 0, 1, 1), ::testing::ExitedWithCode(245),
              "FROND INTERNAL ERROR: Fatal Error: pass NULL to `frond::getimage`");
  EXPECT_EXIT(getimage(nullptr, 0, 0, 1, 1), ::testing::ExitedWithCode(245), "pass NULL to `frond::getimage`");
}

}  // namespace
