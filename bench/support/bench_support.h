// What the benchmarks share: timing a drawing call once it is seen to change
// its destination, a 32-bit DIB section in a memory DC, the reference PNG
// writer (libpng, "up" filter, zlib level 1, as savepng writes), a file's
// size, and an Xvfb of the benchmark's own as its display.
// Depends on: Google Benchmark, the platform's GDI header, libpng, the Xvfb
// starter of the tests. Never included by the library, the client or tests.
#pragma once

#include <benchmark/benchmark.h>
#include <png.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "platform/gdi32.h"
#include "tests/support/xvfb_server.h"

namespace bench {

// Runs `call` once and checks that it changed `count` pixels at `pixels`,
// then times it; `items` is what one call processes.
template <class Call>
void time_if_it_draws(benchmark::State& state, const std::uint32_t* pixels, std::size_t count, std::int64_t items,
                      const Call& call) {
  const std::vector<std::uint32_t> before(pixels, pixels + count);
  call();
  if (std::memcmp(before.data(), pixels, count * 4) == 0)
    return state.SkipWithError("the call left the destination unchanged");
  for (auto _ : state) {
    call();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * items);
}

// A top-down 32-bit DIB section selected into a memory DC, filled with
// noise seeded from its size.
struct DibCanvas {
  DibCanvas(int width, int height) : w(width), h(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<std::uint32_t*>(p);
    std::mt19937 rng(static_cast<std::uint32_t>(width * 31 + height));
    for (std::size_t i = 0; i < std::size_t(width) * height; ++i) bits[i] = rng();
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
  }
  ~DibCanvas() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;
  std::size_t pixels() const { return std::size_t(w) * h; }

  int w, h;
  HBITMAP bitmap;
  std::uint32_t* bits;
  HDC dc;
  HGDIOBJ old;
};

// The reference PNG writer: packed 8-bit RGB rows (width * 3 bytes each) to
// `out` with every row on the "up" filter and zlib at level 1; false on a
// libpng error.
inline bool write_png_up_level1(FILE* out, const std::uint8_t* rgb, int width, int height) {
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[std::size_t(y)] = const_cast<png_bytep>(rgb + std::size_t(y) * width * 3);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, out);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
  png_set_compression_level(png, 1);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

// The size of a file in bytes, 0 when it cannot be read.
inline long file_size(const char* path) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return 0;
  std::fseek(f, 0, SEEK_END);
  const long size = std::ftell(f);
  std::fclose(f);
  return size;
}

// Starts `server` with a 1920x1080 24-bit screen and makes it the display
// of this process; false, with a line on stderr naming `program`, when no
// Xvfb could be started.
inline bool use_own_xvfb(XvfbServer& server, const char* program) {
  if (!server.start("1920x1080x24")) {
    std::fprintf(stderr, "%s: no Xvfb could be started\n", program);
    return false;
  }
  setenv("DISPLAY", server.display().c_str(), 1);
  return true;
}

// Registered benchmarks timed in real time, in microseconds, nine times,
// reporting only the aggregates.
inline void nine_repetitions(std::initializer_list<benchmark::internal::Benchmark*> benchmarks) {
  for (auto* b : benchmarks) b->UseRealTime()->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
}

}  // namespace bench
