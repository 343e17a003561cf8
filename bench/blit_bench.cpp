// BitBlt and StretchBlt against their competitors in the same run: SRCCOPY
// against a plain memcpy of the same bytes, COLORONCOLOR stretching (down
// from 1920x1080 to 1600x900, and up to 3840x2160, beyond the last-level
// cache) against pixman's nearest-neighbour scaling of the same picture. The
// cache-resident cases are measured apart from the full-size ones; every
// case checks that its call changed the destination.
// Depends on: the platform's public GDI header, pixman, support/.
#include <algorithm>
#include <cstring>

#include "support/bench_support.h"

namespace {

using Canvas = bench::DibCanvas;

// A source of the first two arguments, a destination of the last two (of
// the first two unless `stretch`), cleared so that the first call is seen to write
// it; times the call `make(src, dst)` returns.
template <class Make>
void run(benchmark::State& state, Make make, bool stretch = false) {
  Canvas src(int(state.range(0)), int(state.range(1)));
  Canvas dst(int(state.range(stretch ? 2 : 0)), int(state.range(stretch ? 3 : 1)));
  std::fill(dst.pixels, dst.pixels + size_t(dst.width) * dst.height, 0u);
  const auto call = make(src, dst);
  bench::time_if_it_draws(state, dst, int64_t(dst.width) * dst.height, call);
}

void Memcpy(benchmark::State& state) {
  run(state, [](Canvas& s, Canvas& d) {
    return [&] { std::memcpy(d.pixels, s.pixels, size_t(d.width) * d.height * 4); };
  });
}

void BitBltSrcCopy(benchmark::State& state) {
  run(state, [](Canvas& s, Canvas& d) { return [&] { BitBlt(d.dc, 0, 0, d.width, d.height, s.dc, 0, 0, SRCCOPY); }; });
}

// Arguments: source width and height, destination width and height.
void StretchBltColorOnColor(benchmark::State& state) {
  run(state, [](Canvas& s, Canvas& d) {
    SetStretchBltMode(d.dc, COLORONCOLOR);
    return [&] { StretchBlt(d.dc, 0, 0, d.width, d.height, s.dc, 0, 0, s.width, s.height, SRCCOPY); };
  }, true);
}

void PixmanNearest(benchmark::State& state) {
  bench::pixman_ptr from, to;
  run(state, [&](Canvas& s, Canvas& d) {
    from = bench::pixman_wrap(s), to = bench::pixman_wrap(d);
    bench::pixman_scale(from.get(), double(s.width) / d.width, double(s.height) / d.height, PIXMAN_FILTER_NEAREST);
    return [&] {
      pixman_image_composite32(PIXMAN_OP_SRC, from.get(), nullptr, to.get(), 0, 0, 0, 0, 0, 0, d.width, d.height);
    };
  }, true);
}

void sizes(benchmark::internal::Benchmark* b) {
  b->Args({1600, 900})->Args({3840, 2160})->Args({128, 128})->Unit(benchmark::kMicrosecond);
}
void stretches(benchmark::internal::Benchmark* b) {
  b->Args({1920, 1080, 1600, 900})->Args({1600, 900, 3840, 2160})->Args({1920, 1080, 3840, 2160});
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(Memcpy)->Apply(sizes);
BENCHMARK(BitBltSrcCopy)->Apply(sizes);
BENCHMARK(StretchBltColorOnColor)->Apply(stretches);
BENCHMARK(PixmanNearest)->Apply(stretches);

}  // namespace

BENCHMARK_MAIN();
