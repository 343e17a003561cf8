// The blur: region rules and return codes, clamped strengths and
// brightness, and both kernels against a straightforward reference on
// seeded random images, each rerunnable alone with QUILLFERN_ITERATION
// (opaque white at intensity 100 gives 0x00FEFEFE inside and 0x00FCFDFC on the edges).
// Depends on: the graphics fixture.

#include <climits>
#include <random>

#include "support/graphics_fixture.h"
#include "support/seeded.h"

using namespace frond;
using namespace frond_test;

namespace {

// The kernel written out: every neighbour inside the region, old values only.
std::vector<argb_color> reference_blur(const IMAGE* img, bool diagonals, uint32_t k, uint32_t a, int x0, int y0,
                                       int w, int h) {
  std::vector<argb_color> out(img->pixels, img->pixels + img->width * img->height);
  const uint32_t c = ((255 - k) * a) >> 8;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) {
      uint32_t rb = 0, g = 0, n = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const bool neighbour = (dx != 0 || dy != 0) && (diagonals || dx == 0 || dy == 0);
          const int nx = x + dx, ny = y + dy;
          if (!neighbour || nx < x0 || nx >= x0 + w || ny < y0 || ny >= y0 + h) continue;
          const argb_color q = img->pixels[ny * img->width + nx];
          rb += q & 0xFF00FF;
          g += q & 0xFF00;
          ++n;
        }
      const uint32_t q = (k * a / n) >> 8, f = a * (k % n) / n, p = img->pixels[y * img->width + x];
      const uint32_t red_blue = (c * (p & 0xFF00FF) + q * rb + (((rb * f) >> 8) & 0xFF00FF)) & 0xFF00FF00;
      const uint32_t green = (c * (p & 0xFF00) + q * g + ((g * f) >> 8)) & 0xFF0000;
      out[y * img->width + x] = (red_blue | green) >> 8;
    }
  return out;
}

class BlurTest : public GraphicsTest {};

TEST_F(BlurTest, RegionsAreCutToTheImageAndMayBeWide) {
  IMAGE img(5, 5);
  fill(&img, 0xFFFFFFFF);
  EXPECT_EQ(img.imagefilter_blurring(100, 256, 5, 0, 0, 0), 18);
  EXPECT_EQ(img.imagefilter_blurring(100, 256, 0, 5, 3, 3), 18);
  EXPECT_EQ(img.imagefilter_blurring(100, 256, INT_MAX, 0, 10, 10), 18);
  EXPECT_EQ(img.imagefilter_blurring(100, 256, 0, 0, -4, 3), 18);
  for (argb_color p : pixels_of(&img)) EXPECT_EQ(p, 0xFFFFFFFFu);

  EXPECT_EQ(img.imagefilter_blurring(100, 256, 4, 0, 0, 0), 0);  // one column: left as it is
  EXPECT_EQ(img.imagefilter_blurring(100, 256, 0, 0, 5, 1), 0);  // one row
  for (argb_color p : pixels_of(&img)) EXPECT_EQ(p, 0xFFFFFFFFu);

  EXPECT_EQ(img.imagefilter_blurring(100, 256, -2, -2, 4, 100), 0);  // (0, 0, 4, 5)
  EXPECT_EQ(pixel(&img, 3, 2), 0x00FCFDFCu);                        // now an edge
  EXPECT_EQ(pixel(&img, 4, 2), 0xFFFFFFFFu);
  EXPECT_EQ(img.imagefilter_blurring_4(200, 256, 3, 3, 3, 3), 0);  // the kernels refuse regions outside
  EXPECT_EQ(pixel(&img, 4, 4), 0xFFFFFFFFu);

  IMAGE wide(5000, 3);  // no fixed line buffer
  fill(&wide, 0xFF646464);
  EXPECT_EQ(wide.imagefilter_blurring(100, 256, 0, 0, 0, 0), 0);
  EXPECT_EQ(pixel(&wide, 4999, 2), 0x00636363u);
  EXPECT_EQ(pixel(&wide, 4500, 1), 0x00636363u);
}

TEST_F(BlurTest, StrengthAndBrightnessAreHeldInRange) {
  IMAGE img(7, 5);
  std::mt19937 rng(7);
  std::vector<argb_color> start(35);
  for (argb_color& p : start) p = rng();
  struct {
    int intensity, alpha;
    bool eight;
    uint32_t strength, brightness;
  } cases[] = {{128, 256, false, 255, 256}, {-7, 256, false, 0, 256},   {1000, 256, true, 255, 256},
               {255, -1, true, 254, 256},   {60, 9999, false, 120, 256}, {INT_MAX, 3, true, 255, 3},
               {INT_MIN, 100, false, 0, 100}};
  for (const auto& c : cases) {
    std::copy(start.begin(), start.end(), img.pixels);
    const std::vector<argb_color> expected = reference_blur(&img, c.eight, c.strength, c.brightness, 0, 0, 7, 5);
    img.imagefilter_blurring(c.intensity, c.alpha, 0, 0, 0, 0);
    EXPECT_EQ(pixels_of(&img), expected) << c.intensity << " " << c.alpha;
  }
  std::copy(start.begin(), start.end(), img.pixels);
  const std::vector<argb_color> expected = reference_blur(&img, false, 255, 256, 0, 0, 7, 5);
  img.imagefilter_blurring_4(1000, -5, 0, 0, 7, 5);  // the kernels hold their arguments too
  EXPECT_EQ(pixels_of(&img), expected);
}

TEST_F(BlurTest, BothKernelsMatchTheReferenceOnRandomRegions) {
  seeded::iterations(200, [](std::mt19937& rng, int) {
    IMAGE img(2 + int(rng() % 30), 2 + int(rng() % 30));
    for (int i = 0; i < img.width * img.height; ++i) img.pixels[i] = rng();
    const int x = int(rng() % uint32_t(img.width - 1)), y = int(rng() % uint32_t(img.height - 1));
    const int w = 2 + int(rng() % uint32_t(img.width - x - 1)), h = 2 + int(rng() % uint32_t(img.height - y - 1));
    const uint32_t k = rng() % 256, a = rng() % 257;
    const bool eight = rng() % 2;
    const std::vector<argb_color> expected = reference_blur(&img, eight, k, a, x, y, w, h);
    if (eight)
      img.imagefilter_blurring_8(int(k), int(a), x, y, w, h);
    else
      img.imagefilter_blurring_4(int(k), int(a), x, y, w, h);
    ASSERT_EQ(pixels_of(&img), expected);
  });
}

}  // namespace
