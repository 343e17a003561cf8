// BitBlt and StretchBlt against their competitors in the same run: SRCCOPY
// against a plain memcpy of the same bytes, COLORONCOLOR stretching against
// pixman's nearest-neighbour scaling of the same picture. The empty-call and
// cache-resident cases are measured apart from the full-size ones. On a busy
// machine run with --benchmark_enable_random_interleaving=true --benchmark_repetitions=10
// so that both sides of a comparison see the same load.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "platform/gdi32.h"

namespace {

// A top-down 32-bit DIB section selected into a memory DC, filled with noise.
struct Canvas {
  Canvas(int width, int height) : w(width), h(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    std::mt19937 rng(static_cast<uint32_t>(width * 31 + height));
    for (size_t i = 0; i < size_t(width) * height; ++i) bits[i] = rng();
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  int w, h;
  HBITMAP bitmap;
  uint32_t* bits;
  HDC dc;
  HGDIOBJ old;
};

void Memcpy(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Canvas src(w, h), dst(w, h);
  const size_t bytes = size_t(w) * h * 4;
  for (auto _ : state) {
    std::memcpy(dst.bits, src.bits, bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BitBltSrcCopy(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Canvas src(w, h), dst(w, h);
  for (auto _ : state) {
    BitBlt(dst.dc, 0, 0, w, h, src.dc, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size_t(w) * h * 4));
}

// The fixed cost of a call: validation, clipping and set-up around one pixel.
void BitBltOnePixel(benchmark::State& state) {
  Canvas src(8, 8), dst(8, 8);
  for (auto _ : state) benchmark::DoNotOptimize(BitBlt(dst.dc, 1, 1, 1, 1, src.dc, 0, 0, SRCCOPY));
}

void StretchBltColorOnColor(benchmark::State& state) {
  Canvas src(1920, 1080), dst(1600, 900);
  SetStretchBltMode(dst.dc, COLORONCOLOR);
  for (auto _ : state) {
    StretchBlt(dst.dc, 0, 0, 1600, 900, src.dc, 0, 0, 1920, 1080, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * 1600 * 900));
}

void PixmanNearest(benchmark::State& state) {
  Canvas src(1920, 1080), dst(1600, 900);
  pixman_image_t* from = pixman_image_create_bits(PIXMAN_a8r8g8b8, 1920, 1080, src.bits, 1920 * 4);
  pixman_image_t* to = pixman_image_create_bits(PIXMAN_a8r8g8b8, 1600, 900, dst.bits, 1600 * 4);
  pixman_transform_t scale;
  pixman_transform_init_scale(&scale, pixman_double_to_fixed(1920.0 / 1600.0), pixman_double_to_fixed(1080.0 / 900.0));
  pixman_image_set_transform(from, &scale);
  pixman_image_set_filter(from, PIXMAN_FILTER_NEAREST, nullptr, 0);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, from, nullptr, to, 0, 0, 0, 0, 0, 0, 1600, 900);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * 1600 * 900));
  pixman_image_unref(from);
  pixman_image_unref(to);
}

BENCHMARK(Memcpy)->Args({1600, 900})->Args({128, 128})->Unit(benchmark::kMicrosecond);
BENCHMARK(BitBltSrcCopy)->Args({1600, 900})->Args({128, 128})->Unit(benchmark::kMicrosecond);
BENCHMARK(BitBltOnePixel);
BENCHMARK(StretchBltColorOnColor)->Unit(benchmark::kMicrosecond);
BENCHMARK(PixmanNearest)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
