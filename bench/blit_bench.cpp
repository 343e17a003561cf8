// BitBlt and StretchBlt against their competitors in the same run: SRCCOPY
// against a plain memcpy of the same bytes, COLORONCOLOR stretching (down
// from 1920x1080 to 1600x900, and up to 3840x2160, beyond the last-level
// cache) against pixman's nearest-neighbour scaling of the same picture. The
// empty-call and cache-resident cases are measured apart from the full-size
// ones; every case checks that its call changed the destination. On a busy
// machine run with --benchmark_enable_random_interleaving=true --benchmark_repetitions=10
// so that both sides of a comparison see the same load.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "support/bench_support.h"

namespace {

using Canvas = bench::DibCanvas;

// Clears the destination so that the first call is seen to write it, then
// times `call`.
template <class Call>
void run(benchmark::State& state, Canvas& dst, Call call) {
  std::fill(dst.bits, dst.bits + dst.pixels(), 0u);
  bench::time_if_it_draws(state, dst.bits, dst.pixels(), int64_t(dst.pixels()), call);
}

void Memcpy(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Canvas src(w, h), dst(w, h);
  run(state, dst, [&] { std::memcpy(dst.bits, src.bits, size_t(w) * h * 4); });
}

void BitBltSrcCopy(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Canvas src(w, h), dst(w, h);
  run(state, dst, [&] { BitBlt(dst.dc, 0, 0, w, h, src.dc, 0, 0, SRCCOPY); });
}

// The fixed cost of a call: validation, clipping and set-up around one pixel.
void BitBltOnePixel(benchmark::State& state) {
  Canvas src(8, 8), dst(8, 8);
  for (auto _ : state) benchmark::DoNotOptimize(BitBlt(dst.dc, 1, 1, 1, 1, src.dc, 0, 0, SRCCOPY));
}

// Arguments: source width and height, destination width and height.
void StretchBltColorOnColor(benchmark::State& state) {
  const int sw = int(state.range(0)), sh = int(state.range(1)), dw = int(state.range(2)), dh = int(state.range(3));
  Canvas src(sw, sh), dst(dw, dh);
  SetStretchBltMode(dst.dc, COLORONCOLOR);
  run(state, dst, [&] { StretchBlt(dst.dc, 0, 0, dw, dh, src.dc, 0, 0, sw, sh, SRCCOPY); });
}

void PixmanNearest(benchmark::State& state) {
  const int sw = int(state.range(0)), sh = int(state.range(1)), dw = int(state.range(2)), dh = int(state.range(3));
  Canvas src(sw, sh), dst(dw, dh);
  pixman_image_t* from = pixman_image_create_bits(PIXMAN_a8r8g8b8, sw, sh, src.bits, sw * 4);
  pixman_image_t* to = pixman_image_create_bits(PIXMAN_a8r8g8b8, dw, dh, dst.bits, dw * 4);
  pixman_transform_t scale;
  pixman_transform_init_scale(&scale, pixman_double_to_fixed(double(sw) / dw), pixman_double_to_fixed(double(sh) / dh));
  pixman_image_set_transform(from, &scale);
  pixman_image_set_filter(from, PIXMAN_FILTER_NEAREST, nullptr, 0);
  run(state, dst, [&] { pixman_image_composite32(PIXMAN_OP_SRC, from, nullptr, to, 0, 0, 0, 0, 0, 0, dw, dh); });
  pixman_image_unref(from);
  pixman_image_unref(to);
}

void stretches(benchmark::internal::Benchmark* b) {
  b->Args({1920, 1080, 1600, 900})->Args({1600, 900, 3840, 2160})->Args({1920, 1080, 3840, 2160});
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(Memcpy)->Args({1600, 900})->Args({3840, 2160})->Args({128, 128})->Unit(benchmark::kMicrosecond);
BENCHMARK(BitBltSrcCopy)->Args({1600, 900})->Args({3840, 2160})->Args({128, 128})->Unit(benchmark::kMicrosecond);
BENCHMARK(BitBltOnePixel);
BENCHMARK(StretchBltColorOnColor)->Apply(stretches);
BENCHMARK(PixmanNearest)->Apply(stretches);

}  // namespace

BENCHMARK_MAIN();
