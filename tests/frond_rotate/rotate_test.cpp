// Rotation and zoom: the triangle mapper's sample mapping, quarter turns,
// bilinear weights against a plain reference, the flag and alpha rules,
// clipping, the destinations of both flag forms, refusal of input that is
// not finite, and the stretch-and-splat putimage with its key and zoom.
// Depends on: the graphics fixture.

#include <limits>

#include "support/graphics_fixture.h"
#include "support/seeded.h"

using namespace frond;
using namespace frond_test;

namespace {

class RotateTest : public GraphicsTest {};

constexpr argb_color kBackground = 0xFF102030;

int changed(IMAGE* img) {
  int n = 0;
  for (argb_color p : pixels_of(img)) n += p != kBackground;
  return n;
}

// Uniform white samples as 253 (the reference below); one column is too few to smooth.
TEST_F(RotateTest, BilinearNeedsTwoByTwo) {
  IMAGE thin(1, 8), dst(20, 20);
  fill(&thin, 0xFFFFFFFF);
  fill(&dst, kBackground);
  putimage_rotate(&dst, &thin, 10, 10, 0.5f, 0.5f, 0.3f, false, -1, true);
  EXPECT_EQ(changed(&dst), 0);
}

// The bilinear weights as a plain reference: per channel, rounding down at each step; alpha 0.
argb_color bilinear_reference(const argb_color c[4], unsigned fx, unsigned fy) {
  argb_color out = 0;
  for (int shift : {0, 8, 16}) {
    const auto ch = [&](int i) { return (c[i] >> shift) & 0xFF; };
    const unsigned top = (ch(0) * (255 - fx) + ch(1) * fx) / 256, bottom = (ch(2) * (255 - fx) + ch(3) * fx) / 256;
    out |= ((top * (255 - fy) + bottom * fy) / 256) << shift;
  }
  return out;
}

TEST_F(RotateTest, SamplesMatchAPlainReference) {
  // A 34x34 source zoomed by 256/34 fills a 256x256 block whose pixel (x, y)
  // samples exactly (x / 8, y / 8) in texel units (bilinear: texels 0..32),
  // so every sample is known; nearest reads the texel at that position plus
  // one half (a 33x33 source). Rows cross both the edges and the middle.
  seeded::iterations(3, [](std::mt19937& random, int) {
    for (bool smooth : {true, false}) {
      const int size = smooth ? 34 : 33;
      IMAGE src(size, size), dst(256, 256);
      for (int i = 0; i < size * size; ++i) src.pixels[i] = seeded::biased_word(random);
      putimage_rotatezoom(&dst, &src, 0, 0, 0.0f, 0.0f, 0.0f, 256.0f / float(size), false, -1, smooth);
      int wrong = 0;
      for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
          const int tx = x / 8, ty = y / 8;
          const argb_color* c = src.pixels + ty * size + tx;
          const argb_color block[4] = {c[0], c[1], c[size], c[size + 1]};
          const argb_color expected = smooth ? bilinear_reference(block, 32u * (x % 8), 32u * (y % 8))
                                             : pixel(&src, (x + 4) / 8, (y + 4) / 8);
          if (pixel(&dst, x, y) != expected && wrong++ == 0)
            ADD_FAILURE() << (smooth ? "bilinear" : "nearest") << " at " << x << "," << y;
        }
      EXPECT_EQ(wrong, 0);
    }
  });
}

TEST_F(RotateTest, KeyAndAlphaRules) {
  IMAGE src(2, 2), dst(8, 8);
  src.pixels[0] = 0x00000000, src.pixels[1] = 0xFF000000, src.pixels[2] = 0xFF804020, src.pixels[3] = 0x12804020;
  const argb_color d = 0xFF6080A0;
  const auto blend = [d](argb_color s, unsigned a) {
    argb_color out = 0;
    for (int shift : {0, 8, 16})
      out |= ((((s >> shift) & 0xFF) * a / 256) + (((d >> shift) & 0xFF) * (255 - a) / 256)) << shift;
    return out;
  };
  // Nearest, 2x2 at (2, 2): texels 0..1 map onto pixels 0, 1 of each row and column.
  const struct {
    bool transparent;
    int alpha;
    argb_color at00, at10;
  } cases[] = {
      {false, -1, 0x00000000, 0xFF000000},   {false, 256, 0x00000000, 0xFF000000},
      {false, 1000, 0x00000000, 0xFF000000}, {true, -1, d, 0xFF000000},
      {true, 0, d, blend(0, 0)},             {false, 0, blend(0, 0), blend(0, 0)},
      {false, 128, blend(0, 128), blend(0, 128)},
  };
  for (const auto& c : cases) {
    fill(&dst, d);
    putimage_rotate(&dst, &src, 2, 2, 0.0f, 0.0f, 0.0f, c.transparent, c.alpha, false);
    EXPECT_EQ(pixel(&dst, 2, 2), c.at00) << c.transparent << " " << c.alpha;
    EXPECT_EQ(pixel(&dst, 3, 2), c.at10) << c.transparent << " " << c.alpha;
    EXPECT_EQ(pixel(&dst, 3, 3), c.alpha >= 0 && c.alpha <= 255 ? blend(0x804020, unsigned(c.alpha)) : 0x12804020u);
  }
  // Smoothing skips every sample that interpolates to black, whatever its alpha.
  IMAGE black(4, 4);
  fill(&black, 0xFF000000);
  fill(&dst, d);
  putimage_rotate(&dst, &black, 2, 2, 0.0f, 0.0f, 0.0f, true, -1, true);
  EXPECT_EQ(pixel(&dst, 3, 3), d);
}

