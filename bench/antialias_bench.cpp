// GDI+ fills: an opaque frond_fillrect over a whole 1600x900 image beside
// pixman writing the same pixels, the platform's own GdipFillRectangle of a
// 1600x900 DIB section beside a plain loop writing the same pixels, and
// filled circles of radius 50 per second, anti-aliased and aliased, beside
// AGG filling the same circles on the same pixels directly (ellipse, scanline
// rasteriser, solid renderer, source-over with its BGRA pixel format). The
// rectangle fills check that they covered the image, Frond's circles that
// they drew.
// Depends on: Frond, the platform's GDI+ header, pixman, AGG, support/.
#include <agg_ellipse.h>
#include <agg_pixfmt_rgba.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_renderer_scanline.h>
#include <agg_scanline_p.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>

#include "frond/frond.h"
#include "platform/gdiplus.h"
#include "support/bench_support.h"

namespace {

constexpr int kWidth = 1600, kHeight = 900, kPixels = kWidth * kHeight;

// After the timed fills: every pixel of the image is the fill colour.
void check_filled(benchmark::State& state, const frond::IMAGE& image, uint32_t colour) {
  for (size_t i = 0; i < size_t(kPixels); ++i)
    if (image.pixels[i] != colour) return state.SkipWithError("the fill did not cover the image");
}

void PixmanFill(benchmark::State& state) {
  frond::IMAGE image(kWidth, kHeight);
  const bench::pixman_ptr surface = bench::pixman_wrap(image);
  const pixman_color_t color = {0x3333, 0x6666, 0x9999, 0xFFFF};
  const pixman_rectangle16_t whole = {0, 0, kWidth, kHeight};
  bench::time_calls(state, kPixels,
                    [&] { pixman_image_fill_rectangles(PIXMAN_OP_SRC, surface.get(), &color, 1, &whole); });
  check_filled(state, image, 0xFF336699);
}

void FrondFillRectOpaque(benchmark::State& state) {
  frond::IMAGE image(kWidth, kHeight);
  frond::setantialias(state.range(0) != 0, &image);
  frond::setfillcolor(0xFF336699, &image);
  bench::time_calls(state, kPixels, [&] { frond::frond_fillrect(0, 0, kWidth, kHeight, &image); });
  check_filled(state, image, 0xFF336699);
  state.SetLabel(state.range(0) ? "anti-aliased" : "aliased");
}

// The bounds and the pointer live in locals: read through the struct, every
// store to a pixel could change them as far as the compiler knows, and the
// loop would reload them per pixel instead of being vectorised.
void PlainLoopFill(benchmark::State& state) {
  bench::DibCanvas canvas(kWidth, kHeight);
  uint32_t* const bits = canvas.pixels;
  uint32_t color = 0xFF336699;
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y) {
      uint32_t* row = bits + size_t(y) * kWidth;
      for (int x = 0; x < kWidth; ++x) row[x] = color;
    }
    benchmark::ClobberMemory();
    color ^= 0x00010101;
  }
  state.SetItemsProcessed(state.iterations() * kPixels);
}

void GdipFillRectangleOpaque(benchmark::State& state) {
  bench::DibCanvas canvas(kWidth, kHeight);
  Gdiplus::GpGraphics* graphics = nullptr;
  Gdiplus::GpSolidFill* brush = nullptr;
  Gdiplus::GdipCreateFromHDC(canvas.dc, &graphics);
  Gdiplus::GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHalf);
  Gdiplus::GdipCreateSolidFill(0xFF336699, &brush);
  const auto fill = reinterpret_cast<Gdiplus::GpBrush*>(brush);
  bench::time_calls(state, kPixels, [&] { Gdiplus::GdipFillRectangle(graphics, fill, 0, 0, kWidth, kHeight); });
  Gdiplus::GdipDeleteBrush(fill);
  Gdiplus::GdipDeleteGraphics(graphics);
}

// Circles of radius 50 on a 640x480 image, each at the next of a walk of places.
int circle_x(int i) { return 60 + (i * 37) % 500; }
int circle_y(int i) { return 60 + (i * 53) % 340; }

void FrondFillCircle(benchmark::State& state) {
  frond::IMAGE image(640, 480);
  frond::setantialias(state.range(0) != 0, &image);
  frond::setfillcolor(0xC0336699, &image);
  int i = 0;
  bench::time_if_it_draws(state, image, 1, [&] {
    frond::frond_fillcircle(float(circle_x(i)), float(circle_y(i)), 50, &image);
    ++i;
  });
  state.SetLabel(state.range(0) ? "anti-aliased, radius 50" : "aliased, radius 50");
}

// The same circles through AGG used directly on the image's pixels.
void AggFillCircle(benchmark::State& state) {
  frond::IMAGE image(640, 480);
  agg::rendering_buffer buffer(reinterpret_cast<agg::int8u*>(image.pixels), 640, 480, 640 * 4);
  agg::pixfmt_bgra32 pixels(buffer);
  agg::renderer_base<agg::pixfmt_bgra32> base(pixels);
  agg::renderer_scanline_aa_solid<agg::renderer_base<agg::pixfmt_bgra32>> solid(base);
  agg::renderer_scanline_bin_solid<agg::renderer_base<agg::pixfmt_bgra32>> aliased(base);
  agg::rasterizer_scanline_aa<> rasterizer;
  agg::scanline_p8 scanline;
  const agg::rgba8 colour(0x33, 0x66, 0x99, 0xC0);
  solid.color(colour);
  aliased.color(colour);
  if (state.range(0) == 0) rasterizer.gamma(agg::gamma_threshold(0.5));
  int i = 0;
  for (auto _ : state) {  // in place: behind a call AGG's loops run slower
    agg::ellipse circle(circle_x(i), circle_y(i), 50, 50, 64);
    rasterizer.reset();
    rasterizer.add_path(circle);
    if (state.range(0))
      agg::render_scanlines(rasterizer, scanline, solid);
    else
      agg::render_scanlines(rasterizer, scanline, aliased);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(state.range(0) ? "anti-aliased, radius 50" : "aliased, radius 50");
}

}  // namespace

BENCHMARK(PixmanFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(FrondFillRectOpaque)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainLoopFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(GdipFillRectangleOpaque)->Unit(benchmark::kMicrosecond);
BENCHMARK(FrondFillCircle)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(AggFillCircle)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
