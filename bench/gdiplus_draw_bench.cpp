// GDI+ drawing against a plain loop: an opaque FillRectangle over a whole
// 1600x900 surface beside a loop that writes the same pixels, and
// anti-aliased (and aliased) filled circles of radius 50, reported as circles
// per second. On a busy machine run with
// --benchmark_enable_random_interleaving=true --benchmark_repetitions=10.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/gdiplus.h"

namespace {

using namespace Gdiplus;

// A top-down 32-bit DIB section in a memory DC, with a GDI+ graphics over it.
struct Surface {
  Surface(int width, int height) : w(width), h(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
    GdipCreateFromHDC(dc, &graphics);
    GdipSetPixelOffsetMode(graphics, PixelOffsetModeHalf);
  }
  ~Surface() {
    GdipDeleteGraphics(graphics);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  int w, h;
  HBITMAP bitmap;
  uint32_t* bits;
  HDC dc;
  HGDIOBJ old;
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

void GdipFillCircle(benchmark::State& state) {
  Surface s(640, 480);
  GdipSetSmoothingMode(s.graphics, state.range(0) ? SmoothingModeAntiAlias : SmoothingModeNone);
  GpSolidFill* brush = nullptr;
  GdipCreateSolidFill(0xC0336699, &brush);
  int i = 0;
  for (auto _ : state) {
    const REAL x = REAL(60 + (i * 37) % 500), y = REAL(60 + (i * 53) % 340);
    GdipFillEllipse(s.graphics, reinterpret_cast<GpBrush*>(brush), x - 50, y - 50, 100, 100);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(state.range(0) ? "anti-aliased, radius 50" : "aliased, radius 50");
  GdipDeleteBrush(reinterpret_cast<GpBrush*>(brush));
}

}  // namespace

BENCHMARK(PlainLoopFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(GdipFillRectangleOpaque)->Unit(benchmark::kMicrosecond);
BENCHMARK(GdipFillRectangleEmpty)->Unit(benchmark::kMicrosecond);
BENCHMARK(GdipFillCircle)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
