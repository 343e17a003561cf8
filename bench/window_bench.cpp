// The graphics window on the X display it is given: pacing with
// delay_fps(60), presenting a counted 1600x900 frame with delay_ms(0) (page
// to window framebuffer, then MIT-SHM to the server, returning once the
// server has read it) beside a memcpy of the same frame (the floor a present
// cannot go under), and the time from a key event leaving an X client to its
// record being readable from the key queue.
// Depends on: Frond's public header, Xlib. Without a display it says so and
// exits 0.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frond/frond.h"
#include "support/bench_support.h"

// Xlib's macros (Status, None ...) come last, after the Windows-style names.
#include <X11/Xlib.h>

using namespace frond;

namespace {

Display* sender = nullptr;
Window target = 0;

constexpr int64_t kFrameBytes = int64_t{1600} * 900 * 4;

void BM_PresentCountedFrame(benchmark::State& state) {
  argb_color colour = 0xFF000000;
  for (auto _ : state) {
    putpixel(0, 0, colour ^= 0x00010101);  // counts a change of the picture
    delay_ms(0);
  }
  state.SetBytesProcessed(state.iterations() * kFrameBytes);
}

void BM_MemcpyFrame(benchmark::State& state) {
  const argb_color* page = getbuffer();
  std::vector<argb_color> target(size_t(1600) * 900);
  bench::time_calls(state, 0, [&] { std::memcpy(target.data(), page, kFrameBytes); });
  state.SetBytesProcessed(state.iterations() * kFrameBytes);
}

void BM_KeyEventToQueue(benchmark::State& state) {
  XKeyEvent event = {};
  event.type = KeyPress;
  event.display = sender;
  event.window = target;
  event.root = DefaultRootWindow(sender);
  event.same_screen = True;
  event.keycode = XKeysymToKeycode(sender, 'a');
  flushkey();
  for (auto _ : state) {
    XSendEvent(sender, target, True, KeyPressMask, reinterpret_cast<XEvent*>(&event));
    XFlush(sender);
    while (keypending() <= 0) {
    }
    popkey();
  }
}

// 60 frames a second: each call should take 16.67 ms on average.
void BM_DelayFps60(benchmark::State& state) {
  for (auto _ : state) delay_fps(60);
}

}  // namespace

BENCHMARK(BM_DelayFps60)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(60);
BENCHMARK(BM_PresentCountedFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KeyEventToQueue)->Unit(benchmark::kMicrosecond)->UseRealTime();

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
