// The world transform: its starting value and the viewport's translation,
// composition order, reading, replacing and mapping points, its effect on
// drawing, and counting on selector 0.

#include <cmath>
#include <vector>

#include "graphics/frond.h"
#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;
using frond_test::pixel;
using frond_test::pixels_of;

namespace {

class TransformTest : public GraphicsTest {};

frond_transform_matrix transform_of(IMAGE* img) {
  frond_transform_matrix m{-7, -7, -7, -7, -7, -7};
  frond_get_transform(&m, img);
  return m;
}

void expect_matrix(const frond_transform_matrix& m, float m11, float m12, float m21, float m22, float dx, float dy) {
  EXPECT_NEAR(m.m11, m11, 1e-5f);
  EXPECT_NEAR(m.m12, m12, 1e-5f);
  EXPECT_NEAR(m.m21, m21, 1e-5f);
  EXPECT_NEAR(m.m22, m22, 1e-5f);
  EXPECT_NEAR(m.dx, dx, 1e-4f);
  EXPECT_NEAR(m.dy, dy, 1e-4f);
}

// The bounding box [x0, x1) x [y0, y1) of the pixels that are not black.
struct box {
  int x0, y0, x1, y1;
};
box drawn_box(IMAGE* img) {
  box b{img->width, img->height, 0, 0};
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x)
      if (pixel(img, x, y) != 0xFF000000u) {
        b.x0 = std::min(b.x0, x);
        b.y0 = std::min(b.y0, y);
        b.x1 = std::max(b.x1, x + 1);
        b.y1 = std::max(b.y1, y + 1);
      }
  return b;
}

TEST_F(TransformTest, NewImageHasTheIdentity) {
  IMAGE image(40, 30);
  expect_matrix(transform_of(&image), 1, 0, 0, 1, 0, 0);
}

TEST_F(TransformTest, ViewportTranslatesAndResetDropsIt) {
  IMAGE image(160, 120);
  setviewport(20, 10, 100, 100, 1, &image);
  const frond_transform_matrix m = transform_of(&image);
  EXPECT_EQ(m.m11, 1);
  EXPECT_EQ(m.m12, 0);
  EXPECT_EQ(m.m21, 0);
  EXPECT_EQ(m.m22, 1);
  EXPECT_EQ(m.dx, 20);
  EXPECT_EQ(m.dy, 10);
  frond_point p = frond_transform_calc(0, 0, &image);
  EXPECT_EQ(p.x, 20);
  EXPECT_EQ(p.y, 10);

  frond_transform_reset(&image);
  p = frond_transform_calc(frond_point{0, 0}, &image);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  setviewport(20, 10, 100, 100, 1, &image);
  EXPECT_EQ(frond_transform_calc(0, 0, &image).x, 20);

  // A rotation is discarded by the next setviewport, and by a resize.
  frond_rotate(45, &image);
  setviewport(5, 6, 50, 50, 0, &image);
  expect_matrix(transform_of(&image), 1, 0, 0, 1, 5, 6);
  frond_scale(3, 3, &image);
  resize(&image, 80, 80);
  expect_matrix(transform_of(&image), 1, 0, 0, 1, 0, 0);
}

TEST_F(TransformTest, OperationsApplyBeforeTheTransformInPlace) {
  IMAGE image(10, 10);
  frond_translate(100, 50, &image);
  frond_rotate(90, &image);
  frond_point p = frond_transform_calc(10, 0, &image);
  EXPECT_NEAR(p.x, 100, 1e-4f);
  EXPECT_NEAR(p.y, 60, 1e-4f);

  frond_transform_reset(&image);
  frond_rotate(90, &image);
  frond_translate(100, 50, &image);
  p = frond_transform_calc(10, 0, &image);
  EXPECT_NEAR(p.x, -50, 1e-4f);
  EXPECT_NEAR(p.y, 110, 1e-4f);

  // Composed with the viewport's translation, which stays outermost.
  IMAGE wide(100, 100);
  setviewport(20, 10, 60, 60, 1, &wide);
  frond_scale(2, 3, &wide);
  p = frond_transform_calc(1, 1, &wide);
  EXPECT_EQ(p.x, 22);
  EXPECT_EQ(p.y, 13);
}

