// One whole Quillfern cycle at resolution high, from capture to redraw, on
// the X display the benchmark is given, whose root window shows the
// screenshot-like picture of support/ (the client photographs the real
// screen), against a local exchange server. Beside it, in the same run, zlib
// at level 6 on the cycle's own outgoing picture (the reference the cycle is
// judged by), and the CPU the client uses between cycles (its input and
// refresh threads alone) as a share of one core. The cycle's steps, as the
// client times them, are counters in milliseconds. The server listens on port
// 26001 of a loopback address of this run's own (127.88.x.y from the process
// id), so that runs and tests on one machine never meet.
// Depends on: the client library's public header, Frond, Xlib, zlib, libpng. Without
// a display it says so and exits 0.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "Client/quillfern_client.h"
#include "frond/frond.h"
#include "support/bench_support.h"
#include "support/synthetic_screenshot.h"

// Xlib's macros (Status, None ...) come last, after the Windows-style names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

namespace fs = std::filesystem;

using steps = quillfern::cycle_step_seconds;
constexpr std::pair<const char*, double steps::*> kSteps[] = {
    {"capture_ms", &steps::capture}, {"scale_ms", &steps::scale},       {"save_ms", &steps::save},
    {"pngslim_ms", &steps::pngslim}, {"encfile_ms", &steps::encfile}, {"exchange_ms", &steps::exchange},
    {"decode_ms", &steps::decode},   {"display_ms", &steps::display}};

void BM_SwapCycleHigh(benchmark::State& state) {
  double total[std::size(kSteps)] = {};
  for (auto _ : state) {
    quillfern::run_swap_cycle();
    const steps last = quillfern::last_cycle_steps();
    for (size_t i = 0; i < std::size(kSteps); ++i) total[i] += last.*kSteps[i].second;
  }
  for (size_t i = 0; i < std::size(kSteps); ++i)
    state.counters[kSteps[i].first] = 1000 * total[i] / double(state.iterations());
}

// The reference: zlib at level 6 on the packed RGB of the picture the last
// cycle sent (as saved before the PNG tool).
void BM_Zlib6OfPicture(benchmark::State& state) {
  const std::vector<uint8_t> rgb = bench::png_rgb(bench::read_file("temp/image2.png"));
  if (rgb.empty()) return state.SkipWithError("no outgoing picture");
  std::vector<uint8_t> out(compressBound(uLong(rgb.size())));
  uLongf size = 0;
  for (auto _ : state) {
    size = uLongf(out.size());
    if (compress2(out.data(), &size, rgb.data(), uLong(rgb.size()), 6) != Z_OK) return state.SkipWithError("zlib failed");
  }
  state.counters["picture_bytes"] = double(rgb.size());
  state.counters["bytes"] = double(size);
}

void BM_IdleBetweenCycles(benchmark::State& state) {
  for (auto _ : state) {
    const std::clock_t cpu0 = std::clock();  // the process's CPU time
    const auto wall0 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    state.counters["core_share_percent"] = 100.0 * double(std::clock() - cpu0) / CLOCKS_PER_SEC / wall;
  }
}

// Shows the screenshot-like picture as the root window's background; false
// when the display is not a 24-bit true-colour one.
bool paint_root(Display* display) {
  const int screen = DefaultScreen(display);
  const int width = DisplayWidth(display, screen), height = DisplayHeight(display, screen);
  if (DefaultDepth(display, screen) != 24) return false;
  auto* bgrx = static_cast<uint32_t*>(std::malloc(size_t(width) * height * 4));
  synthetic::to_argb(synthetic::screenshot(width, height), bgrx);
  XImage* image = XCreateImage(display, DefaultVisual(display, screen), 24, ZPixmap, 0, reinterpret_cast<char*>(bgrx),
                               unsigned(width), unsigned(height), 32, 0);
  const Window root = RootWindow(display, screen);
  const Pixmap pixmap = XCreatePixmap(display, root, unsigned(width), unsigned(height), 24);
  XPutImage(display, pixmap, DefaultGC(display, screen), image, 0, 0, 0, 0, unsigned(width), unsigned(height));
  XSetWindowBackgroundPixmap(display, root, pixmap);
  XClearWindow(display, root);
  XFreePixmap(display, pixmap);
  XDestroyImage(image);  // frees bgrx
  XSync(display, False);
  return true;
}

// 127.88.x.y with x.y from the process id: the loopback address of this run.
std::string own_loopback_address() {
  const unsigned id = unsigned(getpid());
  return "127.88." + std::to_string((id >> 8) & 0xFF) + "." + std::to_string(1 + id % 254);
}

pid_t start_server(const fs::path& folder, const std::string& address) {
  std::ofstream(folder / "pairs.txt") << "bench bench\n";
  const pid_t pid = bench::start_program(
      {QUILLFERN_EXCHANGE_PROGRAM, "--pairs", (folder / "pairs.txt").string(), "--listen", address});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  if (pid < 0 || waitpid(pid, nullptr, WNOHANG) != 0) {
    std::fprintf(stderr, "cycle_bench: the exchange server could not listen on %s\n", address.c_str());
    std::exit(1);
  }
  return pid;
}

}  // namespace

BENCHMARK(BM_SwapCycleHigh)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(20);
BENCHMARK(BM_Zlib6OfPicture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_IdleBetweenCycles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char** argv) {
  if (!bench::have_display("cycle_bench")) return 0;
  Display* display = XOpenDisplay(nullptr);  // kept open for the run
  if (display == nullptr || !paint_root(display)) {
    std::fprintf(stderr, "cycle_bench: the display does not open or is not 24-bit true colour\n");
    return 1;
  }
  // A run folder of its own, with the tools and glyphs of the build's, paired with itself.
  const fs::path folder = fs::temp_directory_path() / ("quillfern-cycle-bench-" + std::to_string(getpid()));
  for (const char* made : {"temp", "logs"}) fs::create_directories(folder / made);
  for (const char* copied : {"bin", "font"})
    fs::copy(fs::path(QUILLFERN_RUN_DIR) / copied, folder / copied, fs::copy_options::recursive);
  fs::current_path(folder);
  const std::string address = own_loopback_address();
  std::ofstream("settings.txt") << "server=" << address << "\nuser=bench\n"
                                << "key=00112233445566778899aabbccddeeff0011223344556677\n"
                                << "interval=instant\nresolution=high\n";
  const pid_t server = start_server(folder, address);

  frond::initgraph(640, 360, frond::INITMODE_MANUAL_RENDER | frond::INITMODE_KEEP_ON_CLOSE);
  if (!quillfern::prepare_run()) return 1;
  quillfern::start_run();
  quillfern::run_swap_cycle();  // the reference's picture, and warm caches

  bench::run_benchmarks(argc, argv);
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  fs::remove_all(folder);
  std::_Exit(0);  // the worker threads run on; nothing to wait for
}
