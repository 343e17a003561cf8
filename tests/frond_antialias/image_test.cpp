// The alpha channel, textures, fill patterns and drawing one image onto
// another: the alpha byte alone, textures that follow their image's pixels
// and never outlive them, texture brushes made only from a texture, what
// ends a pattern, source arguments that name no image. Depends on: the
// graphics fixture. Counting is in frond_counting; gradient and texture-brush
// pixels are the platform brush tests' and the golden hashes'; the viewport
// moves drawimage as it moves fills, through the same graphics (frond_antialias's fill test).

#include "support/graphics_fixture.h"
#include "graphics/frond.h"

using namespace frond;
using namespace frond_test;

namespace {

class ImageDrawTest : public GraphicsTest {};
using PatternTest = ImageDrawTest;

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

// A texture is made over the image's pixels: it shows later drawing, is made
// once however often asked, goes when asked or when the image is resized, and
// made again covers the new pixels.
TEST_F(ImageDrawTest, TextureFollowsItsImagesPixels) {
  IMAGE* source = newimage(10, 10);
  IMAGE image(20, 20);
  setbkcolor(0xFF0000FF, source);
  frond_puttexture(source, 0, 0, 20, 20, &image);  // no texture yet
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0xFF000000u);

  frond_gentexture(true, source);
  setfillcolor(0xFFFF0000, source);
  frond_fillrect(0, 0, 5, 10, source);  // left half red after the texture was made
  frond_puttexture(source, 0, 0, 20, 20, &image);
  EXPECT_EQ(pixel(&image, 2, 10), 0xFFFF0000u);
  EXPECT_EQ(pixel(&image, 17, 10), 0xFF0000FFu);
  frond_gentexture(true, source);
  frond_puttexture(source, frond_rect{0, 0, 10, 10}, frond_rect{5, 0, 5, 10}, &image);
  EXPECT_EQ(pixel(&image, 2, 2), 0xFF0000FFu);
  frond_gentexture(false, source);
  EXPECT_EQ(source->bitmap_holder.object, nullptr);

  frond_gentexture(true, source);
  resize(source, 64, 64);  // the old pixels are gone, and so is the texture over them
  EXPECT_EQ(source->bitmap_holder.object, nullptr);
  fill(&image, 0xFF000000);
  frond_puttexture(source, 0, 0, 16, 16, &image);
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0xFF000000u);
  frond_drawimage(source, 0, 0, 16, 16, 0, 0, 8, 8, &image);  // the new pixels: the background colour
  EXPECT_EQ(pixel(&image, 15, 15), 0xFF0000FFu);
  frond_gentexture(true, source);
  setfillcolor(0xFF00FF00, source);
  frond_fillrect(0, 0, 64, 64, source);
  frond_puttexture(source, 0, 0, 16, 16, &image);
  EXPECT_EQ(pixel(&image, 15, 15), 0xFF00FF00u);
  delimage(source);
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

// Sources, textures and texture-brush sources named by a selector are no
// image, even when the selector names a page.
TEST_F(ImageDrawTest, SourceThatNamesNoImageDrawsNothing) {
  IMAGE page(4, 4), image(10, 10);
  setbkcolor(0xFFFFFFFF, &page);
  frond_gentexture(true, &page);
  state().pages[0] = &page;
  state().pages[1] = &page;
  settarget(&page);
  setfillcolor(0xFF00FF00, &image);
  frond_setpattern_texture(nullptr, 0, 0, 4, 4, &image);
  frond_setpattern_texture(reinterpret_cast<IMAGE*>(1), 0, 0, 4, 4, &image);
  frond_fillrect(0, 0, 10, 10, &image);
  const std::vector<argb_color> before = pixels_of(&image);
  EXPECT_EQ(before[0], 0xFF00FF00u);
  frond_drawimage(reinterpret_cast<IMAGE*>(1), 0, 0, &image);
  frond_drawimage(reinterpret_cast<IMAGE*>(1), 0, 0, 4, 4, 0, 0, 4, 4, &image);
  frond_puttexture(nullptr, 0, 0, 4, 4, &image);
  frond_puttexture(reinterpret_cast<IMAGE*>(17), frond_rect{0, 0, 4, 4}, &image);
  EXPECT_EQ(changed_count(before, &image), 0);  // on selector 0 they still count: frond_counting
}

