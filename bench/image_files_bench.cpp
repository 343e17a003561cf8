// Image-file loading speed: a 1600x900 PNG through the library against
// libpng's own simplified-API decode of the same file, and a 1920x1080
// 24-bit BMP through the library's general loader (platform decoder).
// Run with --benchmark_repetitions=N for medians.
#include <benchmark/benchmark.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "graphics/frond.h"

namespace {

// A picture with smooth areas and fine detail, like a screen capture.
void paint(frond::IMAGE& img) {
  uint32_t noise = 12345;
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      noise = noise * 1103515245u + 12345u;
      const uint32_t detail = ((x / 40 + y / 30) % 3 == 0) ? (noise >> 24) & 0x3F : 0;
      const uint32_t r = (x * 255 / img.width) ^ detail, g = (y * 255 / img.height), b = ((x + y) / 8) & 0xFF;
      img.pixels[size_t(y) * img.width + x] = 0xFF000000u | r << 16 | g << 8 | b;
    }
}

struct files {
  std::string png = "/tmp/image_files_bench_" + std::to_string(getpid()) + ".png";
  std::string bmp = "/tmp/image_files_bench_" + std::to_string(getpid()) + ".bmp";
  files() {
    frond::IMAGE wide(1600, 900), full(1920, 1080);
    paint(wide);
    paint(full);
    frond::savepng(&wide, png.c_str(), false);
    frond::savebmp(&full, bmp.c_str(), false);
  }
  ~files() {
    std::remove(png.c_str());
    std::remove(bmp.c_str());
  }
};

const files& test_files() {
  static files made;
  return made;
}

void BM_FrondLoadPng(benchmark::State& state) {
  const files& f = test_files();
  frond::IMAGE img;
  for (auto _ : state) {
    if (frond::getimage(&img, f.png.c_str()) != 0) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(img.pixels);
  }
}

void BM_LibpngSimplifiedLoadPng(benchmark::State& state) {
  const files& f = test_files();
  std::vector<uint8_t> buffer(1600 * 900 * 4);
  for (auto _ : state) {
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, f.png.c_str()) == 0) state.SkipWithError("begin failed");
    png.format = PNG_FORMAT_BGRA;
    if (png_image_finish_read(&png, nullptr, buffer.data(), 0, nullptr) == 0) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(buffer.data());
  }
}

void BM_FrondLoadBmp24(benchmark::State& state) {
  const files& f = test_files();
  frond::IMAGE img;
  for (auto _ : state) {
    if (frond::getimage(&img, f.bmp.c_str()) != 0) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(img.pixels);
  }
}

BENCHMARK(BM_FrondLoadPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibpngSimplifiedLoadPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrondLoadBmp24)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
