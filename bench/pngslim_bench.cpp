// The PNG tool against two recoders of the same input, in the same run: a
// plain single-threaded one (libpng decode, "up" filter, libdeflate level 6)
// and libpng with its defaults (decode, adaptive filters, zlib level 6).
// Inputs are written by the library's savepng, as the client writes the outgoing picture:
// a 1600x900 and a 3840x2160 screenshot, a black and a white 1600x900 frame.
// Each case reports the bytes it produced as the counter "bytes".
// Depends on: the PNG tool's libraries and program, Frond (savepng), libpng, libdeflate, support/.
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <png.h>
#include <stdlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/png_encode.h"
#include "frond/frond.h"
#include "pngslim/png_decode.h"
#include "support/bench_support.h"
#include "support/synthetic_screenshot.h"

namespace {

struct Input {
  const char* name;
  int width, height;
  std::string path, png;  // the file savepng wrote, and its bytes
};

// The inputs' files and the program's output, removed at exit.
const bench::TempFolder folder;

// The file Frond's savepng writes of the picture, as the client hands it to the tool.
Input savepng_like(const char* name, const std::vector<std::uint8_t>& rgb, int width, int height) {
  frond::IMAGE image(width, height);
  synthetic::to_argb(rgb, image.pixels);
  const std::string path = folder / (std::string(name) + ".png");
  if (frond::savepng(&image, path.c_str(), false) != 0) std::abort();
  return {name, width, height, path, bench::read_file(path)};
}

// The input the case's argument names, which labels the case.
const Input& input(benchmark::State& state) {
  static const std::vector<Input> inputs = [] {
    const auto flat = [](std::uint8_t v) { return std::vector<std::uint8_t>(1600 * 900 * 3, v); };
    return std::vector<Input>{savepng_like("screen1600x900", synthetic::screenshot(1600, 900), 1600, 900),
                              savepng_like("screen3840x2160", synthetic::screenshot(3840, 2160), 3840, 2160),
                              savepng_like("black1600x900", flat(0x00), 1600, 900),
                              savepng_like("white1600x900", flat(0xFF), 1600, 900)};
  }();
  const Input& in = inputs[std::size_t(state.range(0))];
  state.SetLabel(in.name);
  return in;
}

// The whole program: start, read, decode, encode, write, rename.
void BM_PngslimProgram(benchmark::State& state) {
  const std::string in = input(state).path, out = folder / "out.png";
  for (auto _ : state) {
    std::remove(out.c_str());
    if (!bench::run_program({PNGSLIM_PROGRAM, in, out})) return state.SkipWithError("pngslim failed");
  }
  const std::size_t size = bench::read_file(out).size();
  if (size == 0) state.SkipWithError("pngslim wrote nothing");
  state.counters["bytes"] = double(size);
}

// The program's own steps in this process, without start-up and files.
void BM_PngslimSteps(benchmark::State& state) {
  const std::string& bytes = input(state).png;
  std::size_t size = 0;
  for (auto _ : state) {
    FILE* in = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    RgbaImage image;
    const bool decoded = in && decode_png(in, image);
    if (in) std::fclose(in);
    if (!decoded) return state.SkipWithError("decode failed");
    const int channels = drop_opaque_alpha(image);
    char* data = nullptr;
    std::size_t length = 0;
    FILE* out = open_memstream(&data, &length);
    const bool ok = out && encode_png(out, image.pixels.data(), image.width, image.height, channels);
    if (out) std::fclose(out);
    size = ok ? length : 0;
    free(data);
    if (!ok) return state.SkipWithError("encoding failed");
  }
  state.counters["bytes"] = double(size);
}

// Reference: libpng decode, "up" filter, libdeflate level 6 on one thread.
void BM_LibdeflateRecoder(benchmark::State& state) {
  const Input& in = input(state);
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(6);
  std::size_t size = 0;
  for (auto _ : state) {
    const std::vector<std::uint8_t> rgb = bench::png_rgb(in.png);
    if (rgb.empty()) return state.SkipWithError("decode failed");
    const std::size_t stride = std::size_t(in.width) * 3;
    std::vector<std::uint8_t> filtered((stride + 1) * in.height);
    for (int y = 0; y < in.height; ++y) {
      std::uint8_t* dst = &filtered[y * (stride + 1)];
      const std::uint8_t* row = &rgb[y * stride];
      *dst++ = 2;
      for (std::size_t i = 0; i < stride; ++i) dst[i] = std::uint8_t(row[i] - (y ? row[i - stride] : 0));
    }
    std::vector<std::uint8_t> out(libdeflate_zlib_compress_bound(compressor, filtered.size()));
    size = libdeflate_zlib_compress(compressor, filtered.data(), filtered.size(), out.data(), out.size());
    if (size == 0) return state.SkipWithError("libdeflate failed");
    benchmark::DoNotOptimize(out.data());
  }
  libdeflate_free_compressor(compressor);
  state.counters["bytes"] = double(size + 57);  // plus signature, IHDR, one IDAT and IEND
}

// Reference: libpng decode and encode with its defaults.
void BM_LibpngRecoder(benchmark::State& state) {
  const Input& in = input(state);
  std::vector<std::uint8_t> buffer(std::size_t(in.width) * in.height * 4);
  png_alloc_size_t size = 0;
  for (auto _ : state) {
    const std::vector<std::uint8_t> rgb = bench::png_rgb(in.png);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = in.width;
    image.height = in.height;
    image.format = PNG_FORMAT_RGB;
    size = buffer.size();
    if (rgb.empty() || !png_image_write_to_memory(&image, buffer.data(), &size, 0, rgb.data(), 0, nullptr))
      return state.SkipWithError("libpng failed");
  }
  state.counters["bytes"] = double(size);
}

void inputs(benchmark::internal::Benchmark* b) { b->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime(); }

BENCHMARK(BM_PngslimProgram)->Apply(inputs);
BENCHMARK(BM_PngslimSteps)->Apply(inputs);
BENCHMARK(BM_LibdeflateRecoder)->Apply(inputs);
BENCHMARK(BM_LibpngRecoder)->Apply(inputs);

}  // namespace

BENCHMARK_MAIN();
