// Block copies as Frond maps them: getimage's rectangle and snapshots, the
// argument order of the putimage forms, whole copies ignoring the source
// viewport, the stretch mode, selectors naming pages or nothing. Depends on:
// the graphics fixture. Raster operations and stretching are pinned by the
// platform tests, counting by frond_counting, the viewport as the DC's origin
// and clip by the seeded blend test (its blends through the DC).

#include "support/graphics_fixture.h"

using namespace frond;
using namespace frond_test;

namespace {

class BlitTest : public GraphicsTest {};

TEST_F(BlitTest, GetimageTakesRectangleAndSizeFromASnapshotOfTheSource) {
  IMAGE source(8, 6), copy(1, 1);
  paint_coordinates(&source);
  EXPECT_EQ(copy.getimage(&source, 2, 1, 3, 4), 0);
  ASSERT_EQ(copy.width, 3);
  ASSERT_EQ(copy.height, 4);
  EXPECT_EQ(pixel(&copy, 2, 3), pixel(&source, 4, 4));  // every pixel: the copy of an image onto itself below

  EXPECT_EQ(copy.getimage(&source, 10, 10, 0, 0), 0);
  EXPECT_EQ(copy.width, 0);
  EXPECT_EQ(copy.height, 0);
  EXPECT_EQ(copy.pixels[0], 0u);

  // An image onto itself: copied through a snapshot.
  IMAGE image(8, 8);
  paint_coordinates(&image);
  IMAGE reference(image);
  getimage(&image, &image, 4, 2, 4, 5);
  ASSERT_EQ(image.width, 4);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(pixel(&image, x, y), pixel(&reference, x + 4, y + 2));
}

TEST_F(BlitTest, GetimageFromTheTargetAndFromNothing) {
  IMAGE target(5, 5), copy(2, 2);
  paint_coordinates(&target);
  state().draw_target = &target;
  getimage(&copy, 1, 1, 2, 2);
  EXPECT_EQ(pixel(&copy, 1, 1), pixel(&target, 2, 2));

  state().draw_target = nullptr;
  IMAGE kept(3, 3);
  fill(&kept, 0xFF445566);
  kept.getimage(1, 1, 2, 2);
  kept.getimage(selector(9), 0, 0, 1, 1);
  EXPECT_EQ(kept.width, 3);
  EXPECT_EQ(pixel(&kept, 2, 2), 0xFF445566u);
}

TEST_F(BlitTest, PlainFormsCopyTheirRectangles) {
  IMAGE src(6, 6), dst(6, 6);
  paint_coordinates(&src);
  fill(&dst, 0xFF000000);
  putimage(&dst, 1, 2, 2, 1, &src, 4, 0);  // two columns, one row
  EXPECT_EQ(pixel(&dst, 2, 2), pixel(&src, 5, 0));
  EXPECT_EQ(pixel(&dst, 1, 3), 0xFF000000u);

  IMAGE dst2(6, 6);
  src.putimage(&dst2, 0, 0, 2, 2, 1, 1);
  EXPECT_EQ(pixel(&dst2, 0, 0), pixel(&src, 1, 1));
  state().draw_target = &dst2;
  src.putimage(3, 3, 1, 1, 5, 5);
  EXPECT_EQ(pixel(&dst2, 3, 3), pixel(&src, 5, 5));
  putimage(4, 0, 2, 1, &src, 0, 5);
  EXPECT_EQ(pixel(&dst2, 5, 0), pixel(&src, 1, 5));
  putimage(&dst2, 0, 0, 2, 3, &src, 0, 0, 4, 6);  // stretched: whole pixels kept or dropped
  EXPECT_EQ(GetStretchBltMode(dst2.dc), COLORONCOLOR);
  EXPECT_EQ(pixel(&dst2, 1, 2), pixel(&src, 3, 5));  // centre sampling: source widths, not heights
  IMAGE one(1, 1), two(1, 1);  // the raster operation reaches the copy
  fill(&one, 0x0FF00FF0);
  fill(&two, 0xF0F0F0F0);
  putimage(&two, 0, 0, &one, SRCINVERT);
  EXPECT_EQ(pixel(&two, 0, 0), 0xFF00FF00u);
}

TEST_F(BlitTest, WholeCopiesKeepAlphaAndIgnoreSourceViewport) {
  IMAGE src(3, 2), dst(5, 5);
  paint_coordinates(&src);
  src.pixels[0] = 0x00000001;
  setviewport(1, 1, 3, 2, 1, &src);
  putimage(&dst, 2, 3, &src);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(pixel(&dst, x + 2, y + 3), pixel(&src, x, y));
}

TEST_F(BlitTest, SelectorsNameThePagesOrNothing) {
  IMAGE dst(2, 2);
  fill(&dst, 0xFF010101);
  state().draw_target = &dst;
  putimage(&dst, 0, 0, selector(11));
  putimage(&dst, 0, 0, 1, 1, selector(4), 0, 0);
  putimage(&dst, 0, 0, 2, 2, selector(1), 0, 0, 1, 1);
  putimage(0, 0, nullptr);  // the target onto itself, whole
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF010101u);  // destinations of nothing: frond_counting

  IMAGE page0(3, 3), page1(3, 3);  // pages as source and destination
  state().pages[0] = &page0;
  state().pages[1] = &page1;
  paint_coordinates(&page0);
  putimage(selector(1), 0, 0, selector(16));
  EXPECT_EQ(pixels_of(&page1), pixels_of(&page0));
}

}  // namespace
