// Every blend form against its competitor in the same run. Each Frond case
// has a reference of the same name with "Pixman" (or "Memcpy") in front:
//   Alphablend          straight alpha, unstretched     pixman OVER (solid mask below 255)
//   Premultiplied       AlphaBlend, unstretched         pixman OVER (solid mask below 255)
//   Withalpha           unstretched                     pixman OVER
//   Alphatransparent    colour key and constant alpha   pixman OVER with a solid mask
//   Alphafilter         weighted by a filter image      pixman OVER with an a8r8g8b8 mask
//   Transparent         colour key                      one memcpy of the same pixels
//   Stretched*          nearest neighbour, 3:4 up       pixman nearest OVER (solid mask below 255)
//   StretchedSmooth     bicubic, 3:4 up                 pixman separable-convolution cubic
// Sizes are the destination's: 1600x900, 3840x2160 (beyond the last-level
// cache) and 128x128 (cache-resident); the fixed cost of a call is measured
// on one pixel. Every case checks that its call changed the destination.
// Run with --benchmark_enable_random_interleaving=true
// --benchmark_repetitions=5 so that both sides of a comparison see the same load.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "graphics/frond.h"

namespace {

using frond::IMAGE;

// An image filled with noise whose alpha bytes favour 0 and 255, like real
// sprites (the other bytes are uniform). Premultiplied on request.
void fill_noise(IMAGE* img, uint32_t seed, bool premultiplied = false) {
  std::mt19937 rng(seed);
  for (size_t i = 0; i < size_t(img->width) * size_t(img->height); ++i) {
    const uint32_t alpha = rng() % 3 == 0 ? 255 : rng() % 2 == 0 ? 0 : rng() & 0xFF;
    uint32_t pixel = rng() & 0x00FFFFFF;
    if (premultiplied) {
      const auto scale = [alpha](uint32_t c) { return (c * alpha + 127) / 255; };
      pixel = scale(pixel >> 16) << 16 | scale((pixel >> 8) & 0xFF) << 8 | scale(pixel & 0xFF);
    }
    img->pixels[i] = alpha << 24 | pixel;
  }
}

// A source, a destination and a filter; the source is 3/4 of the destination
// for the stretched cases.
struct images {
  images(const benchmark::State& state, bool stretched, bool premultiplied = false)
      : dst(int(state.range(0)), int(state.range(1))),
        src(stretched ? dst.width * 3 / 4 : dst.width, stretched ? dst.height * 3 / 4 : dst.height),
        filter(src.width, src.height) {
    fill_noise(&src, 1, premultiplied);
    fill_noise(&dst, 2);
    fill_noise(&filter, 3);
  }
  int64_t pixels() const { return int64_t(dst.width) * dst.height; }
  IMAGE dst, src, filter;
};

// Runs `call` once on a copy of the destination to see that it draws, then
// times it.
void run(benchmark::State& state, images& im, const std::function<void()>& call) {
  const std::vector<uint32_t> before(im.dst.pixels, im.dst.pixels + im.pixels());
  call();
  if (std::memcmp(before.data(), im.dst.pixels, before.size() * 4) == 0)
    return state.SkipWithError("the call left the destination unchanged");
  for (auto _ : state) {
    call();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * im.pixels());
}

int alpha_arg(const benchmark::State& state) { return int(state.range(2)); }

// ---- Frond ------------------------------------------------------------------------

void FrondAlphablend(benchmark::State& state) {
  images im(state, false);
  run(state, im, [&] { frond::putimage_alphablend(&im.dst, &im.src, 0, 0, uint8_t(alpha_arg(state)), 0); });
}

void FrondPremultiplied(benchmark::State& state) {
  images im(state, false, true);
  run(state, im, [&] { frond::putimage_alphablend(&im.dst, &im.src, 0, 0, uint8_t(alpha_arg(state)), 1); });
}

void FrondWithalpha(benchmark::State& state) {
  images im(state, false);
  run(state, im, [&] { frond::putimage_withalpha(&im.dst, &im.src, 0, 0, 0, 0, 0, 0); });
}

void FrondAlphatransparent(benchmark::State& state) {
  images im(state, false);
  run(state, im,
      [&] { frond::putimage_alphatransparent(&im.dst, &im.src, 0, 0, 0xFF000000, uint8_t(alpha_arg(state)), 0, 0, 0, 0); });
}

void FrondAlphafilter(benchmark::State& state) {
  images im(state, false);
  run(state, im, [&] { frond::putimage_alphafilter(&im.dst, &im.src, 0, 0, &im.filter, 0, 0, 0, 0); });
}

void FrondTransparent(benchmark::State& state) {
  images im(state, false);
  run(state, im, [&] { frond::putimage_transparent(&im.dst, &im.src, 0, 0, 0xFF000000, 0, 0, 0, 0); });
}

void FrondStretchedAlphablend(benchmark::State& state) {
  images im(state, true);
  run(state, im, [&] {
    frond::putimage_alphablend(&im.dst, &im.src, 0, 0, im.dst.width, im.dst.height, uint8_t(alpha_arg(state)), 0, 0,
                               0, 0, false, 0);
  });
}

void FrondStretchedPremultiplied(benchmark::State& state) {
  images im(state, true, true);
  run(state, im, [&] {
    frond::putimage_alphablend(&im.dst, &im.src, 0, 0, im.dst.width, im.dst.height, uint8_t(alpha_arg(state)), 0, 0,
                               0, 0, false, 1);
  });
}

void FrondStretchedWithalpha(benchmark::State& state) {
  images im(state, true);
  run(state, im,
      [&] { frond::putimage_withalpha(&im.dst, &im.src, 0, 0, im.dst.width, im.dst.height, 0, 0, 0, 0, false); });
}

void FrondStretchedSmooth(benchmark::State& state) {
  images im(state, true);
  run(state, im, [&] {
    frond::putimage_alphablend(&im.dst, &im.src, 0, 0, im.dst.width, im.dst.height, uint8_t(alpha_arg(state)), 0, 0,
                               0, 0, true, 0);
  });
}

// ---- references --------------------------------------------------------------------

enum class sampling { none, nearest, cubic };

// OVER of the same buffers, with an optional mask (a solid alpha below 255,
// or the filter image) and an optional scaling of the source.
void pixman_over(benchmark::State& state, images& im, sampling scale, bool filter_mask) {
  const auto wrap = [](IMAGE& img) {
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, img.width, img.height, img.pixels, img.width * 4);
  };
  pixman_image_t* src = wrap(im.src);
  pixman_image_t* dst = wrap(im.dst);
  pixman_image_t* mask = filter_mask ? wrap(im.filter) : nullptr;
  const uint16_t alpha = uint16_t(alpha_arg(state) * 0x101);
  const pixman_color_t mask_colour = {0, 0, 0, alpha};
  if (!filter_mask && alpha != 0xFFFF) mask = pixman_image_create_solid_fill(&mask_colour);
  std::vector<pixman_fixed_t> params;
  if (scale != sampling::none) {
    const double sx = double(im.src.width) / im.dst.width, sy = double(im.src.height) / im.dst.height;
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy));
    pixman_image_set_transform(src, &transform);
    if (scale == sampling::nearest) {
      pixman_image_set_filter(src, PIXMAN_FILTER_NEAREST, nullptr, 0);
    } else {
      int count = 0;
      pixman_fixed_t* p = pixman_filter_create_separable_convolution(
          &count, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy), PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_CUBIC,
          PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_IMPULSE, 4, 4);
      pixman_image_set_filter(src, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, p, count);
      free(p);
    }
  }
  const int w = im.dst.width, h = im.dst.height;
  run(state, im, [&] { pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dst, 0, 0, 0, 0, 0, 0, w, h); });
  if (mask) pixman_image_unref(mask);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

