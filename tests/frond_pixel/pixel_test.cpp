// Single-pixel reads and writes: viewport-relative and absolute forms,
// point arrays, the blending writers' exact values and every bound
// (viewport, image, null arguments). Depends on: the graphics fixture.

#include <climits>

#include "support/graphics_fixture.h"

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

TEST_F(PixelTest, KeepAlphaWritesColourUnderTheOldAlpha) {
  putpixel_f(20, 20, 0x80123456, &img);
  putpixel_keepalpha(10, 10, 0x00ABCDEF, &img);
  EXPECT_EQ(pixel(&img, 20, 20), 0x80ABCDEFu);
  putpixel_keepalpha_f(20, 20, 0xFF010203, &img);
  EXPECT_EQ(pixel(&img, 20, 20), 0x80010203u);
}

TEST_F(PixelTest, WithAlphaRoundsPerChannelOrPacked) {
  putpixel_withalpha(0, 0, 0x400A0000, &img);
  EXPECT_EQ(pixel(&img, 10, 10), 0xFF030000u);
  putpixel_withalpha_f(0, 0, 0x400A0000, &img);
  EXPECT_EQ(pixel(&img, 0, 0), 0xFF020000u);
  // Opaque colours are copied exactly under the old alpha by both forms.
  putpixel_f(30, 30, 0x40102030, &img);
  putpixel_f(31, 30, 0x40102030, &img);
  putpixel_withalpha_f(30, 30, 0xFFA0B0C0, &img);
  putpixel_withalpha(21, 20, 0xFFA0B0C0, &img);
  EXPECT_EQ(pixel(&img, 30, 30), 0x40A0B0C0u);
  EXPECT_EQ(pixel(&img, 31, 30), 0x40A0B0C0u);
}

TEST_F(PixelTest, AlphaBlendWritesTheResultingAlpha) {
  putpixel_alphablend(0, 0, 0x00FFFFFF, &img);
  EXPECT_EQ(pixel(&img, 10, 10), 0xFF000000u);
  putpixel_alphablend_f(0, 0, 0xFF123456, &img);
  EXPECT_EQ(pixel(&img, 0, 0), 0xFF123456u);
  putpixel_f(1, 0, 0x00000000, &img);
  putpixel_alphablend_f(1, 0, 0x80FF0000, &img);  // over transparent: alpha = weight
  EXPECT_EQ(pixel(&img, 1, 0), 0x80800000u);
  putpixel_alphablend_f(2, 0, 0xFFFFFFFF, 0, &img);
  EXPECT_EQ(pixel(&img, 2, 0), 0xFF000000u);
  putpixel_alphablend(1, 1, 0xFFFFFFFF, 128, &img);  // weight div255round(255 * 128) = 128
  EXPECT_EQ(pixel(&img, 11, 11), 0xFF808080u);
  putpixel_alphablend_f(3, 0, 0x80FFFFFF, 128, &img);  // weight div255round(128 * 128) = 64
  EXPECT_EQ(pixel(&img, 3, 0), 0xFF404040u);
}

TEST_F(PixelTest, NoImageMeansNothing) {
  state().draw_target = nullptr;
  putpixel(0, 0, 0x12);
  putpixel_withalpha_f(0, 0, 0x12, selector(9));
  EXPECT_EQ(getpixel(0, 0), 0u);
  EXPECT_EQ(getpixel_f(0, 0, selector(7)), 0u);
}

}  // namespace
