// Image drawing: seeded random nearest-neighbour and bicubic stretches
// against plain references (source parts, long rows, rectangular and mask
// clips, translation, alpha, the colour matrix on and switched off), bilinear
// ramps and the three-point form. Premultiplied sources are read as the
// bitmap tests read them.
// Depends on: draw_test_support.h, tests/support/seeded.h and blend_reference.h.
#include "draw_test_support.h"
#include "support/blend_reference.h"
#include "support/seeded.h"

#include <algorithm>
#include <cmath>
#include <random>

using namespace draw_test;

namespace {

class ImageTest : public DrawTest {
 protected:
  void TearDown() override {
    for (GpBitmap* b : bitmaps_) GdipDisposeImage(reinterpret_cast<GpImage*>(b));
    DrawTest::TearDown();
  }
  GpImage* wrap(uint32_t* pixels, int w, int h) {
    GpBitmap* made = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(pixels), &made), Ok);
    bitmaps_.push_back(made);
    return reinterpret_cast<GpImage*>(made);
  }
  // Draws all of `image` (sw x sh) into the rectangle (x, y, w, h).
  Status draw(GpImage* image, int x, int y, int w, int h, int sw, int sh) {
    return GdipDrawImageRectRect(graphics_, image, REAL(x), REAL(y), REAL(w), REAL(h), 0, 0, REAL(sw), REAL(sh), UnitPixel,
                                 nullptr, nullptr, nullptr);
  }
  void copy_mode() { ASSERT_EQ(GdipSetCompositingMode(graphics_, CompositingModeSourceCopy), Ok); }
  void interpolation(InterpolationMode mode) { ASSERT_EQ(GdipSetInterpolationMode(graphics_, mode), Ok); }

  std::vector<GpBitmap*> bitmaps_;
};

TEST_F(ImageTest, BilinearScalingBlendsNeighbours) {
  uint32_t pixels[2] = {kBlack, kWhite};
  interpolation(InterpolationModeBilinear);
  ASSERT_EQ(draw(wrap(pixels, 2, 1), 0, 0, 8, 1, 2, 1), Ok);
  // Edge pixels take the nearest source pixel; in between the ramp rises.
  expect_pixels({{0, 0, kBlack}, {7, 0, kWhite}});
  for (int x = 1; x < 8; ++x) EXPECT_GE(red(at(x, 0)), red(at(x - 1, 0)));
  EXPECT_NEAR(red(at(3, 0)), 96, 2);  // centre 3.5 maps to 0.875: 0.375 of the way
}

TEST_F(ImageTest, ThreePointFormTurnsTheImage) {
  uint32_t pixels[2] = {kRed, kBlue};  // 2x1
  GpImage* image = wrap(pixels, 2, 1);
  interpolation(InterpolationModeNearestNeighbor);
  // Top-left at (20, 10), top-right at (20, 14), bottom-left at (18, 10): turned 90 degrees clockwise.
  const GpPointF corners[3] = {{20, 10}, {20, 14}, {18, 10}};
  const auto points_rect = [&](int n) {
    return GdipDrawImagePointsRect(graphics_, image, corners, n, 0, 0, 2, 1, UnitPixel, nullptr, nullptr, nullptr);
  };
  ASSERT_EQ(points_rect(3), Ok);
  expect_pixels({{19, 10, kRed}, {18, 11, kRed}, {19, 13, kBlue}, {20, 12, kWhite}});
  EXPECT_EQ(points_rect(2), InvalidParameter);
  EXPECT_EQ(GdipDrawImageRectRect(graphics_, image, 0, 0, 1, 1, 0, 0, 1, 1, UnitInch, nullptr, nullptr, nullptr),
            NotImplemented);
}

// The colour matrix written out plainly: [r g b a 1] x m, each 0..1, rounded.
ARGB reference_recolor(ARGB c, const ColorMatrix& m) {
  const double in[5] = {red(c) / 255.0, green(c) / 255.0, blue(c) / 255.0, alpha(c) / 255.0, 1.0};
  const int shifts[4] = {16, 8, 0, 24};
  ARGB out = 0;
  for (int j = 0; j < 4; ++j) {
    double v = 0;
    for (int i = 0; i < 5; ++i) v += in[i] * m.m[i][j];
    out |= ARGB(std::lround(std::clamp(v, 0.0, 1.0) * 255)) << shifts[j];
  }
  return out;
}