void PixmanAlphablend(benchmark::State& state) {
  images im(state, false);
  pixman_over(state, im, sampling::none, false);
}
void PixmanPremultiplied(benchmark::State& state) {
  images im(state, false, true);
  pixman_over(state, im, sampling::none, false);
}
void PixmanWithalpha(benchmark::State& state) {
  images im(state, false);
  pixman_over(state, im, sampling::none, false);
}
void PixmanAlphatransparent(benchmark::State& state) {
  images im(state, false);
  pixman_over(state, im, sampling::none, false);
}
void PixmanAlphafilter(benchmark::State& state) {
  images im(state, false);
  pixman_over(state, im, sampling::none, true);
}
void PixmanStretchedAlphablend(benchmark::State& state) {
  images im(state, true);
  pixman_over(state, im, sampling::nearest, false);
}
void PixmanStretchedPremultiplied(benchmark::State& state) {
  images im(state, true, true);
  pixman_over(state, im, sampling::nearest, false);
}
void PixmanStretchedWithalpha(benchmark::State& state) {
  images im(state, true);
  pixman_over(state, im, sampling::nearest, false);
}
void PixmanStretchedSmooth(benchmark::State& state) {
  images im(state, true);
  pixman_over(state, im, sampling::cubic, false);
}

// The colour-key blit reads and writes what one copy does, plus the destination read.
void MemcpyTransparent(benchmark::State& state) {
  images im(state, false);
  run(state, im, [&] { std::memcpy(im.dst.pixels, im.src.pixels, size_t(im.pixels()) * 4); });
}

