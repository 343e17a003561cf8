// The PNG tool against two recoders of the same input, in the same run: a
// plain single-threaded one (libpng decode, "up" filter, libdeflate level 6)
// and libpng with its defaults (decode, adaptive filters, zlib level 6).
// Inputs are written as the library's savepng writes the outgoing picture:
// a 1600x900 and a 3840x2160 screenshot, a black and a white 1600x900 frame.
// Each case reports the bytes it produced as the counter "bytes".
// Run with --benchmark_repetitions=5 --benchmark_enable_random_interleaving.
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <png.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/png_encode.h"
#include "pngslim/png_decode.h"
#include "support/bench_support.h"
#include "support/synthetic_screenshot.h"

extern char** environ;

namespace {

struct Input {
  int width, height;
  std::string png;  // as savepng writes it
};

std::string savepng_like(const std::vector<std::uint8_t>& rgb, int width, int height) {
  char* data = nullptr;
  std::size_t length = 0;
  FILE* out = open_memstream(&data, &length);
  if (!out || !bench::write_png_up_level1(out, rgb.data(), width, height)) std::abort();
  std::fclose(out);
  std::string bytes(data, length);
  free(data);
  return bytes;
}

const Input& input(int index) {
  static const std::vector<Input> inputs = [] {
    std::vector<Input> list;
    for (auto [w, h] : {std::pair{1600, 900}, std::pair{3840, 2160}})
      list.push_back({w, h, savepng_like(synthetic::screenshot(w, h), w, h)});
    for (std::uint8_t v : {0x00, 0xFF})
      list.push_back({1600, 900, savepng_like(std::vector<std::uint8_t>(1600 * 900 * 3, v), 1600, 900)});
    return list;
  }();
  return inputs[index];
}

void name_input(benchmark::State& state) {
  static const char* const names[] = {"screen1600x900", "screen3840x2160", "black1600x900", "white1600x900"};
  state.SetLabel(names[state.range(0)]);
}

// libpng's simplified reader into packed RGB.
std::vector<std::uint8_t> decode_rgb(const std::string& png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  std::vector<std::uint8_t> rgb;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return rgb;
  image.format = PNG_FORMAT_RGB;
  rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) rgb.clear();
  return rgb;
}

// The whole program: start, read, decode, encode, write, rename.
void BM_PngslimProgram(benchmark::State& state) {
  name_input(state);
  char folder[] = "/tmp/pngslim_bench.XXXXXX";
  if (!mkdtemp(folder)) return state.SkipWithError("no temporary folder");
  const std::string in = std::string(folder) + "/in.png", out = std::string(folder) + "/out.png";
  FILE* f = std::fopen(in.c_str(), "wb");
  const std::string& bytes = input(int(state.range(0))).png;
  if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0)
    return state.SkipWithError("cannot write the input");
  char* argv[] = {const_cast<char*>("pngslim"), const_cast<char*>(in.c_str()), const_cast<char*>(out.c_str()),
                  nullptr};
  for (auto _ : state) {
    std::remove(out.c_str());
    pid_t pid = 0;
    int status = 0;
    if (posix_spawn(&pid, PNGSLIM_PROGRAM, nullptr, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) != pid ||
        !WIFEXITED(status) || WEXITSTATUS(status) != 0)
      return state.SkipWithError("pngslim failed");
  }
  const long size = bench::file_size(out.c_str());
  if (size <= 0) state.SkipWithError("pngslim wrote nothing");
  state.counters["bytes"] = double(size);
  std::remove(in.c_str());
  std::remove(out.c_str());
  rmdir(folder);
}

// The program's own steps in this process, without start-up and files.
void BM_PngslimSteps(benchmark::State& state) {
  name_input(state);
  const std::string& bytes = input(int(state.range(0))).png;
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
  name_input(state);
  const Input& in = input(int(state.range(0)));
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(6);
  std::size_t size = 0;
  for (auto _ : state) {
    const std::vector<std::uint8_t> rgb = decode_rgb(in.png);
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
  name_input(state);
  const Input& in = input(int(state.range(0)));
  std::vector<std::uint8_t> buffer(std::size_t(in.width) * in.height * 4);
  png_alloc_size_t size = 0;
  for (auto _ : state) {
    const std::vector<std::uint8_t> rgb = decode_rgb(in.png);
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

BENCHMARK(BM_PngslimProgram)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PngslimSteps)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LibdeflateRecoder)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LibpngRecoder)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
