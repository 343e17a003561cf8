// Rotating a 1600x900 image by 30 degrees about its middle, nearest and
// bilinear, with the library's triangle mapper beside pixman's affine
// transform of the same image with the same filter (which writes the whole
// bounding box of the turned picture, the least it can be asked to write).
// Every case checks that its call changed the destination.
// Depends on: Frond, pixman, support/.
#include <cmath>
#include <cstdint>

#include "frond/frond.h"
#include "support/bench_support.h"

namespace {

constexpr int kWidth = 1600, kHeight = 900;
constexpr int kDstWidth = 1840, kDstHeight = 1580;  // holds the turned picture
constexpr double kAngle = 30 * 3.14159265358979323846 / 180;

// The pattern to turn and the destination; argument 0 is nearest, 1 bilinear.
struct Rotation {
  explicit Rotation(benchmark::State& state)
      : smooth(state.range(0) != 0), src(kWidth, kHeight), dst(kDstWidth, kDstHeight) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        src.pixels[size_t(y) * kWidth + x] =
            0xFF000000u | uint32_t(x * 7 & 0xFF) << 16 | uint32_t(y * 3 & 0xFF) << 8 | uint32_t((x ^ y) & 0xFF);
    state.SetLabel(smooth ? "bilinear" : "nearest");
  }
  bool smooth;
  frond::IMAGE src, dst;
};

void FrondRotate(benchmark::State& state) {
  Rotation r(state);
  bench::time_if_it_draws(state, r.dst, kWidth * kHeight, [&] {
    frond::putimage_rotate(&r.dst, &r.src, kDstWidth / 2, kDstHeight / 2, 0.5f, 0.5f, float(kAngle), 0, -1,
                           r.smooth ? 1 : 0);
  });
}

void PixmanRotate(benchmark::State& state) {
  Rotation r(state);
  const bench::pixman_ptr source = bench::pixman_wrap(r.src), target = bench::pixman_wrap(r.dst);
  // Destination to source: the turn undone about the two middles.
  const double c = std::cos(kAngle), s = std::sin(kAngle), dx = kDstWidth / 2.0, dy = kDstHeight / 2.0;
  pixman_transform_t t;
  pixman_transform_init_identity(&t);
  t.matrix[0][0] = pixman_double_to_fixed(c), t.matrix[0][1] = pixman_double_to_fixed(s);
  t.matrix[0][2] = pixman_double_to_fixed(kWidth / 2.0 - (dx * c + dy * s));
  t.matrix[1][0] = pixman_double_to_fixed(-s), t.matrix[1][1] = pixman_double_to_fixed(c);
  t.matrix[1][2] = pixman_double_to_fixed(kHeight / 2.0 - (-dx * s + dy * c));
  pixman_image_set_transform(source.get(), &t);
  pixman_image_set_filter(source.get(), r.smooth ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST, nullptr, 0);
  pixman_image_set_repeat(source.get(), PIXMAN_REPEAT_NONE);
  // The bounding box of the turned picture.
  const int bw = int(std::ceil(kWidth * c + kHeight * s)), bh = int(std::ceil(kWidth * s + kHeight * c));
  const int bx = (kDstWidth - bw) / 2, by = (kDstHeight - bh) / 2;
  bench::time_if_it_draws(state, r.dst, kWidth * kHeight, [&] {
    pixman_image_composite32(PIXMAN_OP_SRC, source.get(), nullptr, target.get(), bx, by, 0, 0, bx, by, bw, bh);
  });
}

}  // namespace

BENCHMARK(FrondRotate)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PixmanRotate)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
