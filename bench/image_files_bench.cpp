// Image files of the screenshot-like picture of support/ against their
// references in the same run: a 1600x900 PNG loaded by the library and by
// libpng's simplified API; savepng of the outgoing picture (1600x900 and
// 3840x2160) and libpng writing the same pixels with the up filter at zlib
// level 1; a 1920x1080 24-bit BMP through the library's general loader and a
// plain fread of the file; a 1920x1080 JPEG through the library and through
// libjpeg-turbo directly. Depends on: Frond, libpng, libjpeg-turbo.
#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "frond/frond.h"
#include "support/bench_support.h"
#include "support/synthetic_screenshot.h"

namespace {

// Writes `img` as a JPEG of quality 90 with libjpeg-turbo, straight from its
// BGRX rows.
void write_jpeg(const frond::IMAGE& img, const std::string& path) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return;
  jpeg_compress_struct c{};
  jpeg_error_mgr errors{};
  c.err = jpeg_std_error(&errors);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, out);
  c.image_width = JDIMENSION(img.width);
  c.image_height = JDIMENSION(img.height);
  c.input_components = 4;
  c.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 90, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW rows[1] = {reinterpret_cast<JSAMPROW>(img.pixels + size_t(c.next_scanline) * img.width)};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(out);
}

// The files, in a temporary folder of their own.
struct files {
  const bench::TempFolder folder;
  std::string png = folder / "wide.png", bmp = folder / "full.bmp", jpeg = folder / "full.jpg",
              saved = folder / "saved.png";
  files() {
    frond::IMAGE wide(1600, 900), full(1920, 1080);
    synthetic::to_argb(synthetic::screenshot(1600, 900), wide.pixels);
    synthetic::to_argb(synthetic::screenshot(1920, 1080), full.pixels);
    frond::savepng(&wide, png.c_str(), false);
    frond::savebmp(&full, bmp.c_str(), false);
    write_jpeg(full, jpeg);
  }
};

const files& test_files() {
  static files made;
  return made;
}

// The library's general loader on one of the files.
void BM_FrondLoad(benchmark::State& state, std::string files::*file) {
  const std::string& path = test_files().*file;
  frond::IMAGE img;
  for (auto _ : state) {
    if (frond::getimage(&img, path.c_str()) != 0) state.SkipWithError("load failed");
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

// The reference of the BMP loader: reading the file's bytes.
void BM_FreadBmp24(benchmark::State& state) {
  const files& f = test_files();
  std::vector<char> bytes(bench::read_file(f.bmp).size());
  for (auto _ : state) {
    FILE* in = std::fopen(f.bmp.c_str(), "rb");
    if (!in || std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size()) state.SkipWithError("read failed");
    if (in) std::fclose(in);
    benchmark::DoNotOptimize(bytes.data());
  }
}

// The reference of the JPEG loader: libjpeg-turbo decoding straight to BGRA.
void BM_LibjpegTurboLoadJpeg(benchmark::State& state) {
  const files& f = test_files();
  std::vector<JSAMPLE> pixels(size_t(1920) * 1080 * 4);
  for (auto _ : state) {
    FILE* in = std::fopen(f.jpeg.c_str(), "rb");
    if (!in) return state.SkipWithError("open failed");
    jpeg_decompress_struct d{};
    jpeg_error_mgr errors{};
    d.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, in);
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&d);
    while (d.output_scanline < d.output_height) {
      JSAMPROW rows[1] = {pixels.data() + size_t(d.output_scanline) * d.output_width * 4};
      jpeg_read_scanlines(&d, rows, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::fclose(in);
    benchmark::DoNotOptimize(pixels.data());
  }
}

// savepng of a picture of the given size (RGB, as the client saves it).
void BM_FrondSavePng(benchmark::State& state) {
  const files& f = test_files();
  frond::IMAGE img(int(state.range(0)), int(state.range(1)));
  synthetic::to_argb(synthetic::screenshot(img.width, img.height), img.pixels);
  for (auto _ : state)
    if (frond::savepng(&img, f.saved.c_str(), false) != 0) state.SkipWithError("save failed");
  state.counters["bytes"] = double(bench::read_file(f.saved).size());
}

// The reference of savepng: libpng with the up filter at zlib level 1, rows handed over ready.
void BM_LibpngUpLevel1(benchmark::State& state) {
  const files& f = test_files();
  const int width = int(state.range(0)), height = int(state.range(1));
  const std::vector<uint8_t> rgb = synthetic::screenshot(width, height);
  for (auto _ : state) {
    FILE* out = std::fopen(f.saved.c_str(), "wb");
    const bool written = out && bench::write_png_up_level1(out, rgb.data(), width, height);
    if (out) std::fclose(out);
    if (!written) return state.SkipWithError("libpng failed");
  }
  state.counters["bytes"] = double(bench::read_file(f.saved).size());
}

BENCHMARK_CAPTURE(BM_FrondLoad, png, &files::png)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibpngSimplifiedLoadPng)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FrondLoad, bmp24, &files::bmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadBmp24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FrondLoad, jpeg, &files::jpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibjpegTurboLoadJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrondSavePng)->Args({1600, 900})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibpngUpLevel1)->Args({1600, 900})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
