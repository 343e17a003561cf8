// The image blends against their competitors in the same run:
// putimage_alphablend (straight alpha) against pixman's OVER compositing of
// the same sizes (plain, and with a solid mask for the constant alpha);
// putimage_transparent against two memcpy calls of the same bytes; and the
// 4- and 8-neighbour blurs. Full-size (1600x900) and cache-resident (128x128)
// cases are measured apart, and the fixed cost of a call on one pixel.
// On a busy machine run with --benchmark_enable_random_interleaving=true
// --benchmark_repetitions=10 so that both sides of a comparison see the same load.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <cstring>
#include <random>

#include "graphics/frond.h"

namespace {

using frond::IMAGE;

// An image filled with noise whose alpha bytes favour 0 and 255, like real
// sprites (the other bytes are uniform).
void fill_noise(IMAGE* img, uint32_t seed) {
  std::mt19937 rng(seed);
  for (size_t i = 0; i < size_t(img->width) * size_t(img->height); ++i) {
    const uint32_t alpha = rng() % 3 == 0 ? 0xFF000000 : rng() % 2 == 0 ? 0 : rng() << 24;
    img->pixels[i] = (rng() & 0x00FFFFFF) | alpha;
  }
}

struct image_pair {
  image_pair(int w, int h) : src(w, h), dst(w, h) {
    fill_noise(&src, 1);
    fill_noise(&dst, 2);
  }
  int64_t pixels() const { return int64_t(src.width) * src.height; }
  IMAGE src, dst;
};

void FrondAlphablend(benchmark::State& state) {
  image_pair images(int(state.range(0)), int(state.range(1)));
  const uint8_t alpha = uint8_t(state.range(2));
  for (auto _ : state) {
    frond::putimage_alphablend(&images.dst, &images.src, 0, 0, alpha, 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * images.pixels());
}

// OVER of the same buffers; with alpha below 255 a solid mask scales the source.
void PixmanOver(benchmark::State& state) {
  image_pair images(int(state.range(0)), int(state.range(1)));
  const int w = images.src.width, h = images.src.height;
  pixman_image_t* src = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, images.src.pixels, w * 4);
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, images.dst.pixels, w * 4);
  const uint16_t alpha = uint16_t(state.range(2) * 0x101);
  const pixman_color_t mask_colour = {0, 0, 0, alpha};
  pixman_image_t* mask = alpha == 0xFFFF ? nullptr : pixman_image_create_solid_fill(&mask_colour);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dst, 0, 0, 0, 0, 0, 0, w, h);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * images.pixels());
  if (mask) pixman_image_unref(mask);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

void FrondTransparent(benchmark::State& state) {
  image_pair images(int(state.range(0)), int(state.range(1)));
  for (auto _ : state) {
    frond::putimage_transparent(&images.dst, &images.src, 0, 0, 0xFF000000, 0, 0, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * images.pixels() * 4);
}

void MemcpyTwice(benchmark::State& state) {
  image_pair images(int(state.range(0)), int(state.range(1)));
  const size_t bytes = size_t(images.pixels()) * 4;
  for (auto _ : state) {
    std::memcpy(images.dst.pixels, images.src.pixels, bytes);
    benchmark::ClobberMemory();
    std::memcpy(images.dst.pixels, images.src.pixels, bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(bytes));
}

// Intensity 100 takes the 4-neighbour kernel, 200 the 8-neighbour one.
void FrondBlur(benchmark::State& state) {
  IMAGE img(int(state.range(0)), int(state.range(1)));
  fill_noise(&img, 3);
  for (auto _ : state) {
    img.imagefilter_blurring(int(state.range(2)), 256, 0, 0, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * int64_t(img.width) * img.height);
}

// The fixed cost of a call: checks, selector, clipping around one pixel.
void FrondAlphablendOnePixel(benchmark::State& state) {
  image_pair images(1, 1);
  for (auto _ : state) benchmark::DoNotOptimize(frond::putimage_alphablend(&images.dst, &images.src, 0, 0, 128, 0));
}

BENCHMARK(FrondAlphablend)->Args({1600, 900, 255})->Args({1600, 900, 128})->Args({128, 128, 255})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(PixmanOver)->Args({1600, 900, 255})->Args({1600, 900, 128})->Args({128, 128, 255})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(FrondTransparent)->Args({1600, 900})->Args({128, 128})->Unit(benchmark::kMicrosecond);
BENCHMARK(MemcpyTwice)->Args({1600, 900})->Args({128, 128})->Unit(benchmark::kMicrosecond);
BENCHMARK(FrondBlur)->Args({1600, 900, 100})->Args({1600, 900, 200})->Unit(benchmark::kMicrosecond);
BENCHMARK(FrondAlphablendOnePixel);

}  // namespace

BENCHMARK_MAIN();
