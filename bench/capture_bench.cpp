// The client's screen capture of the X display it is given (1920x1080 under
// the xvfb-run line of README.md): the screen DC copied with SRCCOPY into a
// new 24-bit bottom-up DIB section, as every swap cycle does, beside the X
// server's own shared-memory read of the same screen (XShmGetImage into a
// segment made once), the floor that any capture through the server stands on.
// Depends on: the platform's public headers, Xlib with MIT-SHM. Without a
// display it says so and exits 0.
#include "platform/windows.h"
#include "support/bench_support.h"
#include "support/shm_image.h"

namespace {

void BM_CaptureScreen(benchmark::State& state) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const BITMAPINFO info = bench::dib_info(width, height, 24);
  uint8_t first = 0;
  for (auto _ : state) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    first = *static_cast<uint8_t*>(bits);
    SelectObject(memory, previous);
    ReleaseDC(nullptr, screen);
    DeleteDC(memory);
    DeleteObject(bitmap);
  }
  benchmark::DoNotOptimize(first);
  state.SetBytesProcessed(state.iterations() * int64_t{width} * height * 4);
}

void BM_XShmGetImage(benchmark::State& state) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return state.SkipWithError("the display does not open");
  const int width = DisplayWidth(display, 0), height = DisplayHeight(display, 0);
  {
    bench::ShmImage screen(display, width, height);
    for (auto _ : state) XShmGetImage(display, DefaultRootWindow(display), screen.image, 0, 0, AllPlanes);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{width} * height * 4);
  XCloseDisplay(display);
}

}  // namespace

BENCHMARK(BM_XShmGetImage)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CaptureScreen)->UseRealTime()->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  return bench::have_display("capture_bench") ? bench::run_benchmarks(argc, argv) : 0;
}
