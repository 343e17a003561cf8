// GDI+ drawing against a plain loop: an opaque FillRectangle over a whole
// 1600x900 surface beside a loop that writes the same pixels, and the cost
// of a call that covers nothing. (Filled circles are timed through the
// library in antialias_bench.) On a busy machine run with
// --benchmark_enable_random_interleaving=true --benchmark_repetitions=10.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/gdiplus.h"
#include "support/bench_support.h"

namespace {

using namespace Gdiplus;

// A DIB section in a memory DC, with a GDI+ graphics over it.
struct Surface : bench::DibCanvas {
  Surface(int width, int height) : DibCanvas(width, height) {
    GdipCreateFromHDC(dc, &graphics);
    GdipSetPixelOffsetMode(graphics, PixelOffsetModeHalf);
  }
  ~Surface() { GdipDeleteGraphics(graphics); }
  GpGraphics* graphics = nullptr;
};

// The bounds and the pointer live in locals: read through the struct, every
// store to a pixel could change them as far as the compiler knows, and the
// loop would reload them per pixel instead of being vectorised.
void PlainLoopFill(benchmark::State& state) {
  Surface s(1600, 900);
  uint32_t color = 0xFF336699;
  const int w = s.w, h = s.h;
  uint32_t* const bits = s.bits;
  for (auto _ : state) {
    for (int y = 0; y < h; ++y) {
      uint32_t* row = bits + size_t(y) * w;
      for (int x = 0; x < w; ++x) row[x] = color;
    }
    benchmark::DoNotOptimize(s.bits);
    benchmark::ClobberMemory();
    color ^= 0x00010101;
  }
  state.SetItemsProcessed(state.iterations() * s.w * s.h);
}

void GdipFillRectangleOpaque(benchmark::State& state) {
  Surface s(1600, 900);
  GpSolidFill* brush = nullptr;
  GdipCreateSolidFill(0xFF336699, &brush);
  for (auto _ : state) {
    GdipFillRectangle(s.graphics, reinterpret_cast<GpBrush*>(brush), 0, 0, 1600, 900);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * s.w * s.h);
  GdipDeleteBrush(reinterpret_cast<GpBrush*>(brush));
}

void GdipFillRectangleEmpty(benchmark::State& state) {
  Surface s(1600, 900);
  GpSolidFill* brush = nullptr;
  GdipCreateSolidFill(0xFF336699, &brush);
  for (auto _ : state) GdipFillRectangle(s.graphics, reinterpret_cast<GpBrush*>(brush), 0, 0, 0, 0);
  GdipDeleteBrush(reinterpret_cast<GpBrush*>(brush));
}

}  // namespace

BENCHMARK(PlainLoopFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(GdipFillRectangleOpaque)->Unit(benchmark::kMicrosecond);
BENCHMARK(GdipFillRectangleEmpty)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