// The fixed cost of a call: checks, selector, clipping around one pixel.
void FrondAlphablendOnePixel(benchmark::State& state) {
  IMAGE src(1, 1), dst(1, 1);
  for (auto _ : state) benchmark::DoNotOptimize(frond::putimage_alphablend(&dst, &src, 0, 0, 128, 0));
}

// Destination width, height and the constant alpha.
void sizes_with_alpha(benchmark::internal::Benchmark* b) {
  for (int alpha : {255, 128}) b->Args({1600, 900, alpha});
  b->Args({3840, 2160, 255})->Args({128, 128, 255})->Unit(benchmark::kMicrosecond);
}
void sizes(benchmark::internal::Benchmark* b) {
  b->Args({1600, 900, 255})->Args({3840, 2160, 255})->Args({128, 128, 255})->Unit(benchmark::kMicrosecond);
}
void alpha_128(benchmark::internal::Benchmark* b) {
  b->Args({1600, 900, 128})->Args({3840, 2160, 128})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(FrondAlphablend)->Apply(sizes_with_alpha);
BENCHMARK(PixmanAlphablend)->Apply(sizes_with_alpha);
BENCHMARK(FrondPremultiplied)->Apply(sizes_with_alpha);
BENCHMARK(PixmanPremultiplied)->Apply(sizes_with_alpha);
BENCHMARK(FrondWithalpha)->Apply(sizes);
BENCHMARK(PixmanWithalpha)->Apply(sizes);
BENCHMARK(FrondAlphatransparent)->Apply(alpha_128);
BENCHMARK(PixmanAlphatransparent)->Apply(alpha_128);
BENCHMARK(FrondAlphafilter)->Apply(sizes);
BENCHMARK(PixmanAlphafilter)->Apply(sizes);
BENCHMARK(FrondTransparent)->Apply(sizes);
BENCHMARK(MemcpyTransparent)->Apply(sizes);
BENCHMARK(FrondStretchedAlphablend)->Apply(sizes_with_alpha);
BENCHMARK(PixmanStretchedAlphablend)->Apply(sizes_with_alpha);
BENCHMARK(FrondStretchedPremultiplied)->Apply(sizes_with_alpha);
BENCHMARK(PixmanStretchedPremultiplied)->Apply(sizes_with_alpha);
BENCHMARK(FrondStretchedWithalpha)->Apply(sizes);
BENCHMARK(PixmanStretchedWithalpha)->Apply(sizes);
BENCHMARK(FrondStretchedSmooth)->Args({1600, 900, 255})->Args({1600, 900, 128})->Unit(benchmark::kMillisecond);
BENCHMARK(PixmanStretchedSmooth)->Args({1600, 900, 255})->Args({1600, 900, 128})->Unit(benchmark::kMillisecond);
BENCHMARK(FrondAlphablendOnePixel);

}  // namespace

BENCHMARK_MAIN();
