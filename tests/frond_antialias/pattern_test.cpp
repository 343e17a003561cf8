// Fill patterns: what ends a pattern, patterns that cannot be made, and
// textures that copy their source's pixels. Gradient pixels are pinned by
// the platform brush tests and the golden hashes.
// Depends on: the graphics fixture.

#include "support/graphics_fixture.h"
#include "graphics/frond.h"

using namespace frond;
using namespace frond_test;

namespace {

class PatternTest : public GraphicsTest {};

TEST_F(PatternTest, PathGradientWithoutSurroundColoursIsStillInstalled) {
  IMAGE image(100, 100);
  setfillcolor(0xFF00FF00, &image);
  const frond_point triangle[3] = {{10, 10}, {90, 10}, {50, 90}};
  frond_setpattern_pathgradient({50, 40}, 0xFF0000FF, 3, triangle, 0, nullptr, &image);
  EXPECT_EQ(image.brush_holder.last_status, Gdiplus::InvalidParameter);
  frond_fillrect(0, 0, 100, 100, &image);
  EXPECT_EQ(pixel(&image, 5, 50), 0xFF000000u);  // outside: the gradient, not the green fill
  EXPECT_GE(pixel(&image, 50, 40) & 0xFF, 245u);
}

TEST_F(PatternTest, TextureTilesACopyOfTheSourceFromTheWorldOrigin) {
  IMAGE source(4, 4);
  paint_coordinates(&source);
  frond_setalpha(255, &source);
  frond_gentexture(true, &source);
  IMAGE image(16, 16);
  frond_setpattern_texture(&source, 0, 0, 4, 4, &image);
  frond_fillrect(0, 0, 16, 16, &image);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(pixel(&image, x, y), pixel(&source, x % 4, y % 4)) << x << "," << y;
  // A part of the source starts the tiles at that part.
  IMAGE part(6, 6);
  frond_setpattern_texture(&source, 1, 2, 3, 2, &part);
  frond_fillrect(0, 0, 6, 6, &part);
  EXPECT_EQ(pixel(&part, 0, 0), pixel(&source, 1, 2));
  EXPECT_EQ(pixel(&part, 4, 3), pixel(&source, 2, 3));

  // The brush owns its pixels: the source may change, shrink or go.
  frond_gentexture(false, &source);
  resize(&source, 1, 1);
  IMAGE again(8, 8);
  frond_setpattern_texture(&source, 0, 0, 1, 1, &again);  // no texture: nothing installed
  frond_fillrect(0, 0, 8, 8, &again);
  for (argb_color p : pixels_of(&again)) ASSERT_EQ(p, 0xFF000000u);  // a new image's fill colour is transparent
  frond_fillrect(0, 0, 16, 16, &image);
  EXPECT_EQ(pixel(&image, 5, 6), 0xFF000000u | (2 << 12) | 1);
}

TEST_F(PatternTest, TextureSourceMustBeARealImage) {
  IMAGE page(4, 4);
  frond_gentexture(true, &page);
  state().pages[1] = &page;
  settarget(&page);
  IMAGE image(8, 8);
  setfillcolor(0xFFFFFFFF, &image);
  frond_setpattern_texture(nullptr, 0, 0, 4, 4, &image);
  frond_setpattern_texture(reinterpret_cast<IMAGE*>(1), 0, 0, 4, 4, &image);
  frond_fillrect(0, 0, 8, 8, &image);
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0xFFFFFFFFu);
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
