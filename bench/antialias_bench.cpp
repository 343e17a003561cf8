// GDI+ fills: an opaque frond_fillrect over a whole 1600x900 image beside
// pixman writing the same pixels, the platform's own GdipFillRectangle of a
// 1600x900 DIB section beside a plain loop writing the same pixels, and two
// shapes, anti-aliased and aliased, beside AGG filling the same outline on
// the same kind of pixels directly: circles of radius 50 per second (each at
// the next place of a walk) and a 1000-point even-odd polygon on 1600x900.
// The rectangle fills (but the plain loop) check that they covered the
// image, Frond's shapes that they drew.
// Depends on: Frond, the platform's GDI+ header, pixman, AGG, support/.
#include <agg_ellipse.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "frond/frond.h"
#include "platform/gdiplus.h"
#include "support/agg_canvas.h"
#include "support/bench_support.h"

namespace {

constexpr int kWidth = 1600, kHeight = 900, kPixels = kWidth * kHeight, kPoints = 1000;

// After the timed fills: every pixel of the image (anything with pixels,
// width and height, rows packed) is the fill colour.
template <class Image>
void check_filled(benchmark::State& state, const Image& image, uint32_t colour) {
  for (size_t i = 0; i < size_t(image.width) * image.height; ++i)
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
  check_filled(state, canvas, 0xFF336699);
  Gdiplus::GdipDeleteBrush(fill);
  Gdiplus::GdipDeleteGraphics(graphics);
}

// Circles of radius 50 on a 640x480 image, call `i` at the `i`th place of a walk.
int circle_x(int i) { return 60 + (i * 37) % 500; }
int circle_y(int i) { return 60 + (i * 53) % 340; }

// A star-like ring of points around the middle of 1600x900 whose radius wanders.
const std::vector<frond::frond_point> polygon = [] {
  std::vector<frond::frond_point> pts;
  for (int i = 0; i < kPoints; ++i) {
    const double a = 2 * 3.14159265358979323846 * i / kPoints;
    const double r = 300 + 120 * std::sin(7 * a) + (i % 2 ? 40 : 0);
    pts.push_back(frond::frond_point{float(800 + 1.5 * r * std::cos(a)), float(450 + r * std::sin(a))});
  }
  return pts;
}();

// A shape filled by Frond and, as the same outline, by AGG's rasteriser;
// `i` counts the calls.
struct shape {
  const char* frond_name;
  const char* agg_name;
  int width, height;
  uint32_t colour;
  void (*frond)(frond::IMAGE* image, int i);
  void (*agg)(agg::rasterizer_scanline_aa<>& rasterizer, int i);
};

const shape shapes[] = {
    {"FrondFillCircle", "AggFillCircle", 640, 480, 0xC0336699,
     [](frond::IMAGE* image, int i) { frond::frond_fillcircle(float(circle_x(i)), float(circle_y(i)), 50, image); },
     [](agg::rasterizer_scanline_aa<>& rasterizer, int i) {
       agg::ellipse circle(circle_x(i), circle_y(i), 50, 50, 64);
       rasterizer.add_path(circle);
     }},
    {"FrondFillPath", "AggFillPolygon", kWidth, kHeight, 0xFF336699,
     [](frond::IMAGE* image, int) {
       static frond::frond_path* const path = [] {
         frond::frond_path* made = frond::frond_path_create();
         frond::frond_path_addpolygon(made, kPoints, polygon.data());
         return made;
       }();
       frond::frond_fillpath(path, image);
     },
     [](agg::rasterizer_scanline_aa<>& rasterizer, int) {
       rasterizer.filling_rule(agg::fill_even_odd);
       rasterizer.move_to_d(polygon[0].x, polygon[0].y);
       for (int i = 1; i < kPoints; ++i) rasterizer.line_to_d(polygon[i].x, polygon[i].y);
       rasterizer.close_polygon();
     }},
};

// Argument 0 aliased, 1 anti-aliased.
void FrondFill(benchmark::State& state, const shape& s) {
  frond::IMAGE image(s.width, s.height);
  frond::setantialias(state.range(0) != 0, &image);
  frond::setfillcolor(s.colour, &image);
  int i = 0;
  bench::time_if_it_draws(state, image, 1, [&] { s.frond(&image, i++); });
  state.SetLabel(state.range(0) ? "anti-aliased" : "aliased");
}

// Aliased, AGG's coverage is thresholded at one half: pixel centres decide.
void AggFill(benchmark::State& state, const shape& s) {
  frond::IMAGE image(s.width, s.height);
  bench::AggCanvas canvas(image);
  agg::rasterizer_scanline_aa<> rasterizer;
  if (state.range(0) == 0) rasterizer.gamma(agg::gamma_threshold(0.5));
  int i = 0;
  for (auto _ : state) {  // in place: behind a call AGG's loops run slower
    rasterizer.reset();
    s.agg(rasterizer, i++);
    canvas.fill(rasterizer, s.colour, state.range(0) != 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(state.range(0) ? "anti-aliased" : "aliased");
}

}  // namespace

BENCHMARK(PixmanFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(FrondFillRectOpaque)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainLoopFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(GdipFillRectangleOpaque)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  for (const shape& s : shapes) {
    benchmark::RegisterBenchmark(s.frond_name, FrondFill, s)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(s.agg_name, AggFill, s)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
  }
  return bench::run_benchmarks(argc, argv);
}
