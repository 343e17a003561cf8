// Presents of a 1600x900 window through the X11 backend on an Xvfb of our
// own: the full client area (the frame a client shows), a small cache-resident
// area, and an empty one (the call's cost). A present does not wait for the
// server; the "AndWait" case adds a one-pixel screen read, a round trip that
// returns once the server has drawn the frame. memcpy of the full frame is the
// floor a present cannot go under, since it copies the pixels once.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "display/backends.h"
#include "support/bench_support.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 900;

std::vector<uint32_t> frame_pixels(static_cast<size_t>(kWidth) * kHeight);
platform::display::Surface frame;
platform::display::Backend* backend = nullptr;
platform::display::NativeWindow* window = nullptr;

void present_area(benchmark::State& state, const RECT& area) {
  for (auto _ : state) window->present(frame, area);
  const int64_t bytes = int64_t{area.right - area.left} * (area.bottom - area.top) * 4;
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_PresentFull(benchmark::State& state) { present_area(state, RECT{0, 0, kWidth, kHeight}); }
void BM_PresentSmallArea(benchmark::State& state) { present_area(state, RECT{100, 100, 164, 164}); }
void BM_PresentEmptyArea(benchmark::State& state) { present_area(state, RECT{0, 0, 0, 0}); }

void BM_PresentFullAndWait(benchmark::State& state) {
  uint32_t pixel = 0;
  platform::display::Surface one = {reinterpret_cast<uint8_t*>(&pixel), 1, 1, 4, 32};
  for (auto _ : state) {
    window->present(frame, RECT{0, 0, kWidth, kHeight});
    backend->read_screen(0, 0, one);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}

void BM_MemcpyFull(benchmark::State& state) {
  std::vector<uint32_t> target(frame_pixels.size());
  for (auto _ : state) {
    std::memcpy(target.data(), frame_pixels.data(), frame_pixels.size() * 4);
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(frame_pixels.size()) * 4);
}

}  // namespace

int main(int argc, char** argv) {
  XvfbServer server;
  if (!bench::use_own_xvfb(server, "x11_present_bench")) return 1;
  std::string why;
  std::unique_ptr<platform::display::Backend> opened = platform::display::x11::try_open(&why);
  if (!opened) {
    std::fprintf(stderr, "x11_present_bench: the X11 backend did not open: %s\n", why.c_str());
    return 1;
  }
  platform::display::NativeWindowParams params;
  params.client = RECT{0, 0, kWidth, kHeight};
  params.title = L"x11_present_bench";
  std::unique_ptr<platform::display::NativeWindow> shown = opened->create_window(params);
  shown->set_visible(true);
  backend = opened.get();
  window = shown.get();
  for (size_t i = 0; i < frame_pixels.size(); ++i) frame_pixels[i] = static_cast<uint32_t>(i * 2654435761u);
  frame.bits = reinterpret_cast<uint8_t*>(frame_pixels.data());
  frame.width = kWidth;
  frame.height = kHeight;
  frame.stride = kWidth * 4;
  frame.bits_per_pixel = 32;

  bench::nine_repetitions({benchmark::RegisterBenchmark("BM_PresentFull", BM_PresentFull),
                           benchmark::RegisterBenchmark("BM_PresentSmallArea", BM_PresentSmallArea),
                           benchmark::RegisterBenchmark("BM_PresentEmptyArea", BM_PresentEmptyArea),
                           benchmark::RegisterBenchmark("BM_PresentFullAndWait", BM_PresentFullAndWait),
                           benchmark::RegisterBenchmark("BM_MemcpyFull", BM_MemcpyFull)});
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  shown.reset();
  opened.reset();
  return 0;
}
