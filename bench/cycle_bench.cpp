// One whole Quillfern cycle at resolution high, from capture to redraw, on
// the headless 1920x1080 screen painted with screenshot-like content, against
// a local exchange server; and the CPU the client uses between cycles (the
// input and refresh threads alone), as a share of one core.
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <thread>

#include "Client/client_state.h"
#include "Client/cycle.h"
#include "Client/display.h"
#include "Client/exchange.h"
#include "Client/input.h"

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

void BM_IdleBetweenCycles(benchmark::State& state) {
  for (auto _ : state) {
    const double cpu0 = process_cpu_seconds();
    const auto wall0 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    state.counters["core_share_percent"] = 100.0 * (process_cpu_seconds() - cpu0) / wall;
  }
}

pid_t start_server(const fs::path& folder) {
  const std::string pairs = (folder / "pairs.txt").string();
  std::FILE* file = std::fopen(pairs.c_str(), "w");
  std::fputs("bench bench\n", file);
  std::fclose(file);
  std::string program = QUILLFERN_EXCHANGE_PROGRAM;
  char* argv[] = {program.data(), const_cast<char*>("--pairs"), const_cast<char*>(pairs.c_str()), nullptr};
  pid_t pid = 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return pid;
}

}  // namespace

BENCHMARK(BM_SwapCycleHigh)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(20)->Repetitions(3);
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
  const pid_t server = start_server(folder);

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