// Seeded random nearest-neighbour stretches of part of a source (short rows
// and long ones, mirrored or not, moved by a world translation, clipped by a
// rectangle or a rectangular path, less one pixel in half of them so that the
// clip is a mask, recoloured by alpha-only, per-channel and mixing matrices)
// against the stretch rule and the formulas written out.
TEST_F(ImageTest, RandomNearestStretchesMatchThePlainReference) {
  make_canvas(320, 40);
  interpolation(InterpolationModeNearestNeighbor);
  seeded::iterations(300, [&](std::mt19937& rng, int) {
    const int sw = 1 + int(rng() % (rng() % 2 ? 19 : 200)), sh = 1 + int(rng() % 7);
    const int sx = int(rng() % sw), sy = int(rng() % sh), uw = sw - sx, uh = sh - sy;  // the part drawn
    std::vector<uint32_t> pixels(size_t(sw) * sh);
    for (uint32_t& p : pixels) p = seeded::biased_word(rng);
    std::generate(pixels_, pixels_ + width_ * height_, [&rng] { return seeded::biased_word(rng); });
    const std::vector<uint32_t> before = snapshot();
    const int w = 1 + int(rng() % 300), h = 1 + int(rng() % 20), x = int(rng() % 120) - 20, y = int(rng() % 30) - 3;
    const bool mirror = rng() % 4 == 0;
    ColorMatrix m{};
    for (int i = 0; i < 5; ++i) m.m[i][i] = 1;
    const uint32_t kind = rng() % 5;  // none, alpha only, per channel with offsets, mixing, switched off
    if (kind >= 1) m.m[3][3] = float(rng() % 256) / 255.0f;
    if (kind >= 2) m.m[0][0] = 0.75f, m.m[4][2] = 0.25f;
    if (kind >= 3) m.m[1][0] = 0.5f;
    GpImageAttributes* recolour = nullptr;
    if (kind > 0) {
      ASSERT_EQ(GdipCreateImageAttributes(&recolour), Ok);
      ASSERT_EQ(GdipSetImageAttributesColorMatrix(recolour, ColorAdjustTypeBitmap, TRUE, &m, nullptr,
                                                  ColorMatrixFlagsDefault),
                Ok);
    }
    if (kind == 4) {
      ASSERT_EQ(GdipSetImageAttributesColorMatrix(recolour, ColorAdjustTypeBitmap, FALSE, nullptr, nullptr,
                                                  ColorMatrixFlagsDefault),
                Ok);
    }
    const int cx = int(rng() % 8), cy = int(rng() % 8);
    const int cw = width_ - 40 + int(rng() % 60), ch = height_ - 10 + int(rng() % 20);
    const int hole_x = rng() % 2 ? int(rng() % width_) : -1, hole_y = int(rng() % height_);
    ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
    clip_to(cx, cy, cw, ch, CombineModeReplace, rng() % 2);
    if (hole_x >= 0) clip_to(hole_x, hole_y, 1, 1, CombineModeExclude, false);
    const int shift = int(rng() % 5) - 2;  // a world translation moves the image, not the clip
    ASSERT_EQ(GdipTranslateWorldTransform(graphics_, REAL(shift), REAL(-shift), MatrixOrderPrepend), Ok);
    const int left = x + shift;
    ASSERT_EQ(GdipDrawImageRectRect(graphics_, wrap(pixels.data(), sw, sh), REAL(mirror ? x + w : x), REAL(y + shift),
                                    REAL(mirror ? -w : w), REAL(h), REAL(sx), REAL(sy), REAL(uw), REAL(uh), UnitPixel,
                                    recolour, nullptr, nullptr),
              Ok);
    if (recolour) GdipDisposeImageAttributes(recolour);
    for (int py = 0; py < height_; ++py) {
      for (int px = 0; px < width_; ++px) {
        ARGB expected = before[size_t(py) * width_ + px];
        const bool inside = px >= left && px < left + w && py >= y && py < y + h;
        const bool clipped = px < cx || px >= cx + cw || py < cy || py >= cy + ch || (px == hole_x && py == hole_y);
        if (inside && !clipped) {
          const int offset = int((2 * (px - left) + 1) * uw / (2 * w));
          const int col = sx + (mirror ? uw - 1 - offset : offset), row = sy + int((2 * (py - y) + 1) * uh / (2 * h));
          const ARGB source = pixels[size_t(row) * sw + col];
          const ARGB drawn = kind % 4 > 0 ? reference_recolor(source, m) : source;
          expected = blend_reference::ref_blendover(expected, drawn, drawn >> 24);  // colour stands whatever its alpha
        }
        ASSERT_EQ(at(px, py), expected) << px << "," << py;
      }
    }
  });
}

