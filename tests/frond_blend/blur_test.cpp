// The blur: region rules and return codes, and every entry (with strengths
// and brightnesses held in range) against a straightforward reference on
// seeded random images, each rerunnable alone with QUILLFERN_ITERATION
// (opaque white at intensity 100 gives 0x00FEFEFE inside and 0x00FCFDFC on the edges).
// Depends on: the graphics fixture.

#include <algorithm>
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
  EXPECT_EQ(img.imagefilter_blurring(100, 256, 4, 0, 0, 0), 0);  // one column: left as it is
  EXPECT_EQ(img.imagefilter_blurring(100, 256, 0, 0, 5, 1), 0);  // one row
  for (argb_color p : pixels_of(&img)) EXPECT_EQ(p, 0xFFFFFFFFu);  // nothing blurred so far

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

// Strengths and brightnesses now and then beyond their ranges: the kernels
// hold the strength to 0..255 and take a brightness outside 0..256 as 256;
// imagefilter_blurring's intensity picks the 4-neighbour kernel at twice its
// value up to 128, else the 8-neighbour one at twice its value less 256.
TEST_F(BlurTest, EveryEntryMatchesTheReferenceOnRandomRegions) {
  seeded::iterations(300, [](std::mt19937& rng, int) {
    IMAGE img(2 + int(rng() % 30), 2 + int(rng() % 30));
    for (int i = 0; i < img.width * img.height; ++i) img.pixels[i] = rng();
    const int x = int(rng() % uint32_t(img.width - 1)), y = int(rng() % uint32_t(img.height - 1));
    const int w = 2 + int(rng() % uint32_t(img.width - x - 1)), h = 2 + int(rng() % uint32_t(img.height - y - 1));
    const int extremes[] = {INT_MIN, -7, 127, 128, 129, 256, 1000, INT_MAX};
    const int strength = rng() % 4 == 0 ? extremes[rng() % 8] : int(rng() % 256);
    const int alpha = rng() % 4 == 0 ? extremes[rng() % 8] : int(rng() % 257);
    const int entry = int(rng() % 3);  // imagefilter_blurring, its 4- and its 8-neighbour kernel
    const bool eight = entry == 2 || (entry == 0 && strength > 128);
    const int64_t k = entry != 0 ? strength : strength > 128 ? 2 * int64_t(strength) - 256 : 2 * int64_t(strength);
    const uint32_t a = alpha < 0 || alpha > 256 ? 256 : uint32_t(alpha);
    const std::vector<argb_color> expected =
        reference_blur(&img, eight, uint32_t(std::clamp<int64_t>(k, 0, 255)), a, x, y, w, h);
    if (entry == 0)
      img.imagefilter_blurring(strength, alpha, x, y, w, h);
    else if (entry == 1)
      img.imagefilter_blurring_4(strength, alpha, x, y, w, h);
    else
      img.imagefilter_blurring_8(strength, alpha, x, y, w, h);
    ASSERT_EQ(pixels_of(&img), expected) << "entry " << entry << ", strength " << strength << ", alpha " << alpha;
  });
}

}  // namespace
