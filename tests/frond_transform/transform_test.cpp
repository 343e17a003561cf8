// The world transform as Frond keeps it: the identity of a new image, the
// viewport's translation (outermost, dropped by reset, setviewport and
// resize), the order calls compose in, and calls without an image.
// Depends on: the graphics fixture. Matrix arithmetic is the platform's.

#include "support/graphics_fixture.h"

using namespace frond;
using namespace frond_test;

namespace {

class TransformTest : public GraphicsTest {};

// The six entries (m11, m12, m21, m22, dx, dy); exact where the tests read them.
std::vector<float> transform_of(IMAGE* img) {
  frond_transform_matrix m{-7, -7, -7, -7, -7, -7};
  frond_get_transform(&m, img);
  return {m.m11, m.m12, m.m21, m.m22, m.dx, m.dy};
}

void expect_point(frond_point p, float x, float y) {
  EXPECT_NEAR(p.x, x, 1e-4f);
  EXPECT_NEAR(p.y, y, 1e-4f);
}

TEST_F(TransformTest, ViewportTranslatesAndResetDropsIt) {
  IMAGE image(160, 120);
  setviewport(20, 10, 100, 100, 1, &image);
  EXPECT_EQ(transform_of(&image), (std::vector<float>{1, 0, 0, 1, 20, 10}));
  expect_point(frond_transform_calc(0, 0, &image), 20, 10);

  frond_transform_reset(&image);
  expect_point(frond_transform_calc(frond_point{0, 0}, &image), 0, 0);

  // A rotation is discarded by the next setviewport, and by a resize.
  frond_rotate(45, &image);
  setviewport(5, 6, 50, 50, 0, &image);
  EXPECT_EQ(transform_of(&image), (std::vector<float>{1, 0, 0, 1, 5, 6}));
  frond_scale(3, 3, &image);
  resize(&image, 80, 80);
  EXPECT_EQ(transform_of(&image), (std::vector<float>{1, 0, 0, 1, 0, 0}));
}

// A new image starts from the identity: the results below assume it.
TEST_F(TransformTest, OperationsApplyBeforeTheTransformInPlace) {
  IMAGE image(10, 10);
  frond_translate(100, 50, &image);
  frond_rotate(90, &image);
  expect_point(frond_transform_calc(10, 0, &image), 100, 60);

  frond_transform_reset(&image);
  frond_rotate(90, &image);
  frond_translate(100, 50, &image);
  expect_point(frond_transform_calc(10, 0, &image), -50, 110);

  // Composed with the viewport's translation, which stays outermost.
  IMAGE wide(100, 100);
  setviewport(20, 10, 60, 60, 1, &wide);
  frond_scale(2, 3, &wide);
  expect_point(frond_transform_calc(1, 1, &wide), 22, 13);

  // Setting a matrix replaces the whole transform.
  const frond_transform_matrix shear{1, 0.5f, -2, 1, 3, 4};
  frond_set_transform(&shear, &image);
  expect_point(frond_transform_calc(2, 1, &image), 3, 6);
}

TEST_F(TransformTest, WithoutAnImageNothingIsWritten) {
  frond_transform_matrix m{9, 9, 9, 9, 9, 9};
  frond_get_transform(&m);  // setters without an image: frond_counting
  expect_point(frond_transform_calc(5, 6), 0, 0);
  EXPECT_EQ(m.m11, 9);
}

}  // namespace
