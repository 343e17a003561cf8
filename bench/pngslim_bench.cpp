// The PNG tool on a 1600x900 screenshot: the whole program run (start,
// decode, encode, write, rename) and, in the same run, its encoder at other
// levels and thread counts against libpng with its defaults (adaptive
// filtering, zlib level 6) and libpng with unfiltered rows. Each case reports
// the bytes it produced as the counter "bytes".
#include <benchmark/benchmark.h>
#include <png.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/png_encode.h"
#include "tools/synthetic_screenshot.h"

extern char** environ;

namespace {

constexpr int kWidth = 1600, kHeight = 900;

const std::vector<std::uint8_t>& screenshot() {
  static const std::vector<std::uint8_t> pixels = synthetic::screenshot(kWidth, kHeight);
  return pixels;
}

png_image rgb_image() {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = kWidth;
  image.height = kHeight;
  image.format = PNG_FORMAT_RGB;
  return image;
}

std::size_t file_size(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  std::fseek(f, 0, SEEK_END);
  const long size = std::ftell(f);
  std::fclose(f);
  return size < 0 ? 0 : std::size_t(size);
}

// The program on an input written by libpng with its defaults, as a
// client's capture would be.
void BM_PngslimProgram(benchmark::State& state) {
  char folder[] = "/tmp/pngslim_bench.XXXXXX";
  if (!mkdtemp(folder)) return state.SkipWithError("no temporary folder");
  const std::string in = std::string(folder) + "/in.png", out = std::string(folder) + "/out.png";
  png_image image = rgb_image();
  if (!png_image_write_to_file(&image, in.c_str(), 0, screenshot().data(), 0, nullptr))
    return state.SkipWithError("cannot write the input");
  char* argv[] = {const_cast<char*>("pngslim"), const_cast<char*>(in.c_str()), const_cast<char*>(out.c_str()),
                  nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    int status = 0;
    if (posix_spawn(&pid, PNGSLIM_PROGRAM, nullptr, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) != pid ||
        !WIFEXITED(status) || WEXITSTATUS(status) != 0)
      return state.SkipWithError("pngslim failed");
  }
  state.counters["bytes"] = double(file_size(out));
  state.counters["input_bytes"] = double(file_size(in));
  std::remove(in.c_str());
  std::remove(out.c_str());
  rmdir(folder);
}
BENCHMARK(BM_PngslimProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LibpngDefaults(benchmark::State& state) {
  std::vector<std::uint8_t> buffer(std::size_t(kWidth) * kHeight * 4);
  png_alloc_size_t size = 0;
  for (auto _ : state) {
    png_image image = rgb_image();
    size = buffer.size();
    if (!png_image_write_to_memory(&image, buffer.data(), &size, 0, screenshot().data(), 0, nullptr))
      return state.SkipWithError("libpng failed");
  }
  state.counters["bytes"] = double(size);
}
BENCHMARK(BM_LibpngDefaults)->Unit(benchmark::kMillisecond);

// Argument: the zlib level.
void BM_LibpngUnfiltered(benchmark::State& state) {
  std::vector<png_bytep> rows(kHeight);
  for (int y = 0; y < kHeight; ++y) rows[y] = const_cast<png_bytep>(screenshot().data() + y * kWidth * 3);
  std::size_t size = 0;
  for (auto _ : state) {
    char* data = nullptr;
    std::size_t length = 0;
    FILE* out = open_memstream(&data, &length);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) return state.SkipWithError("libpng failed");
    png_init_io(png, out);
    png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, int(state.range(0)));
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(out);
    size = length;
    free(data);
  }
  state.counters["bytes"] = double(size);
}
BENCHMARK(BM_LibpngUnfiltered)->Arg(3)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond);

// Arguments: the zlib level, then the thread count (0: the tool's default).
void BM_Encoding(benchmark::State& state) {
  const PngEncoding encoding{int(state.range(0)), unsigned(state.range(1))};
  std::size_t size = 0;
  for (auto _ : state) {
    char* data = nullptr;
    std::size_t length = 0;
    FILE* out = open_memstream(&data, &length);
    const bool ok = out && encode_png(out, screenshot().data(), kWidth, kHeight, 3, encoding);
    if (out) std::fclose(out);
    size = length;
    free(data);
    if (!ok) return state.SkipWithError("encoding failed");
  }
  state.counters["bytes"] = double(size);
}
BENCHMARK(BM_Encoding)->ArgsProduct({{6, 7, 8, 9}, {1, 0}})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
