// The library's GDI shapes on a 1600x900 image beside AGG used directly on
// the same shapes: 10,000 random one-pixel lines (AGG's aliased outline
// renderer) and 1,000 filled circles of radius 50 (AGG's scanline fill with
// binary coverage); and a flood fill of the whole image beside a plain
// memset of the same pixels and beside the least any fill must do, a loop
// that reads every pixel of a row and then rewrites the row. Compare items
// per second within one run; Frond's cases check that they draw.
// Depends on: Frond, AGG, support/.
#include <agg_ellipse.h>
#include <agg_rasterizer_outline.h>
#include <agg_renderer_primitives.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "frond/frond.h"
#include "support/agg_canvas.h"
#include "support/bench_support.h"

namespace {

constexpr int kWidth = 1600, kHeight = 900, kPixels = kWidth * kHeight;
constexpr int kLines = 10000, kCircles = 1000, kRadius = 50;

struct Segment {
  int x0, y0, x1, y1;
};

// `count` seeded random segments whose ends keep `margin` from the edges.
std::vector<Segment> random_segments(int count, unsigned seed, int margin) {
  std::mt19937 rng(seed);
  const auto at = [&](int size) { return margin + int(rng() % unsigned(size - 2 * margin)); };
  std::vector<Segment> out;
  for (int i = 0; i < count; ++i) out.push_back({at(kWidth), at(kHeight), at(kWidth), at(kHeight)});
  return out;
}
const std::vector<Segment> lines = random_segments(kLines, 12, 0), circles = random_segments(kCircles, 13, kRadius);

using Primitives = agg::renderer_primitives<agg::renderer_base<agg::pixfmt_bgra32>>;

// Registers `name`: `body` gets the state and a fresh 1600x900 image.
template <class Body>
void on_image(const char* name, Body body) {
  benchmark::RegisterBenchmark(name, [body](benchmark::State& state) {
    frond::IMAGE image(kWidth, kHeight);
    body(state, image);
  })->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  on_image("FrondLines", [](benchmark::State& state, frond::IMAGE& image) {
    frond::setcolor(0xFF33CC66, &image);
    bench::time_if_it_draws(state, image, kLines, [&] {
      for (const Segment& s : lines) frond::line(s.x0, s.y0, s.x1, s.y1, &image);
    });
  });
  on_image("AggOutlineLines", [](benchmark::State& state, frond::IMAGE& image) {
    bench::AggCanvas canvas(image);
    Primitives primitives(canvas.base);
    agg::rasterizer_outline<Primitives> outline(primitives);
    primitives.line_color(agg::rgba8(0x33, 0xCC, 0x66, 0xFF));
    // AGG's loops are timed in place: behind a call, every pixel store could
    // change the renderers' state as far as the compiler knows (up to 3x slower).
    for (auto _ : state) {
      for (const Segment& s : lines) {
        outline.move_to(primitives.coord(s.x0), primitives.coord(s.y0));
        outline.line_to(primitives.coord(s.x1), primitives.coord(s.y1));
      }
      benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
  });
  on_image("FrondFilledCircles", [](benchmark::State& state, frond::IMAGE& image) {
    frond::setfillcolor(0xFF3366CC, &image);
    bench::time_if_it_draws(state, image, kCircles, [&] {
      for (const Segment& c : circles) frond::solidcircle(c.x0, c.y0, kRadius, &image);
    });
  });
  on_image("AggScanlineCircles", [](benchmark::State& state, frond::IMAGE& image) {
    bench::AggCanvas canvas(image);
    agg::rasterizer_scanline_aa<> rasterizer;
    for (auto _ : state) {
      for (const Segment& c : circles) {
        agg::ellipse shape(c.x0, c.y0, kRadius, kRadius);
        rasterizer.reset();
        rasterizer.add_path(shape);
        canvas.fill(rasterizer, 0xFF3366CC, false);
      }
      benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCircles);
  });
  on_image("FrondFloodFill", [](benchmark::State& state, frond::IMAGE& image) {
    const frond::argb_color colours[2] = {0xFF000000, 0xFF2040A0};
    int k = 0;
    bench::time_if_it_draws(state, image, kPixels, [&] {
      frond::setfillcolor(colours[1 - k], &image);
      frond::floodfillsurface(kWidth / 2, kHeight / 2, colours[k], &image);
      k = 1 - k;
    });
  });
  on_image("MemsetWholeImage", [](benchmark::State& state, frond::IMAGE& image) {
    int value = 0;
    bench::time_calls(state, kPixels, [&] {
      std::memset(image.pixels, value, size_t(kPixels) * 4);
      value ^= 0x5A;
    });
  });
  on_image("ReadThenRewriteRows", [](benchmark::State& state, frond::IMAGE& image) {
    uint32_t colours[2] = {0xFF000000, 0x002040A0};
    for (auto _ : state) {  // in place, as AGG's loops
      for (int y = 0; y < kHeight; ++y) {
        uint32_t* row = image.pixels + size_t(y) * kWidth;
        uint32_t differ = 0;
        for (int x = 0; x < kWidth; ++x) differ |= (row[x] ^ colours[0]) & 0xFFFFFFu;
        benchmark::DoNotOptimize(differ);
        std::fill(row, row + kWidth, colours[1]);
      }
      std::swap(colours[0], colours[1]);
      benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
  });
  return bench::run_benchmarks(argc, argv);
}
