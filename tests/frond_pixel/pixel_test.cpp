// Single-pixel reads and writes: viewport-relative and absolute forms,
// point arrays, the blending writers against the formulas on seeded random
// colours, and every bound (viewport, image, null arguments).
// Depends on: the graphics fixture and support/blend_reference.h.

#include <climits>
#include <functional>
#include <iterator>

#include "support/blend_reference.h"
#include "support/graphics_fixture.h"
#include "support/seeded.h"

using namespace frond;
using namespace frond_test;

namespace {

class PixelTest : public GraphicsTest {
 protected:
  // 60x60, every pixel 0xFF000000, viewport (10, 10, 50, 50).
  void SetUp() override {
    GraphicsTest::SetUp();
    setviewport(10, 10, 50, 50, 1, &img);
  }
  IMAGE img{60, 60};
};

TEST_F(PixelTest, RelativeWritesLandInsideTheViewportOnly) {
  putpixel(0, 0, 0x11223344, &img);
  EXPECT_EQ(pixel(&img, 10, 10), 0x11223344u);
  putpixel(-1, 0, 0x55, &img);
  putpixel(40, 0, 0x55, &img);
  putpixel(0, 40, 0x55, &img);
  putpixel(INT_MAX, INT_MAX, 0x55, &img);
  putpixel(INT_MIN, 0, 0x55, &img);
  putpixel_f(5, 5, 0x66, &img);
  EXPECT_EQ(pixel(&img, 5, 5), 0x66u);
  int changed = 0;
  for (argb_color p : pixels_of(&img)) changed += p != 0xFF000000u;
  EXPECT_EQ(changed, 2);
}

TEST_F(PixelTest, ReadsAreBoundedByTheImageNotTheViewport) {
  putpixel_f(5, 5, 0xABCDEF01, &img);
  EXPECT_EQ(getpixel(-5, -5, &img), 0xABCDEF01u);
  EXPECT_EQ(getpixel(-11, 0, &img), 0u);
  EXPECT_EQ(getpixel(49, 49, &img), 0xFF000000u);  // pixel (59, 59), outside the viewport
  EXPECT_EQ(getpixel(50, 0, &img), 0u);
  EXPECT_EQ(getpixel(INT_MAX, 0, &img), 0u);
  EXPECT_EQ(getpixel_f(60, 0, &img), 0u);
  EXPECT_EQ(getpixel_f(-1, 0, &img), 0u);
  EXPECT_EQ(getpixel_f(59, 59, &img), 0xFF000000u);
}

TEST_F(PixelTest, WritesNeverLeaveTheImageWhateverTheViewport) {
  img.viewport = {50, 50, 80, 80, 1};  // reaches past the image
  putpixel(15, 15, 0x77, &img);        // pixel (65, 65)
  putpixel(9, 9, 0x88, &img);
  EXPECT_EQ(pixel(&img, 59, 59), 0x88u);
  img.viewport = {30, 30, 20, 20, 1};  // inverted
  putpixel(0, 0, 0x99, &img);
  const int points[] = {0, 0, 0x99};
  putpixels(1, points, &img);
  EXPECT_EQ(pixel(&img, 30, 30), 0xFF000000u);
}

TEST_F(PixelTest, PointArraysSkipRecordsOutside) {
  const int points[] = {0, 0, 0x01, -1, 3, 0x02, 39, 39, 0x03, 40, 0, 0x04, 2, 3, int(0xFF00FF00)};
  putpixels(0, points, &img);
  putpixels(-3, points, &img);
  putpixels(3, nullptr, &img);
  for (argb_color p : pixels_of(&img)) ASSERT_EQ(p, 0xFF000000u);
  putpixels(5, points, &img);
  EXPECT_EQ(pixel(&img, 10, 10), 0x01u);
  EXPECT_EQ(pixel(&img, 49, 49), 0x03u);
  EXPECT_EQ(pixel(&img, 12, 13), 0xFF00FF00u);
  putpixels_f(5, points, &img);
  EXPECT_EQ(pixel(&img, 0, 0), 0x01u);
  EXPECT_EQ(pixel(&img, 39, 39), 0x03u);
  EXPECT_EQ(pixel(&img, 40, 0), 0x04u);
  EXPECT_EQ(pixel(&img, 2, 3), 0xFF00FF00u);
}

// The blending writers against the per-channel formulas on seeded random
// colours: keep-alpha writes the colour under the old alpha; with-alpha
// rounds per channel (the _f form packed) under the old alpha; alpha-blend
// writes the resulting alpha, the colour's alpha scaled by the given one.
TEST_F(PixelTest, BlendingWritersMatchTheFormulas) {
  using namespace blend_reference;
  std::mt19937 rng(7);
  for (int n = 0; n < 3000; ++n) {
    const argb_color d = seeded::biased_word(rng), s = seeded::biased_word(rng), a = seeded::biased_byte(rng);
    const argb_color sa = s >> 24;
    const struct {
      std::function<void()> write;  // at pixel (20, 20), viewport-relative (10, 10)
      argb_color expected;
    } writers[] = {
        {[&] { putpixel_keepalpha(10, 10, s, &img); }, (d & 0xFF000000) | (s & 0xFFFFFF)},
        {[&] { putpixel_keepalpha_f(20, 20, s, &img); }, (d & 0xFF000000) | (s & 0xFFFFFF)},
        {[&] { putpixel_withalpha(10, 10, s, &img); }, ref_blendrgb(d, s, sa)},
        {[&] { putpixel_withalpha_f(20, 20, s, &img); }, ref_blendpacked(d, s, (sa * 256 + 127) / 255)},
        {[&] { putpixel_alphablend(10, 10, s, &img); }, ref_blendover(d, s, sa)},
        {[&] { putpixel_alphablend_f(20, 20, s, &img); }, ref_blendover(d, s, sa)},
        {[&] { putpixel_alphablend(10, 10, s, uint8_t(a), &img); }, ref_blendover(d, s, round255(sa * a))},
        {[&] { putpixel_alphablend_f(20, 20, s, uint8_t(a), &img); }, ref_blendover(d, s, round255(sa * a))},
    };
    for (size_t w = 0; w < std::size(writers); ++w) {
      putpixel_f(20, 20, d, &img);
      writers[w].write();
      ASSERT_EQ(pixel(&img, 20, 20), writers[w].expected) << "iteration " << n << ", writer " << w << std::hex
                                                          << ": " << d << " under " << s << " alpha " << a;
    }
  }
}

// Writes to no image: frond_counting.
TEST_F(PixelTest, NoImageReadsZero) {
  state().draw_target = nullptr;
  EXPECT_EQ(getpixel(0, 0), 0u);
  EXPECT_EQ(getpixel_f(0, 0, selector(7)), 0u);
}

}  // namespace
