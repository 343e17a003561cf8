// In-place blur of a region of an image: each pixel becomes a weighted sum
// of itself and its 4 or 8 neighbours inside the region, scaled by a
// brightness factor, computed on the old values with integer weights
// (red and blue packed in one word). Blurred pixels get alpha 0.
// Depends on: state (selectors, change counting), images.

#include <algorithm>
#include <vector>

#include "graphics/state.h"

namespace frond {
namespace {

constexpr int kMaxNeighbours = 8;

// The kernel's integer weights for strength k (0..255) and brightness A
// (0..256): the centre's, and per neighbour count n the neighbours' whole
// weight q(n) and its fraction f(n) in 1/256 units.
struct blur_weights {
  uint32_t centre;
  uint32_t whole[kMaxNeighbours + 1];
  uint32_t fraction[kMaxNeighbours + 1];

  blur_weights(uint32_t k, uint32_t a) : centre(((255 - k) * a) >> 8), whole{}, fraction{} {
    for (uint32_t n = 1; n <= kMaxNeighbours; ++n) {
      whole[n] = (k * a / n) >> 8;
      fraction[n] = a * (k % n) / n;  // with a = 0 the neighbours weigh nothing
    }
  }
};

uint32_t blur_pixel(uint32_t p, uint32_t red_blue_sum, uint32_t green_sum, const blur_weights& wt, int n) {
  const uint32_t q = wt.whole[n], f = wt.fraction[n];
  const uint32_t red_blue =
      (wt.centre * (p & 0x00FF00FF) + q * red_blue_sum + (((red_blue_sum * f) >> 8) & 0x00FF00FF)) & 0xFF00FF00;
  const uint32_t green = (wt.centre * (p & 0x0000FF00) + q * green_sum + ((green_sum * f) >> 8)) & 0x00FF0000;
  return (red_blue | green) >> 8;
}

// Sums of the neighbours' packed channels.
struct neighbour_sum {
  uint32_t red_blue = 0, green = 0;
  int count = 0;
  void add(uint32_t q) {
    red_blue += q & 0x00FF00FF;
    green += q & 0x0000FF00;
    ++count;
  }
};

// One pass over a region of at least 2x2 pixels, rows from the top, pixels
// left to right, in place. Old values of the row above come from `line`
// (one entry per column, refreshed as each pixel is rewritten); the left
// neighbour's old value is carried; right and lower neighbours are unwritten.
class blur_pass {
 public:
  blur_pass(const blur_weights& weights, int width) : wt(weights), w(width), line(size_t(width)) {}

  template <bool Diagonals>
  void run(argb_color* first_row, size_t stride, int h) {
    row<Diagonals, false, true>(first_row, first_row + stride);
    for (int j = 1; j + 1 < h; ++j) row<Diagonals, true, true>(first_row + stride * j, first_row + stride * (j + 1));
    row<Diagonals, true, false>(first_row + stride * (h - 1), nullptr);
  }

 private:
  template <bool Diagonals, bool Above, bool Below>
  void row(argb_color* r, const argb_color* below) {
    uint32_t left = 0, above_left = 0;
    for (int i = 0; i < w; ++i) {
      const uint32_t p = r[i];
      const bool has_left = i > 0, has_right = i + 1 < w;
      neighbour_sum sum;
      if (has_left) sum.add(left);
      if (has_right) sum.add(r[i + 1]);
      if (Above) {
        sum.add(line[i]);
        if (Diagonals && has_left) sum.add(above_left);
        if (Diagonals && has_right) sum.add(line[i + 1]);
      }
      if (Below) {
        sum.add(below[i]);
        if (Diagonals && has_left) sum.add(below[i - 1]);
        if (Diagonals && has_right) sum.add(below[i + 1]);
      }
      above_left = line[i];
      line[i] = p;
      left = p;
      r[i] = blur_pixel(p, sum.red_blue, sum.green, wt, sum.count);
    }
  }

  const blur_weights& wt;
  int w;
  std::vector<uint32_t> line;
};

// Blurs (x, y, w, h) of an image with the 4- or 8-neighbour kernel. The
// strength is limited to 0..255 and the brightness to 0..256 so that the
// weights cannot wrap; a region outside the image, or narrower or lower
// than 2 pixels, is left unchanged.
void blur_region(IMAGE* img, bool diagonals, int strength, int alpha, int x, int y, int w, int h) {
  if (x < 0 || y < 0 || w < 2 || h < 2 || w > img->width - x || h > img->height - y) return;
  const blur_weights weights(uint32_t(std::clamp(strength, 0, 255)), std::min(uint32_t(alpha), 256u));
  blur_pass pass(weights, w);
  argb_color* first_row = img->pixels + size_t(y) * size_t(img->width) + size_t(x);
  if (diagonals)
    pass.run<true>(first_row, size_t(img->width), h);
  else
    pass.run<false>(first_row, size_t(img->width), h);
}

// The kernel strength for an intensity: twice it on the 4-neighbour
// kernel up to 128, twice it less 256 on the 8-neighbour kernel above.
int strength_of(int intensity) {
  const int64_t doubled = int64_t(intensity) * 2;
  return int(std::clamp<int64_t>(intensity <= 128 ? doubled : doubled - 256, 0, 255));
}

}  // namespace

int IMAGE::imagefilter_blurring(int intensity, int alpha, int x, int y, int w, int h) {
  check_magic(L"IMAGE::imagefilter_blurring");
  if (w == 0) w = width;
  if (h == 0) h = height;
  x = std::max(x, 0);
  y = std::max(y, 0);
  if (w > width - x) w = width - x;
  if (h > height - y) h = height - y;
  if (w < 1 || h < 1) return 18;
  blur_region(this, intensity > 128, strength_of(intensity), alpha, x, y, w, h);
  return 0;
}

int IMAGE::imagefilter_blurring_4(int strength, int alpha, int x, int y, int w, int h) {
  check_magic(L"IMAGE::imagefilter_blurring_4");
  blur_region(this, false, strength, alpha, x, y, w, h);
  return 0;
}

int IMAGE::imagefilter_blurring_8(int strength, int alpha, int x, int y, int w, int h) {
  check_magic(L"IMAGE::imagefilter_blurring_8");
  blur_region(this, true, strength, alpha, x, y, w, h);
  return 0;
}

int imagefilter_blurring(IMAGE* img, int intensity, int alpha, int x, int y, int w, int h) {
  IMAGE* image = resolve_image_counting(img);
  return image ? image->imagefilter_blurring(intensity, alpha, x, y, w, h) : 0;
}

}  // namespace frond
