// What the benchmarks share: timing a call (drawing calls once they are seen
// to change their destination), a 32-bit DIB section in a memory DC, pixman
// images over the same pixels, running the registered cases, the reference
// PNG writer (libpng, "up" filter, zlib level 1, as savepng writes) and
// reader (libpng's simplified API), whole files, a temporary folder,
// starting a program, and the check that an X display was given.
// Depends on (and brings to every benchmark): Google Benchmark, pixman; the
// platform's public GDI header, libpng.
// Never included by the library, the client or tests; starts no X server.
#pragma once

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <pixman.h>
#include <png.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/gdi32.h"

extern char** environ;

namespace bench {

// Times `call`, clobbering memory after each; `items` is what one call
// processes (none reported when 0).
template <class Call>
void time_calls(benchmark::State& state, std::int64_t items, Call&& call) {
  for (auto _ : state) {
    call();
    benchmark::ClobberMemory();
  }
  if (items != 0) state.SetItemsProcessed(state.iterations() * items);
}

// Runs `call` once and checks that it changed `image` (anything with
// pixels, width and height, rows packed), then times it.
template <class Image, class Call>
void time_if_it_draws(benchmark::State& state, const Image& image, std::int64_t items, Call&& call) {
  const std::size_t count = std::size_t(image.width) * image.height;
  const std::vector<std::uint32_t> before(image.pixels, image.pixels + count);
  call();
  if (std::memcmp(before.data(), image.pixels, count * 4) == 0)
    return state.SkipWithError("the call left the destination unchanged");
  time_calls(state, items, call);
}

// pixman images over a benchmark's pixels, released on scope exit.
struct pixman_unref {
  void operator()(pixman_image_t* image) const { pixman_image_unref(image); }
};
using pixman_ptr = std::unique_ptr<pixman_image_t, pixman_unref>;

// An a8r8g8b8 image over `image`'s pixels (anything with pixels, width and
// height, rows packed).
template <class Image>
pixman_ptr pixman_wrap(Image& image) {
  return pixman_ptr(
      pixman_image_create_bits(PIXMAN_a8r8g8b8, image.width, image.height, image.pixels, image.width * 4));
}

// Samples `source` at (x * sx, y * sy) through `filter`.
inline void pixman_scale(pixman_image_t* source, double sx, double sy, pixman_filter_t filter,
                         const pixman_fixed_t* params = nullptr, int count = 0) {
  pixman_transform_t transform;
  pixman_transform_init_scale(&transform, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy));
  pixman_image_set_transform(source, &transform);
  pixman_image_set_filter(source, filter, params, count);
}

// The header of an uncompressed DIB (bottom-up, or top-down when `height`
// is negative) with `bits` per pixel.
inline BITMAPINFO dib_info(int width, int height, int bits) {
  return BITMAPINFO{{sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0}, {}};
}

// A top-down 32-bit DIB section selected into a memory DC, filled with
// noise seeded from its size.
struct DibCanvas {
  DibCanvas(int w, int h) : width(w), height(h) {
    const BITMAPINFO info = dib_info(w, -h, 32);
    void* p = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    pixels = static_cast<std::uint32_t*>(p);
    std::mt19937 rng(static_cast<std::uint32_t>(w * 31 + h));
    for (std::size_t i = 0; i < std::size_t(w) * h; ++i) pixels[i] = rng();
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

  int width, height;
  HBITMAP bitmap;
  std::uint32_t* pixels;
  HDC dc;
  HGDIOBJ old;
};

// The end of a main that registers its cases: runs what the command line asks.
inline int run_benchmarks(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

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

// libpng's simplified reader on a file's bytes, into packed 8-bit RGB; empty
// when it cannot read them.
inline std::vector<std::uint8_t> png_rgb(const std::string& png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  std::vector<std::uint8_t> rgb;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return rgb;
  image.format = PNG_FORMAT_RGB;
  rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) rgb.clear();
  return rgb;
}

// A file's bytes; empty when it cannot be read.
inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A folder of its own under the temporary folder, removed with what it holds
// on scope exit.
struct TempFolder {
  TempFolder() {
    if (mkdtemp(path.data()) == nullptr) std::abort();
  }
  ~TempFolder() { std::filesystem::remove_all(path); }
  std::string operator/(const std::string& name) const { return path + "/" + name; }

  std::string path = (std::filesystem::temp_directory_path() / "quillfern-bench.XXXXXX").string();
};

// Starts `argv` (argv[0] the program's path) with its output to /dev/null;
// its process id, or -1.
inline pid_t start_program(std::vector<std::string> argv) {
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed ? -1 : pid;
}

// Runs `argv` to its end; true when it exited with status 0.
inline bool run_program(const std::vector<std::string>& argv) {
  int status = 0;
  const pid_t pid = start_program(argv);
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// True when an X display was given (DISPLAY is set); otherwise says so on
// stderr, naming `program` and how to give it one.
inline bool have_display(const char* program) {
  const char* display = getenv("DISPLAY");
  if (display != nullptr && *display != '\0') return true;
  std::fprintf(stderr, "%s: no X display (DISPLAY is not set); run it as\n"
               "  xvfb-run -a -s \"-screen 0 1920x1080x24\" %s\n", program, program);
  return false;
}

}  // namespace bench
