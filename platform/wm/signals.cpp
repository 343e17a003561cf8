// SIGINT and SIGTERM close the program's windows: the handler only writes the
// signal number into a pipe; a small thread reads it and posts WM_CLOSE to
// every top-level window. SIGPIPE is ignored.
// Depends on: wm_state, PostMessage. Handles no other signal.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <thread>
#include <vector>

#include "wm/wm_state.h"

namespace {

int signal_pipe[2] = {-1, -1};

void on_signal(int number) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(number);
  [[maybe_unused]] const ssize_t written = write(signal_pipe[1], &byte, 1);
  errno = saved;
}

void close_all_top_level_windows() {
  using namespace platform::wm;
  std::vector<HWND> targets;
  {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (const Window* desktop = find_window(s, s.desktop)) targets = desktop->children;
  }
  for (HWND hwnd : targets) PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

void watch_pipe() {
  for (;;) {
    unsigned char byte = 0;
    const ssize_t n = read(signal_pipe[0], &byte, 1);
    if (n == 1) close_all_top_level_windows();
    if (n == 0 || (n < 0 && errno != EINTR)) return;
  }
}

}  // namespace

namespace platform::wm {

void install_close_on_signals() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (pipe2(signal_pipe, O_CLOEXEC) != 0) return;
    std::thread(watch_pipe).detach();
    struct sigaction action = {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
  });
}

}  // namespace platform::wm