TEST_F(RotateTest, ClippingAndInputThatIsNotFinite) {
  IMAGE src(16, 16), dst(20, 20);
  fill(&src, 0xFFFFFFFF);
  fill(&dst, kBackground);
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const struct {
    int x, y;
    float cx, angle, zoom;
  } nothing[] = {
      {-100, 5, 0, 0, 1}, {5, -100, 0, 0, 1}, {200, 5, 0, 0.5f, 1}, {5, 300, 0, 2, 1},  {5, 5, nan, 0, 1},
      {5, 5, 0, inf, 1},  {5, 5, 0, 0, nan},  {5, 5, 0, 0, 1e30f},  {5, 5, 0, 0, 1e7f}, {5, 5, 0, 0, 0},
  };
  for (const auto& c : nothing) {
    putimage_rotatezoom(&dst, &src, c.x, c.y, c.cx, 0.0f, c.angle, c.zoom, false, -1, false);
    putimage_rotatezoom(&dst, &src, c.x, c.y, c.cx, 0.0f, c.angle, c.zoom, true, 100, true);
  }
  EXPECT_EQ(changed(&dst), 0);
  // Partly outside: only the pixels inside the destination are written.
  putimage_rotate(&dst, &src, -8, 12, 0.0f, 0.0f, 0.0f, false, -1, false);
  EXPECT_EQ(changed(&dst), 8 * 8);
}

TEST_F(RotateTest, DestinationsOfBothFlagForms) {
  IMAGE page0(8, 8), target(8, 8), src(4, 4);
  fill(&src, 0xFFFFFFFF);
  fill(&page0, kBackground), fill(&target, kBackground);
  state().pages[0] = &page0;
  state().draw_target = &target;
  putimage_rotate(nullptr, &src, 2, 2, 0.0f, 0.0f, 0.0f, 0, -1, 0);  // int flags: page 0
  EXPECT_EQ(changed(&page0), 16);
  EXPECT_EQ(changed(&target), 0);
  putimage_rotate(nullptr, &src, 2, 2, 0.0f, 0.0f, 0.0f, false, -1, false);  // bool flags: the target
  EXPECT_EQ(changed(&target), 16);
  // A selector source resolves like any image argument: 0 is the drawing target.
  IMAGE dst(8, 8);
  fill(&dst, kBackground);
  putimage_rotate(&dst, nullptr, 0, 0, 0.0f, 0.0f, 0.0f, 0, -1, 0);
  EXPECT_EQ(pixel(&dst, 2, 2), 0xFFFFFFFFu);
  state().draw_target = nullptr;
  putimage_rotate(&dst, nullptr, 0, 0, 0.0f, 0.0f, 0.0f, 0, -1, 0);  // no target: nothing, no crash
}

TEST_F(RotateTest, StretchAndSplatKeepsDestinationAlphaAndSkipsTheKey) {
  IMAGE src(4, 4), dst(32, 32);
  paint_coordinates(&src);
  src.pixels[5] = 0xFF00FF00;  // the key
  fill(&dst, 0x40102030);
  setviewport(4, 4, 32, 32, 1, &dst);
  putimage(&dst, &src, 10, 10, 1, 1, 0xFF00FF00, 0.0f, 1.0f);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) {
      const argb_color p = pixel(&dst, 4 + 10 + i - 1, 4 + 10 + j - 1);  // centre (1, 1) lands on (10, 10)
      const argb_color s = pixel(&src, i, j);
      EXPECT_EQ(p, s == 0xFF00FF00u ? 0x40102030u : (s & 0x00FFFFFF) | 0x40000000u) << i << "," << j;
    }
  // Zoom 2 doubles the picture; a huge zoom makes no huge temporary image and the process lives.
  IMAGE big(64, 64);
  fill(&big, kBackground);
  putimage(&big, &src, 0, 0, 0, 0, 0xFF00FF00, 0.0f, 2.0f);
  EXPECT_EQ(pixel(&big, 7, 7), (pixel(&src, 3, 3) & 0x00FFFFFF) | 0xFF000000);
  EXPECT_EQ(pixel(&big, 8, 8), kBackground);
  // Around (32, 32) texel (2, 2) fills the quarter turned towards the bottom right, the key (1, 1) the opposite one.
  fill(&big, kBackground);
  EXPECT_EQ(putimage(&big, &src, 32, 32, 0, 0, 4, 4, 2, 2, 0xFF00FF00, 0.3f, 1e6f), 0);
  EXPECT_EQ(pixel(&big, 50, 50), (pixel(&src, 2, 2) & 0x00FFFFFF) | 0xFF000000);
  EXPECT_EQ(pixel(&big, 10, 10), kBackground);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(putimage(&big, &src, 0, 0, 0, 0, 0, nan, 1.0f), 0);
  EXPECT_EQ(putimage(&big, &src, 0, 0, 0, 0, 0, 0.0f, 1e38f), 0);
}

}  // namespace
