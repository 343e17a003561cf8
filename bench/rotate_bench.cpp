// Rotating a 1600x900 image by 30 degrees about its middle, nearest and
// bilinear, with the library's triangle mapper beside pixman's affine
// transform of the same image with the same filter (which writes the whole
// bounding box of the turned picture, the least it can be asked to write).
// Depends on: Frond and pixman.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdint>

#include "frond/frond.h"

namespace {

constexpr int kWidth = 1600, kHeight = 900;
constexpr int kDstWidth = 1840, kDstHeight = 1580;  // holds the turned picture
constexpr double kAngle = 30 * 3.14159265358979323846 / 180;

void paint(frond::IMAGE* img) {
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x)
      img->pixels[size_t(y) * img->width + x] = 0xFF000000u | uint32_t(x * 7 & 0xFF) << 16 | uint32_t(y * 3 & 0xFF) << 8 | uint32_t((x ^ y) & 0xFF);
}

void FrondRotate(benchmark::State& state) {
  frond::IMAGE src(kWidth, kHeight), dst(kDstWidth, kDstHeight);
  paint(&src);
  const bool smooth = state.range(0) != 0;
  for (auto _ : state) {
    frond::putimage_rotate(&dst, &src, kDstWidth / 2, kDstHeight / 2, 0.5f, 0.5f, float(kAngle), 0, -1, smooth ? 1 : 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
  state.SetLabel(smooth ? "bilinear" : "nearest");
}

void PixmanRotate(benchmark::State& state) {
  frond::IMAGE src(kWidth, kHeight), dst(kDstWidth, kDstHeight);
  paint(&src);
  pixman_image_t* source = pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, src.pixels, kWidth * 4);
  pixman_image_t* target = pixman_image_create_bits(PIXMAN_a8r8g8b8, kDstWidth, kDstHeight, dst.pixels, kDstWidth * 4);
  // Destination to source: the turn undone about the two middles.
  const double c = std::cos(kAngle), s = std::sin(kAngle), dx = kDstWidth / 2.0, dy = kDstHeight / 2.0;
  pixman_transform_t t;
  pixman_transform_init_identity(&t);
  t.matrix[0][0] = pixman_double_to_fixed(c), t.matrix[0][1] = pixman_double_to_fixed(s);
  t.matrix[0][2] = pixman_double_to_fixed(kWidth / 2.0 - (dx * c + dy * s));
  t.matrix[1][0] = pixman_double_to_fixed(-s), t.matrix[1][1] = pixman_double_to_fixed(c);
  t.matrix[1][2] = pixman_double_to_fixed(kHeight / 2.0 - (-dx * s + dy * c));
  pixman_image_set_transform(source, &t);
  const bool smooth = state.range(0) != 0;
  pixman_image_set_filter(source, smooth ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST, nullptr, 0);
  pixman_image_set_repeat(source, PIXMAN_REPEAT_NONE);
  // The bounding box of the turned picture.
  const int bw = int(std::ceil(kWidth * c + kHeight * s)), bh = int(std::ceil(kWidth * s + kHeight * c));
  const int bx = (kDstWidth - bw) / 2, by = (kDstHeight - bh) / 2;
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, target, bx, by, 0, 0, bx, by, bw, bh);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(source);
  pixman_image_unref(target);
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
  state.SetLabel(smooth ? "bilinear" : "nearest");
}

}  // namespace

BENCHMARK(FrondRotate)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PixmanRotate)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
