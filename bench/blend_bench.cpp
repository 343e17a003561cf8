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
// Depends on: Frond, pixman, support/.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "frond/frond.h"
#include "support/bench_support.h"

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
  IMAGE dst, src, filter;
};

void run(benchmark::State& state, images& im, const std::function<void()>& call) {
  bench::time_if_it_draws(state, im.dst, int64_t(im.dst.width) * im.dst.height, call);
}

int alpha_arg(const benchmark::State& state) { return int(state.range(2)); }

// ---- Frond ------------------------------------------------------------------------

enum class sampling { none, nearest, cubic };

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
void smooth(benchmark::internal::Benchmark* b) {
  b->Args({1600, 900, 255})->Args({1600, 900, 128})->Unit(benchmark::kMillisecond);
}

using blend_call = void (*)(images&, uint8_t alpha);

struct form {
  const char* name;
  bool stretched, premultiplied;
  void (*sizes)(benchmark::internal::Benchmark*);
  sampling reference;  // pixman's scaling; Alphafilter masks with the filter image
  blend_call frond;
};

const form forms[] = {
    {"Alphablend", false, false, sizes_with_alpha, sampling::none,
     [](images& im, uint8_t a) { frond::putimage_alphablend(&im.dst, &im.src, 0, 0, a, 0); }},
    {"Premultiplied", false, true, sizes_with_alpha, sampling::none,
     [](images& im, uint8_t a) { frond::putimage_alphablend(&im.dst, &im.src, 0, 0, a, 1); }},
    {"Withalpha", false, false, sizes, sampling::none,
     [](images& im, uint8_t) { frond::putimage_withalpha(&im.dst, &im.src, 0, 0, 0, 0, 0, 0); }},
    {"Alphatransparent", false, false, alpha_128, sampling::none,
     [](images& im, uint8_t a) {
       frond::putimage_alphatransparent(&im.dst, &im.src, 0, 0, 0xFF000000, a, 0, 0, 0, 0);
     }},
    {"Alphafilter", false, false, sizes, sampling::none,
     [](images& im, uint8_t) { frond::putimage_alphafilter(&im.dst, &im.src, 0, 0, &im.filter, 0, 0, 0, 0); }},
    {"Transparent", false, false, sizes, sampling::none,
     [](images& im, uint8_t) { frond::putimage_transparent(&im.dst, &im.src, 0, 0, 0xFF000000, 0, 0, 0, 0); }},
    {"StretchedAlphablend", true, false, sizes_with_alpha, sampling::nearest,
     [](images& im, uint8_t a) {
       frond::putimage_alphablend(&im.dst, &im.src, 0, 0, im.dst.width, im.dst.height, a, 0, 0, 0, 0, false, 0);
     }},
    {"StretchedPremultiplied", true, true, sizes_with_alpha, sampling::nearest,
     [](images& im, uint8_t a) {
       frond::putimage_alphablend(&im.dst, &im.src, 0, 0, im.dst.width, im.dst.height, a, 0, 0, 0, 0, false, 1);
     }},
    {"StretchedWithalpha", true, false, sizes, sampling::nearest,
     [](images& im, uint8_t) {
       frond::putimage_withalpha(&im.dst, &im.src, 0, 0, im.dst.width, im.dst.height, 0, 0, 0, 0, false);
     }},
    {"StretchedSmooth", true, false, smooth, sampling::cubic,
     [](images& im, uint8_t a) {
       frond::putimage_alphablend(&im.dst, &im.src, 0, 0, im.dst.width, im.dst.height, a, 0, 0, 0, 0, true, 0);
     }},
};

void Frond(benchmark::State& state, const form& f) {
  images im(state, f.stretched, f.premultiplied);
  run(state, im, [&] { f.frond(im, uint8_t(alpha_arg(state))); });
}

// ---- references --------------------------------------------------------------------

// OVER of the same buffers, with an optional mask (a solid alpha below 255,
// or the filter image) and an optional scaling of the source.
void pixman_over(benchmark::State& state, images& im, sampling scale, bool filter_mask) {
  const bench::pixman_ptr src = bench::pixman_wrap(im.src), dst = bench::pixman_wrap(im.dst);
  const uint16_t alpha = uint16_t(alpha_arg(state) * 0x101);
  const pixman_color_t mask_colour = {0, 0, 0, alpha};
  const bench::pixman_ptr mask = filter_mask     ? bench::pixman_wrap(im.filter)
                                 : alpha != 0xFFFF ? bench::pixman_ptr(pixman_image_create_solid_fill(&mask_colour))
                                                   : nullptr;
  const double sx = double(im.src.width) / im.dst.width, sy = double(im.src.height) / im.dst.height;
  if (scale == sampling::nearest) bench::pixman_scale(src.get(), sx, sy, PIXMAN_FILTER_NEAREST);
  if (scale == sampling::cubic) {
    int count = 0;
    pixman_fixed_t* p = pixman_filter_create_separable_convolution(
        &count, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy), PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_CUBIC,
        PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_IMPULSE, 4, 4);
    bench::pixman_scale(src.get(), sx, sy, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, p, count);
    free(p);
  }
  const int w = im.dst.width, h = im.dst.height;
  run(state, im,
      [&] { pixman_image_composite32(PIXMAN_OP_OVER, src.get(), mask.get(), dst.get(), 0, 0, 0, 0, 0, 0, w, h); });
}

// The reference of each form: OVER with the form's scaling; the filter
// image as the mask of Alphafilter.
void Pixman(benchmark::State& state, const form& f) {
  images im(state, f.stretched, f.premultiplied);
  pixman_over(state, im, f.reference, std::string(f.name) == "Alphafilter");
}

// The colour-key blit reads and writes what one copy does, plus the destination read.
void MemcpyTransparent(benchmark::State& state) {
  images im(state, false);
  run(state, im, [&] { std::memcpy(im.dst.pixels, im.src.pixels, size_t(im.dst.width) * im.dst.height * 4); });
}

// The fixed cost of a call: checks, selector, clipping around one pixel.
void FrondAlphablendOnePixel(benchmark::State& state) {
  IMAGE src(1, 1), dst(1, 1);
  for (auto _ : state) benchmark::DoNotOptimize(frond::putimage_alphablend(&dst, &src, 0, 0, 128, 0));
}

}  // namespace

int main(int argc, char** argv) {
  for (const form& f : forms) {
    const std::string name = f.name;
    benchmark::RegisterBenchmark(("Frond" + name).c_str(), Frond, f)->Apply(f.sizes);
    if (name == "Transparent")
      benchmark::RegisterBenchmark("MemcpyTransparent", MemcpyTransparent)->Apply(f.sizes);
    else
      benchmark::RegisterBenchmark(("Pixman" + name).c_str(), Pixman, f)->Apply(f.sizes);
  }
  benchmark::RegisterBenchmark("FrondAlphablendOnePixel", FrondAlphablendOnePixel);
  return bench::run_benchmarks(argc, argv);
}
