// The alpha channel, textures and drawing one image onto another: the alpha
// byte alone, textures that follow their image's pixels and never outlive
// them, source arguments that name no image, the viewport moving drawimage.
// Depends on: the graphics fixture. Counting is in frond_counting.

#include "support/graphics_fixture.h"
#include "graphics/frond.h"

using namespace frond;
using namespace frond_test;

namespace {

class ImageDrawTest : public GraphicsTest {};

TEST_F(ImageDrawTest, SetalphaReplacesOnlyTheAlphaByte) {
  IMAGE image(7, 5);
  paint_coordinates(&image);
  const std::vector<argb_color> before = pixels_of(&image);
  frond_setalpha(300, &image);
  const std::vector<argb_color> after = pixels_of(&image);
  for (size_t i = 0; i < after.size(); ++i) ASSERT_EQ(after[i], (before[i] & 0x00FFFFFF) | 0x2C000000u);
  frond_setalpha(-1, &image);
  EXPECT_EQ(pixel(&image, 6, 4), (before[34] & 0x00FFFFFF) | 0xFF000000u);

  // An image of 0 x 0 keeps its one DIB pixel as it is.
  IMAGE empty(0, 0);
  frond_setalpha(0x7F, &empty);
  EXPECT_EQ(empty.pixels[0], 0u);
}

TEST_F(ImageDrawTest, TextureShowsLaterDrawingOnItsImage) {
  IMAGE source(10, 10), image(20, 20);
  setbkcolor(0xFF0000FF, &source);
  frond_puttexture(&source, 0, 0, 20, 20, &image);  // no texture yet
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0xFF000000u);

  frond_gentexture(true, &source);
  setfillcolor(0xFFFF0000, &source);
  frond_fillrect(0, 0, 5, 10, &source);  // left half red after the texture was made
  frond_puttexture(&source, 0, 0, 20, 20, &image);
  EXPECT_EQ(pixel(&image, 2, 10), 0xFFFF0000u);
  EXPECT_EQ(pixel(&image, 17, 10), 0xFF0000FFu);

  // Made twice: one texture, still over the current pixels.
  frond_gentexture(true, &source);
  ASSERT_NE(source.bitmap_holder.object, nullptr);
  frond_puttexture(&source, frond_rect{0, 0, 10, 10}, frond_rect{5, 0, 5, 10}, &image);
  EXPECT_EQ(pixel(&image, 2, 2), 0xFF0000FFu);

  frond_gentexture(false, &source);
  EXPECT_EQ(source.bitmap_holder.object, nullptr);
  const std::vector<argb_color> before = pixels_of(&image);
  frond_puttexture(&source, frond_rect{0, 0, 20, 20}, &image);
  EXPECT_EQ(changed_count(before, &image), 0);
}

TEST_F(ImageDrawTest, ResizingTheSourceReleasesItsTexture) {
  IMAGE* source = newimage(8, 8);
  frond_gentexture(true, source);
  setfillcolor(0xFFFFFFFF, source);
  frond_fillrect(0, 0, 8, 8, source);
  IMAGE image(16, 16);
  frond_setpattern_texture(source, 0, 0, 8, 8, &image);

  resize(source, 64, 64);  // the old pixels are gone, and so is the texture over them
  EXPECT_EQ(source->bitmap_holder.object, nullptr);
  const std::vector<argb_color> before = pixels_of(&image);
  frond_puttexture(source, 0, 0, 16, 16, &image);
  frond_drawimage(source, 0, 0, 16, 16, 0, 0, 8, 8, &image);  // the new pixels: 64x64 black
  EXPECT_EQ(changed_count(before, &image), 0);

  // A texture made again covers the new pixels.
  frond_gentexture(true, source);
  setfillcolor(0xFF00FF00, source);
  frond_fillrect(0, 0, 64, 64, source);
  frond_puttexture(source, 0, 0, 16, 16, &image);
  EXPECT_EQ(pixel(&image, 15, 15), 0xFF00FF00u);

  // The pattern brush made before keeps its own copy, even once the source is deleted.
  delimage(source);
  frond_fillrect(0, 0, 16, 16, &image);
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0xFFFFFFFFu);
}

TEST_F(ImageDrawTest, DrawimagePartIsScaledIntoTheDestination) {
  IMAGE source(8, 8), image(20, 20);
  paint_coordinates(&source);
  frond_setalpha(255, &source);
  frond_drawimage(&source, 4, 5, 3, 2, 1, 2, 3, 2, &image);  // same size: an exact copy of the part
  const std::vector<argb_color> empty(400, 0xFF000000);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(pixel(&image, 4 + x, 5 + y), pixel(&source, 1 + x, 2 + y));
  EXPECT_EQ(changed_count(empty, &image), 6);  // scaling is the platform's and the golden script's
}

TEST_F(ImageDrawTest, SourceThatNamesNoImageDrawsNothing) {
  IMAGE page(4, 4), image(10, 10);
  setbkcolor(0xFFFFFFFF, &page);
  state().pages[0] = &page;
  state().pages[1] = &page;
  settarget(&page);
  const std::vector<argb_color> before = pixels_of(&image);
  frond_drawimage(nullptr, 0, 0, &image);
  frond_drawimage(reinterpret_cast<IMAGE*>(1), 0, 0, &image);
  frond_drawimage(reinterpret_cast<IMAGE*>(1), 0, 0, 4, 4, 0, 0, 4, 4, &image);
  frond_puttexture(nullptr, 0, 0, 4, 4, &image);
  frond_puttexture(reinterpret_cast<IMAGE*>(17), frond_rect{0, 0, 4, 4}, &image);
  EXPECT_EQ(changed_count(before, &image), 0);

  // On selector 0 the call still counts once.
  frond_drawimage(nullptr, 0, 0);
  frond_drawimage(nullptr, 0, 0, 1, 1, 0, 0, 1, 1);
  EXPECT_EQ(counter(), 253);
}

TEST_F(ImageDrawTest, WorldTransformMovesImageDrawing) {
  IMAGE source(2, 2), image(20, 20);
  setbkcolor(0xFFFFFFFF, &source);
  setviewport(5, 6, 20, 20, 1, &image);
  const std::vector<argb_color> before = pixels_of(&image);
  frond_drawimage(&source, 1, 1, &image);
  expect_changed_exactly(before, &image, 6, 7, 8, 9);
}

}  // namespace
