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
#include <array>
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

// The reference of a form: pixman OVER unscaled, nearest or cubic, OVER
// masked with the filter image, or one memcpy.
enum class reference { over, nearest, cubic, filter_mask, memcpy };

// Destination width, height and constant alpha of each case of a form.
using case_args = std::vector<std::array<int64_t, 3>>;
const case_args kSizes = {{1600, 900, 255}, {3840, 2160, 255}, {128, 128, 255}};
const case_args kSizesAnd128 = {{1600, 900, 255}, {1600, 900, 128}, {3840, 2160, 255}, {128, 128, 255}};

struct form {
  const char* name;
  bool stretched, premultiplied;
  case_args cases;
  reference against;
  void (*frond)(images&, uint8_t alpha);
};

const form forms[] = {
    {"Alphablend", false, false, kSizesAnd128, reference::over,
     [](images& im, uint8_t a) { frond::putimage_alphablend(&im.dst, &im.src, 0, 0, a, 0); }},
    {"Premultiplied", false, true, kSizesAnd128, reference::over,
     [](images& im, uint8_t a) { frond::putimage_alphablend(&im.dst, &im.src, 0, 0, a, 1); }},
    {"Withalpha", false, false, kSizes, reference::over,
     [](images& im, uint8_t) { frond::putimage_withalpha(&im.dst, &im.src, 0, 0, 0, 0, 0, 0); }},
    {"Alphatransparent", false, false, {{1600, 900, 128}, {3840, 2160, 128}}, reference::over,
     [](images& im, uint8_t a) {
       frond::putimage_alphatransparent(&im.dst, &im.src, 0, 0, 0xFF000000, a, 0, 0, 0, 0);
     }},
    {"Alphafilter", false, false, kSizes, reference::filter_mask,
     [](images& im, uint8_t) { frond::putimage_alphafilter(&im.dst, &im.src, 0, 0, &im.filter, 0, 0, 0, 0); }},
    {"Transparent", false, false, kSizes, reference::memcpy,
     [](images& im, uint8_t) { frond::putimage_transparent(&im.dst, &im.src, 0, 0, 0xFF000000, 0, 0, 0, 0); }},
    {"StretchedAlphablend", true, false, kSizesAnd128, reference::nearest,
     [](images& im, uint8_t a) {
       frond::putimage_alphablend(&im.dst, &im.src, 0, 0, im.dst.width, im.dst.height, a, 0, 0, 0, 0, false, 0);
     }},
    {"StretchedPremultiplied", true, true, kSizesAnd128, reference::nearest,
     [](images& im, uint8_t a) {
       frond::putimage_alphablend(&im.dst, &im.src, 0, 0, im.dst.width, im.dst.height, a, 0, 0, 0, 0, false, 1);
     }},
    {"StretchedWithalpha", true, false, kSizes, reference::nearest,
     [](images& im, uint8_t) {
       frond::putimage_withalpha(&im.dst, &im.src, 0, 0, im.dst.width, im.dst.height, 0, 0, 0, 0, false);
     }},
    {"StretchedSmooth", true, false, {{1600, 900, 255}, {1600, 900, 128}}, reference::cubic,
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
// or the filter image) and an optional scaling of the source; or, for the
// colour-key blit, which reads and writes what one copy does plus the
// destination read, one memcpy.
void Reference(benchmark::State& state, const form& f) {
  images im(state, f.stretched, f.premultiplied);
  const int w = im.dst.width, h = im.dst.height;
  if (f.against == reference::memcpy)
    return run(state, im, [&] { std::memcpy(im.dst.pixels, im.src.pixels, size_t(w) * h * 4); });
  const bench::pixman_ptr src = bench::pixman_wrap(im.src), dst = bench::pixman_wrap(im.dst);
  const uint16_t alpha = uint16_t(alpha_arg(state) * 0x101);
  const pixman_color_t mask_colour = {0, 0, 0, alpha};
  const bench::pixman_ptr mask = f.against == reference::filter_mask ? bench::pixman_wrap(im.filter)
                                 : alpha != 0xFFFF ? bench::pixman_ptr(pixman_image_create_solid_fill(&mask_colour))
                                                   : nullptr;
  const double sx = double(im.src.width) / w, sy = double(im.src.height) / h;
  if (f.against == reference::nearest) bench::pixman_scale(src.get(), sx, sy, PIXMAN_FILTER_NEAREST);
  if (f.against == reference::cubic) {
    int count = 0;
    pixman_fixed_t* p = pixman_filter_create_separable_convolution(
        &count, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy), PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_CUBIC,
        PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_IMPULSE, 4, 4);
    bench::pixman_scale(src.get(), sx, sy, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, p, count);
    free(p);
  }
  run(state, im,
      [&] { pixman_image_composite32(PIXMAN_OP_OVER, src.get(), mask.get(), dst.get(), 0, 0, 0, 0, 0, 0, w, h); });
}

// The fixed cost of a call: checks, selector, clipping around one pixel.
void FrondAlphablendOnePixel(benchmark::State& state) {
  IMAGE src(1, 1), dst(1, 1);
  for (auto _ : state) benchmark::DoNotOptimize(frond::putimage_alphablend(&dst, &src, 0, 0, 128, 0));
}

}  // namespace

int main(int argc, char** argv) {
  for (const form& f : forms) {
    const std::string name = f.name, against = f.against == reference::memcpy ? "Memcpy" : "Pixman";
    for (benchmark::internal::Benchmark* b : {benchmark::RegisterBenchmark(("Frond" + name).c_str(), Frond, f),
                                              benchmark::RegisterBenchmark((against + name).c_str(), Reference, f)})
      for (const auto& args : f.cases) b->Args({args[0], args[1], args[2]})->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("FrondAlphablendOnePixel", FrondAlphablendOnePixel);
  return bench::run_benchmarks(argc, argv);
}
