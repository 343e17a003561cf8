// One whole Quillfern cycle at resolution high, from capture to redraw, on
// the headless 1920x1080 screen painted with screenshot-like content, against
// a local exchange server; beside it, in the same run, zlib at level 6 on the
// same outgoing picture's 4.3 MB (the reference the cycle is judged by), the
// same steps timed one by one (capture, scale, save, pngslim, encfile,
// exchange, decode, display, each a counter in milliseconds), and the CPU
// the client uses between cycles (the input and refresh threads alone), as a
// share of one core. The server listens on port 26001 of a loopback address
// of this run's own (127.88.x.y from the process id), so that runs and tests
// on one machine never meet. Run with --benchmark_repetitions=5
// --benchmark_enable_random_interleaving=true.
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <thread>
#include <vector>

#include "Client/capture.h"
#include "Client/client_state.h"
#include "Client/cycle.h"
#include "Client/display.h"
#include "Client/exchange.h"
#include "Client/input.h"
#include "Client/token.h"
#include "Client/tools.h"
#include "platform/test_seams.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace quillfern;

decltype(make_http_client()) client;

// Windows, text lines and a photo-like panel, as a desktop shows them.
void paint_screenshot() {
  const platform_test::ScreenPixels screen = platform_test::headless_screen();
  for (int y = 0; y < screen.height; ++y)
    for (int x = 0; x < screen.width; ++x) {
      uint32_t p = 0xFF2B5797;  // desktop
      if (x > 100 && x < 1100 && y > 80 && y < 900) p = (y % 18 < 12 && x % 9 < 6 && (x / 90 + y / 18) % 5) ? 0xFF202020 : 0xFFFFFFFF;
      if (x > 1200 && x < 1800 && y > 150 && y < 700) p = 0xFF000000 | ((x * 7 + y * 3) & 0xFF) << 16 | ((x ^ y) & 0xFF) << 8 | (y & 0xFF);
      if (y > 1040) p = 0xFF303030;  // task bar
      screen.pixels[size_t(y) * screen.stride + x] = p;
    }
}

double process_cpu_seconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

void BM_SwapCycleHigh(benchmark::State& state) {
  for (auto _ : state) swap_cycle(*client);
}

// The cycle's scale step: the saved capture stretched to the outgoing size.
frond::IMAGE* scaled_capture(int resolution) {
  const picture_size size = outgoing_size(resolution);
  frond::IMAGE* capture = frond::newimage();
  frond::getimage(capture, "temp\\image1.bmp", 0, 0);
  frond::IMAGE* outgoing = frond::newimage(size.width, size.height);
  frond::putimage(outgoing, 0, 0, size.width, size.height, capture, 0, 0, frond::getwidth(capture),
                  frond::getheight(capture), SRCCOPY);
  frond::delimage(capture);
  return outgoing;
}