TEST_F(TransformTest, ScaleStretchesFills) {
  IMAGE image(20, 20);
  setfillcolor(0xFFFFFFFF, &image);
  frond_scale(2, 3, &image);
  frond_fillrect(1, 1, 1, 1, &image);
  const box b = drawn_box(&image);
  EXPECT_EQ(b.x0, 2);
  EXPECT_EQ(b.y0, 3);
  EXPECT_EQ(b.x1, 4);
  EXPECT_EQ(b.y1, 6);
  int count = 0;
  for (argb_color c : pixels_of(&image)) count += c == 0xFFFFFFFFu;
  EXPECT_EQ(count, 6);
}

TEST_F(TransformTest, RotatedFillLandsWhereTheMappingSays) {
  IMAGE image(120, 80);
  setfillcolor(0xFFFFFFFF, &image);
  frond_translate(100, 50, &image);
  frond_rotate(90, &image);
  frond_fillrect(0, 0, 10, 5, &image);  // x along +y, y along -x
  const box b = drawn_box(&image);
  EXPECT_EQ(b.x0, 95);
  EXPECT_EQ(b.x1, 100);
  EXPECT_EQ(b.y0, 50);
  EXPECT_EQ(b.y1, 60);
  int count = 0;
  for (argb_color c : pixels_of(&image)) count += c == 0xFFFFFFFFu;
  EXPECT_EQ(count, 50);
}

TEST_F(TransformTest, SettingTheReadElementsChangesNothing) {
  const auto draw = [](bool rewrite) {
    IMAGE image(80, 80);
    setantialias(true, &image);
    setfillcolor(0xFFFFFFFF, &image);
    setviewport(7, 9, 80, 80, 1, &image);
    frond_rotate(17, &image);
    frond_scale(1.25f, 0.8f, &image);
    if (rewrite) {
      const frond_transform_matrix m = transform_of(&image);
      frond_set_transform(&m, &image);
    }
    frond_fillellipse(5, 5, 40, 30, &image);
    return pixels_of(&image);
  };
  EXPECT_EQ(draw(true), draw(false));
}

TEST_F(TransformTest, SetTransformReplacesAndRefusesSingularMatrices) {
  IMAGE image(10, 10);
  const frond_transform_matrix shear{1, 0.5f, -2, 1, 3, 4};
  frond_set_transform(&shear, &image);
  expect_matrix(transform_of(&image), 1, 0.5f, -2, 1, 3, 4);
  const frond_point p = frond_transform_calc(2, 1, &image);
  EXPECT_EQ(p.x, 3 + (1 * 2.0f + -2 * 1.0f));
  EXPECT_EQ(p.y, (0.5f * 2 + 1 * 1.0f) + 4);

  const frond_transform_matrix singular{1, 2, 2, 4, 0, 0};
  frond_set_transform(&singular, &image);
  EXPECT_EQ(image.graphics_holder.last_status, Gdiplus::InvalidParameter);
  expect_matrix(transform_of(&image), 1, 0.5f, -2, 1, 3, 4);
  frond_set_transform(nullptr, &image);
  expect_matrix(transform_of(&image), 1, 0.5f, -2, 1, 3, 4);
}

TEST_F(TransformTest, EveryCallCountsOnSelectorZeroEvenWithoutATarget) {
  frond_rotate(10);
  frond_translate(1, 2);
  frond_scale(2, 2);
  frond_transform_reset();
  frond_transform_matrix m{9, 9, 9, 9, 9, 9};
  frond_get_transform(&m);
  frond_set_transform(&m);
  const frond_point p = frond_transform_calc(5, 6);
  EXPECT_EQ(counter(), 255 - 7);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  EXPECT_EQ(m.m11, 9);  // nothing written

  IMAGE target(10, 10);
  settarget(&target);
  frond_translate(3, 4);
  EXPECT_EQ(frond_transform_calc(0, 0).x, 3);
  EXPECT_EQ(counter(), 255 - 9);

  // Pages do not count.
  state().pages[2] = &target;
  frond_translate(1, 1, reinterpret_cast<IMAGE*>(2));
  EXPECT_EQ(frond_transform_calc(0, 0, reinterpret_cast<IMAGE*>(18)).x, 4);
  EXPECT_EQ(counter(), 255 - 9);
}

}  // namespace
