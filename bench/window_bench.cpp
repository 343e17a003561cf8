// The graphics window on the X display it is given: pacing with
// delay_fps(60); presenting a counted 1600x900 frame with delay_ms(0) (page
// to window framebuffer, then MIT-SHM to the server, returning once the
// server has read it) beside a plain Xlib client's XShmPutImage of the same
// frame and a memcpy of it (the copy a present adds); the time from a key
// event leaving an X client to its record being readable from the key queue,
// beside a plain Xlib client's XNextEvent returning the same event.
// Depends on: Frond's public header, Xlib with MIT-SHM. Without a display it
// says so and exits 0.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frond/frond.h"
#include "support/bench_support.h"

// Xlib's macros (Status, None ...) come last, after the Windows-style names.
#include "support/shm_image.h"

using namespace frond;

namespace {

Display* sender = nullptr;
Window target = 0;

constexpr int64_t kFrameBytes = int64_t{1600} * 900 * 4;

// A plain Xlib client: a connection of its own and a 1600x900 window on it,
// mapped and exposed, that selects `events`.
struct PlainClient {
  explicit PlainClient(long events) {
    if (display == nullptr) return;
    window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1600, 900, 0, 0, 0);
    XSelectInput(display, window, events | ExposureMask);
    XMapWindow(display, window);
    XEvent exposed;
    XWindowEvent(display, window, ExposureMask, &exposed);
  }
  ~PlainClient() {
    if (display != nullptr) XCloseDisplay(display);
  }
  PlainClient(const PlainClient&) = delete;
  PlainClient& operator=(const PlainClient&) = delete;

  Display* display = XOpenDisplay(nullptr);
  Window window = 0;
};

// Fails `state` unless `window`'s top-left pixel shows `colour`'s RGB.
void check_shown(benchmark::State& state, Display* display, Window window, argb_color colour) {
  XImage* pixel = XGetImage(display, window, 0, 0, 1, 1, AllPlanes, ZPixmap);
  if (pixel == nullptr || (XGetPixel(pixel, 0, 0) ^ colour) & 0xFFFFFF) state.SkipWithError("the frame is not shown");
  if (pixel != nullptr) XDestroyImage(pixel);
}

void BM_PresentCountedFrame(benchmark::State& state) {
  argb_color colour = 0xFF000000;
  for (auto _ : state) {
    putpixel(0, 0, colour ^= 0x00010101);  // counts a change of the picture
    delay_ms(0);
  }
  state.SetBytesProcessed(state.iterations() * kFrameBytes);
  check_shown(state, sender, target, colour);
}

// The same frame from a plain client: already in an MIT-SHM image, put whole
// into its own window and waited for with XSync, as the window's present
// waits (its put asks for no completion event), so the server has read the
// segment when the call returns.
void BM_XShmPutImageFrame(benchmark::State& state) {
  PlainClient plain(NoEventMask);
  if (plain.display == nullptr) return state.SkipWithError("the display does not open");
  bench::ShmImage frame(plain.display, 1600, 900);
  auto* pixels = reinterpret_cast<argb_color*>(frame.image->data);
  std::memcpy(pixels, getbuffer(), kFrameBytes);
  for (auto _ : state) {
    pixels[0] ^= 0x00010101;  // counts a change of the picture
    XShmPutImage(plain.display, plain.window, DefaultGC(plain.display, 0), frame.image, 0, 0, 0, 0, 1600, 900, False);
    XSync(plain.display, False);
  }
  state.SetBytesProcessed(state.iterations() * kFrameBytes);
  check_shown(state, plain.display, plain.window, pixels[0]);
}

void BM_MemcpyFrame(benchmark::State& state) {
  const argb_color* page = getbuffer();
  std::vector<argb_color> target(size_t(1600) * 900);
  bench::time_calls(state, 0, [&] { std::memcpy(target.data(), page, kFrameBytes); });
  state.SetBytesProcessed(state.iterations() * kFrameBytes);
}

// Sends the 'a' key's press from `sender` to `window` with XSendEvent and
// returns once `received` has seen it arrive, for each iteration.
template <class Received>
void time_key_presses(benchmark::State& state, Window window, Received&& received) {
  XKeyEvent event = {};
  event.type = KeyPress;
  event.display = sender;
  event.window = window;
  event.root = DefaultRootWindow(sender);
  event.same_screen = True;
  event.keycode = XKeysymToKeycode(sender, 'a');
  for (auto _ : state) {
    XSendEvent(sender, window, True, KeyPressMask, reinterpret_cast<XEvent*>(&event));
    XFlush(sender);
    received();
  }
}

void BM_KeyEventToQueue(benchmark::State& state) {
  flushkey();
  time_key_presses(state, target, [] {
    while (keypending() <= 0) {
    }
    popkey();
  });
}

// The same event to a plain client's window, until its XNextEvent returns it.
void BM_KeyEventToXNextEvent(benchmark::State& state) {
  PlainClient plain(KeyPressMask);
  if (plain.display == nullptr) return state.SkipWithError("the display does not open");
  XEvent event;
  time_key_presses(state, plain.window, [&] {
    do XNextEvent(plain.display, &event);
    while (event.type != KeyPress);
  });
}

// 60 frames a second: each call should take 16.67 ms on average.
void BM_DelayFps60(benchmark::State& state) {
  for (auto _ : state) delay_fps(60);
}

}  // namespace

BENCHMARK(BM_DelayFps60)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(60);
BENCHMARK(BM_PresentCountedFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_XShmPutImageFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KeyEventToQueue)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_KeyEventToXNextEvent)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char** argv) {
  if (!bench::have_display("window_bench")) return 0;
  setcaption("Frond bench");
  initgraph(1600, 900, INITMODE_MANUAL_RENDER | INITMODE_KEEP_ON_CLOSE);
  sender = XOpenDisplay(nullptr);
  if (!isrunning() || sender == nullptr) return 1;
  // The X window under our window: the one titled as we asked.
  Window root = DefaultRootWindow(sender), parent, *children = nullptr;
  unsigned count = 0;
  XQueryTree(sender, root, &root, &parent, &children, &count);
  for (unsigned i = 0; i < count; ++i) {
    char* name = nullptr;
    if (XFetchName(sender, children[i], &name) && name) {
      if (std::string(name) == "Frond bench") target = children[i];
      XFree(name);
    }
  }
  if (children) XFree(children);
  if (target == 0) {
    std::fprintf(stderr, "window_bench: window not found\n");
    return 1;
  }
  const int status = bench::run_benchmarks(argc, argv);
  XCloseDisplay(sender);
  return status;
}