// The outgoing picture of a cycle as packed RGB, as savepng reads it.
std::vector<uint8_t> outgoing_rgb() {
  capture_screen();
  save_capture_bmp();
  frond::IMAGE* outgoing = scaled_capture(1);
  const size_t pixels = size_t(outgoing->width) * outgoing->height;
  std::vector<uint8_t> rgb;
  rgb.reserve(pixels * 3);
  for (size_t i = 0; i < pixels; ++i) {
    const uint32_t p = outgoing->pixels[i];
    rgb.insert(rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
  }
  frond::delimage(outgoing);
  return rgb;
}

// The reference: zlib at level 6 on the outgoing picture's bytes.
void BM_Zlib6OfPicture(benchmark::State& state) {
  const std::vector<uint8_t> rgb = outgoing_rgb();
  std::vector<uint8_t> out(compressBound(uLong(rgb.size())));
  uLongf size = 0;
  for (auto _ : state) {
    size = uLongf(out.size());
    if (compress2(out.data(), &size, rgb.data(), uLong(rgb.size()), 6) != Z_OK) return state.SkipWithError("zlib failed");
  }
  state.counters["picture_bytes"] = double(rgb.size());
  state.counters["bytes"] = double(size);
}

// The cycle's steps as swap_cycle runs them, each timed on its own. The
// decode step (decrypting and loading the partner's picture, which the
// exchange step does after its request) is timed again on its files and
// taken off the exchange step's time.
void BM_CycleSteps(benchmark::State& state) {
  using clock = std::chrono::steady_clock;
  std::map<std::string, double> seconds;
  const auto timed = [&](const char* step, const auto& work) {
    const auto t0 = clock::now();
    work();
    seconds[step] += std::chrono::duration<double>(clock::now() - t0).count();
  };
  for (auto _ : state) {
    frond::IMAGE* outgoing = nullptr;
    timed("capture", [] {
      capture_screen();
      save_capture_bmp();
    });
    timed("scale", [&] { outgoing = scaled_capture(settings.resolution); });
    timed("save", [&] {
      frond::savepng(outgoing, "temp\\image2.png", false);
      frond::delimage(outgoing);
    });
    timed("pngslim", [] { run_pngslim(); });
    const std::string token = make_token(token_engine, false);
    timed("encfile", [&] { encrypt_capture(settings.key + token); });
    timed("exchange", [&] { exchange(*client, token); });
    // Paired with itself, the server answers with the picture just sent.
    timed("decode", [&] {
      decrypt_received(settings.key + token);
      frond::getimage_pngfile(received_image, "temp\\image6.png");
    });
    timed("display", [] {
      update_caption();
      redraw_window();
    });
  }
  seconds["exchange"] -= seconds["decode"];
  for (const auto& [step, total] : seconds) state.counters[step + "_ms"] = 1000 * total / double(state.iterations());
}

void BM_IdleBetweenCycles(benchmark::State& state) {
  for (auto _ : state) {
    const double cpu0 = process_cpu_seconds();
    const auto wall0 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    state.counters["core_share_percent"] = 100.0 * (process_cpu_seconds() - cpu0) / wall;
  }
}

// 127.88.x.y with x.y from the process id: the loopback address of this run.
std::string own_loopback_address() {
  const unsigned id = unsigned(getpid());
  return "127.88." + std::to_string((id >> 8) & 0xFF) + "." + std::to_string(1 + id % 254);
}

pid_t start_server(const fs::path& folder, const std::string& address) {
  const std::string pairs = (folder / "pairs.txt").string();
  std::FILE* file = std::fopen(pairs.c_str(), "w");
  std::fputs("bench bench\n", file);
  std::fclose(file);
  std::string program = QUILLFERN_EXCHANGE_PROGRAM;
  char* argv[] = {program.data(), const_cast<char*>("--pairs"), const_cast<char*>(pairs.c_str()),
                  const_cast<char*>("--listen"), const_cast<char*>(address.c_str()), nullptr};
  pid_t pid = 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  if (waitpid(pid, nullptr, WNOHANG) != 0) {
    std::fprintf(stderr, "cycle_bench: the exchange server could not listen on %s\n", address.c_str());
    std::exit(1);
  }
  return pid;
}

}  // namespace

BENCHMARK(BM_SwapCycleHigh)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(20);
BENCHMARK(BM_Zlib6OfPicture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_CycleSteps)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_IdleBetweenCycles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char** argv) {
  // A run folder of its own, with the tools and glyphs of the build's.
  const fs::path folder = fs::temp_directory_path() / ("quillfern-cycle-bench-" + std::to_string(getpid()));
  fs::create_directories(folder / "temp");
  fs::create_directories(folder / "logs");
  fs::copy(QUILLFERN_RUN_DIR "/bin", folder / "bin", fs::copy_options::recursive);
  fs::copy(QUILLFERN_RUN_DIR "/font", folder / "font", fs::copy_options::recursive);
  fs::current_path(folder);
  settings.user = "bench";
  settings.key = "00112233445566778899aabbccddeeff0011223344556677";
  settings.resolution = 1;
  settings.interval = 0;
  settings.server = own_loopback_address();
  const pid_t server = start_server(folder, settings.server);

  platform_test::use_headless_display();
  paint_screenshot();
  frond::initgraph(640, 360, frond::INITMODE_MANUAL_RENDER | frond::INITMODE_KEEP_ON_CLOSE);
  std::thread(input_thread).detach();
  std::thread(refresh_thread).detach();
  client = make_http_client();

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  fs::remove_all(folder);
  std::_Exit(0);  // the worker threads run on; nothing to wait for
}
