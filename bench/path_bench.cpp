// Filling a 1000-point polygon path (even-odd, anti-aliased and aliased,
// opaque) on a 1600x900 image with frond_fillpath beside AGG's scanline fill
// of the same polygon into the same kind of buffer. Frond's case checks that
// its call changed the image.
// Depends on: Frond, AGG, support/.
#include <agg_pixfmt_rgba.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_renderer_base.h>
#include <agg_renderer_scanline.h>
#include <agg_rendering_buffer.h>
#include <agg_scanline_p.h>
#include <agg_scanline_bin.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "frond/frond.h"
#include "support/bench_support.h"

namespace {

constexpr int kWidth = 1600, kHeight = 900, kPoints = 1000;

// A star-like ring of points around the middle whose radius wanders.
std::vector<frond::frond_point> polygon() {
  std::vector<frond::frond_point> pts;
  for (int i = 0; i < kPoints; ++i) {
    const double a = 2 * 3.14159265358979323846 * i / kPoints;
    const double r = 300 + 120 * std::sin(7 * a) + (i % 2 ? 40 : 0);
    pts.push_back(frond::frond_point{float(800 + 1.5 * r * std::cos(a)), float(450 + r * std::sin(a))});
  }
  return pts;
}

void FrondFillPath(benchmark::State& state) {
  frond::IMAGE image(kWidth, kHeight);
  frond::setantialias(state.range(0) != 0, &image);
  frond::setfillcolor(0xFF336699, &image);
  const std::vector<frond::frond_point> pts = polygon();
  frond::frond_path* path = frond::frond_path_create();
  frond::frond_path_addpolygon(path, kPoints, pts.data());
  bench::time_if_it_draws(state, image, 0, [&] { frond::frond_fillpath(path, &image); });
  frond::frond_path_destroy(path);
  state.SetLabel(state.range(0) ? "anti-aliased" : "aliased");
}

void AggFillPolygon(benchmark::State& state) {
  frond::IMAGE image(kWidth, kHeight);
  agg::rendering_buffer buffer(reinterpret_cast<agg::int8u*>(image.pixels), kWidth, kHeight, kWidth * 4);
  agg::pixfmt_bgra32 format(buffer);
  agg::renderer_base<agg::pixfmt_bgra32> base(format);
  const std::vector<frond::frond_point> pts = polygon();
  const agg::rgba8 colour(0x33, 0x66, 0x99, 0xFF);
  agg::rasterizer_scanline_aa<> ras;
  for (auto _ : state) {  // in place: behind a call AGG's loops run slower
    ras.reset();
    ras.filling_rule(agg::fill_even_odd);
    ras.move_to_d(pts[0].x, pts[0].y);
    for (int i = 1; i < kPoints; ++i) ras.line_to_d(pts[i].x, pts[i].y);
    ras.close_polygon();
    if (state.range(0)) {
      agg::scanline_p8 sl;
      agg::render_scanlines_aa_solid(ras, sl, base, colour);
    } else {
      agg::scanline_bin sl;
      agg::render_scanlines_bin_solid(ras, sl, base, colour);
    }
    benchmark::ClobberMemory();
  }
  state.SetLabel(state.range(0) ? "anti-aliased" : "aliased");
}

}  // namespace

BENCHMARK(FrondFillPath)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(AggFillPolygon)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