// The high-quality bicubic rule written out: Catmull-Rom taps around each
// mapped centre, widened by the shrink factor, edge taps clamped to the
// source, the mean taken in premultiplied colour.
ARGB reference_bicubic(const std::vector<uint32_t>& pixels, int sw, int sh, double u, double v, double sx, double sy) {
  const auto kernel = [](double t) {
    t = std::fabs(t);
    return t < 1 ? 1.5 * t * t * t - 2.5 * t * t + 1 : t < 2 ? -0.5 * t * t * t + 2.5 * t * t - 4 * t + 2 : 0.0;
  };
  const auto axis = [&](double c, double footprint, int size) {
    std::vector<std::pair<int, double>> taps;
    const double scale = std::max(1.0, footprint), centre = c - 0.5;
    for (long k = long(std::ceil(centre - 2 * scale)); k <= long(std::floor(centre + 2 * scale)); ++k) {
      const double w = kernel((double(k) - centre) / scale);
      if (w != 0) taps.push_back({int(std::clamp<long>(k, 0, size - 1)), w});
    }
    return taps;
  };
  double sum[4] = {0, 0, 0, 0}, total = 0;
  for (const auto& [row, wr] : axis(v, sy, sh))
    for (const auto& [col, wc] : axis(u, sx, sw)) {
      const ARGB c = pixels[size_t(row) * sw + col];
      const double w = wc * wr, a = alpha(c) / 255.0;
      sum[0] += w * a * blue(c), sum[1] += w * a * green(c), sum[2] += w * a * red(c), sum[3] += w * a;
      total += w;
    }
  const double a = std::clamp(sum[3] / total, 0.0, 1.0);
  if (a <= 0) return 0;
  ARGB out = ARGB(std::lround(a * 255)) << 24;
  for (int k = 0; k < 3; ++k) out |= ARGB(std::lround(std::clamp(sum[k] / total / a, 0.0, 255.0))) << (8 * k);
  return out;
}

// Seeded random bicubic stretches (enlarging and shrinking, alpha-scaled)
// copied onto the surface against the rule written out, within one step of
// rounding per channel.
TEST_F(ImageTest, RandomBicubicStretchesFollowTheRule) {
  interpolation(InterpolationModeHighQualityBicubic);
  copy_mode();
  seeded::iterations(60, [&](std::mt19937& rng, int) {
    const int sw = 1 + int(rng() % 24), sh = 1 + int(rng() % 24), w = 1 + int(rng() % 60), h = 1 + int(rng() % 60);
    std::vector<uint32_t> pixels(size_t(sw) * sh);
    for (uint32_t& p : pixels) p = (rng() % 3 == 0 ? 0xFFu : rng() & 0xFF) << 24 | (rng() & 0xFFFFFF);
    fill_all(0);
    ASSERT_EQ(draw(wrap(pixels.data(), sw, sh), 2, 1, w, h, sw, sh), Ok);
    for (int y = 0; y < h && y + 1 < 64; ++y) {
      for (int x = 0; x < w && x + 2 < 64; ++x) {
        const double sx = double(sw) / w, sy = double(sh) / h;
        const ARGB expected = reference_bicubic(pixels, sw, sh, (x + 0.5) * sx, (y + 0.5) * sy, sx, sy);
        const ARGB got = at(x + 2, y + 1);
        for (int shift = 0; shift < 32; shift += 8)
          ASSERT_NEAR(int((got >> shift) & 0xFF), int((expected >> shift) & 0xFF), 1) << x << "," << y << " " << shift;
      }
    }
  });
}

}  // namespace
