// The client's screen capture of a 1920x1080 screen on an Xvfb of our own:
// the screen DC copied with SRCCOPY into a new 24-bit bottom-up DIB section,
// as every swap cycle does, beside the X server's own shared-memory read of
// the same screen (XShmGetImage into a segment made once), the floor that
// any capture through the server stands on.
#include <benchmark/benchmark.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdio>
#include <cstdlib>

#include "platform/windows.h"
#include "support/bench_support.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void BM_CaptureScreen(benchmark::State& state) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  uint8_t first = 0;
  for (auto _ : state) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, kWidth, kHeight, screen, 0, 0, SRCCOPY);
    first = *static_cast<uint8_t*>(bits);
    SelectObject(memory, previous);
    ReleaseDC(nullptr, screen);
    DeleteDC(memory);
    DeleteObject(bitmap);
  }
  benchmark::DoNotOptimize(first);
  state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}

void BM_XShmGetImage(benchmark::State& state) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    state.SkipWithError("the display does not open");
    return;
  }
  XShmSegmentInfo segment{};
  XImage* image = XShmCreateImage(display, DefaultVisual(display, 0), DefaultDepth(display, 0), ZPixmap, nullptr,
                                  &segment, kWidth, kHeight);
  segment.shmid = shmget(IPC_PRIVATE, size_t(image->bytes_per_line) * kHeight, IPC_CREAT | 0600);
  segment.shmaddr = image->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
  XShmAttach(display, &segment);
  XSync(display, False);
  shmctl(segment.shmid, IPC_RMID, nullptr);
  for (auto _ : state) XShmGetImage(display, DefaultRootWindow(display), image, 0, 0, AllPlanes);
  state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
  XShmDetach(display, &segment);
  XSync(display, False);
  shmdt(segment.shmaddr);
  image->data = nullptr;
  XDestroyImage(image);
  XCloseDisplay(display);
}

}  // namespace

int main(int argc, char** argv) {
  XvfbServer server;
  if (!bench::use_own_xvfb(server, "capture_bench")) return 1;
  Display* ready = XOpenDisplay(nullptr);  // kept open: the server ends with its last client
  if (ready == nullptr) {
    std::fprintf(stderr, "capture_bench: Xvfb takes no connections\n");
    return 1;
  }
  bench::nine_repetitions({benchmark::RegisterBenchmark("BM_XShmGetImage", BM_XShmGetImage),
                           benchmark::RegisterBenchmark("BM_CaptureScreen", BM_CaptureScreen)});
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  XCloseDisplay(ready);
  return 0;
}