TEST_F(PatternTest, PathGradientWithoutSurroundColoursIsStillInstalled) {
  IMAGE image(100, 100);
  setfillcolor(0xFF00FF00, &image);
  const frond_point triangle[3] = {{10, 10}, {90, 10}, {50, 90}};
  frond_setpattern_pathgradient({50, 40}, 0xFF0000FF, 3, triangle, 0, nullptr, &image);
  EXPECT_EQ(image.brush_holder.last_status, Gdiplus::InvalidParameter);
  frond_fillrect(0, 0, 100, 100, &image);
  EXPECT_EQ(pixel(&image, 5, 50), 0xFF000000u);  // outside: the gradient, not the green fill
}

// The brush tiles the given part of the source's texture (tiling and the
// brush's own copy are the platform's); a source without a texture installs nothing.
TEST_F(PatternTest, TextureBrushesTakeTheGivenPartOfTheSourcesTexture) {
  IMAGE source(4, 4);
  paint_coordinates(&source);
  frond_setalpha(255, &source);
  frond_gentexture(true, &source);
  IMAGE image(16, 16), part(6, 6), none(8, 8);
  frond_setpattern_texture(&source, 0, 0, 4, 4, &image);
  frond_fillrect(0, 0, 16, 16, &image);
  EXPECT_EQ(pixel(&image, 5, 6), pixel(&source, 1, 2));
  frond_setpattern_texture(&source, 1, 2, 3, 2, &part);
  frond_fillrect(0, 0, 6, 6, &part);
  EXPECT_EQ(pixel(&part, 0, 0), pixel(&source, 1, 2));
  EXPECT_EQ(pixel(&part, 4, 3), pixel(&source, 2, 3));
  frond_gentexture(false, &source);
  frond_setpattern_texture(&source, 0, 0, 1, 1, &none);
  frond_fillrect(0, 0, 8, 8, &none);
  for (argb_color p : pixels_of(&none)) ASSERT_EQ(p, 0xFF000000u);  // a new image's fill colour is transparent
}

TEST_F(PatternTest, WhatEndsAPatternAndPatternsThatCannotBeMade) {
  IMAGE image(20, 20);
  setfillcolor(0xFF123456, &image);
  frond_setpattern_lineargradient(0, 0, 0xFFFF0000, 20, 0, 0xFF0000FF, &image);
  frond_setpattern_none(&image);
  frond_fillrect(0, 0, 20, 20, &image);
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0xFF123456u);
  frond_setpattern_lineargradient(0, 0, 0xFFFF0000, 20, 0, 0xFF0000FF, &image);
  setfillstyle(3, 0xFF654321, &image);  // GDI+ fills stay solid whatever the hatch
  frond_fillrect(0, 0, 20, 20, &image);
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0xFF654321u);

  frond_setpattern_lineargradient(5, 5, 0xFFFF0000, 5, 5, 0xFF0000FF, &image);  // coincident points
  EXPECT_EQ(image.brush_holder.last_status, Gdiplus::OutOfMemory);
  const std::vector<argb_color> before = pixels_of(&image);
  frond_fillrect(0, 0, 20, 20, &image);
  frond_fillcircle(10, 10, 8, &image);
  EXPECT_EQ(changed_count(before, &image), 0);
  setfillcolor(0xFFFFFFFF, &image);  // ends the pattern
  frond_fillrect(0, 0, 20, 20, &image);
  EXPECT_EQ(changed_count(before, &image), 400);
}

}  // namespace
