// Stretched blends: nearest-neighbour scaling of constant-alpha and
// per-pixel-alpha blends through GDI+, premultiplied sources through
// AlphaBlend, the source-size rules, the viewport clip and what the call
// leaves on the destination's graphics.

#include <algorithm>
#include <cstdlib>

#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;
using frond_test::pixel;
using frond_test::pixels_of;

namespace {

void fill(IMAGE* img, argb_color color) { std::fill(img->pixels, img->pixels + img->width * img->height, color); }

// Every channel within one step of the expected value.
::testing::AssertionResult near(argb_color actual, argb_color expected) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 1)
      return ::testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
  return ::testing::AssertionSuccess();
}

class BlendStretchTest : public GraphicsTest {};

TEST_F(BlendStretchTest, NearestNeighbourDoublesEachPixel) {
  IMAGE src(2, 2), dst(5, 5);
  const argb_color colours[4] = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0};
  std::copy(colours, colours + 4, src.pixels);
  fill(&dst, 0xFF000000);
  EXPECT_EQ(putimage_alphablend(&dst, &src, 0, 0, 4, 4, 255, 0, 0, 0, 0, false, 0), 0);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) {
      const argb_color expected = x < 4 && y < 4 ? colours[(y / 2) * 2 + x / 2] : 0xFF000000u;
      EXPECT_EQ(pixel(&dst, x, y), expected) << x << "," << y;
    }
}

TEST_F(BlendStretchTest, ConstantAlphaScalesTheSourceAlpha) {
  IMAGE src(1, 1), dst(2, 2);
  fill(&src, 0xFFFFFFFF);
  fill(&dst, 0xFF000000);
  putimage_alphablend(&dst, &src, 0, 0, 2, 2, 128, 0, 0, 0, 0, false, 0);
  for (argb_color p : pixels_of(&dst)) EXPECT_TRUE(near(p, 0xFF808080));
  fill(&dst, 0xFF000000);
  putimage_alphablend(&dst, &src, 0, 0, 2, 2, 0, 0, 0, 0, 0, true, 0);  // alpha 0: nothing
  for (argb_color p : pixels_of(&dst)) EXPECT_EQ(p, 0xFF000000u);
}

TEST_F(BlendStretchTest, ASourceSizeBelowOneTakesTheRestFromItsStart) {
  IMAGE src(4, 1), dst(4, 1);
  const argb_color colours[4] = {0xFF111111, 0xFF222222, 0xFF333333, 0xFF444444};
  std::copy(colours, colours + 4, src.pixels);
  fill(&dst, 0xFF000000);
  src.putimage_alphablend(&dst, 0, 0, 0, 0, 255, 2, 0, 0, 0, false, 0);
  EXPECT_EQ(pixel(&dst, 0, 0), 0xFF333333u);
  EXPECT_EQ(pixel(&dst, 1, 0), 0xFF444444u);
  EXPECT_EQ(pixel(&dst, 2, 0), 0xFF000000u);
  src.putimage_withalpha(&dst, 0, 0, 0, 0, 4, 0, 0, 0, false);  // starts at the right edge: nothing
  EXPECT_EQ(pixel(&dst, 0, 0), 0xFF333333u);
}

TEST_F(BlendStretchTest, PremultipliedWithoutSmoothingGoesThroughAlphaBlend) {
  IMAGE src(1, 1), dst(3, 3);
  fill(&src, 0x80404040);
  fill(&dst, 0xFF204060);
  putimage_alphablend(&dst, &src, 1, 1, 2, 2, 255, 0, 0, 1, 1, false, 1);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(pixel(&dst, x, y), x && y ? 0xFF506070u : 0xFF204060u) << x << "," << y;
}

TEST_F(BlendStretchTest, WithalphaClipsToTheViewportAndKeepsTheClip) {
  IMAGE src(2, 1), dst(6, 6);
  src.pixels[0] = 0xFFFF0000;
  src.pixels[1] = 0x00FFFFFF;  // transparent: leaves the destination
  fill(&dst, 0xFF000000);
  setviewport(1, 1, 4, 4, 1, &dst);
  EXPECT_EQ(putimage_withalpha(&dst, &src, -1, -1, 8, 8, 0, 0, 0, 0, false), 0);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool red = x >= 1 && x < 4 && y >= 1 && y < 4;  // the left half (x 0..3), inside the viewport
      EXPECT_EQ(pixel(&dst, x, y), red ? 0xFFFF0000u : 0xFF000000u) << x << "," << y;
    }
}

TEST_F(BlendStretchTest, TheWorldTransformIsRestoredAndSelectorsCountOnce) {
  IMAGE src(1, 1), dst(4, 4);
  fill(&src, 0xFF00FF00);
  setviewport(1, 1, 4, 4, 1, &dst);
  Gdiplus::GpMatrix *before = nullptr, *after = nullptr;
  Gdiplus::GdipCreateMatrix(&before);
  Gdiplus::GdipCreateMatrix(&after);
  Gdiplus::GdipGetWorldTransform(dst.gdip_graphics(), before);
  state().draw_target = &dst;
  const int count = counter();
  putimage_alphablend(nullptr, &src, 0, 0, 1, 1, 200, 0, 0, 0, 0, true, 0);
  putimage_withalpha(nullptr, &src, 1, 1, 1, 1, 0, 0, 0, 0, false);
  EXPECT_EQ(counter(), count - 2);
  EXPECT_EQ(pixel(&dst, 2, 2), 0xFF00FF00u);  // viewport (1, 1) plus (1, 1)
  Gdiplus::GdipGetWorldTransform(dst.gdip_graphics(), after);
  Gdiplus::REAL a[6] = {}, b[6] = {};
  Gdiplus::GdipGetMatrixElements(before, a);
  Gdiplus::GdipGetMatrixElements(after, b);
  EXPECT_TRUE(std::equal(a, a + 6, b));
  EXPECT_EQ(a[4], 1.0f);
  Gdiplus::GdipDeleteMatrix(before);
  Gdiplus::GdipDeleteMatrix(after);
}

}  // namespace
