// An Xvfb server of our own for a test or a benchmark: started on a free
// display number, ready once its socket exists, stopped when destroyed.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

class XvfbServer {
 public:
  XvfbServer() = default;
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;
  ~XvfbServer() { stop(); }

  // Starts `Xvfb :N -screen 0 <screen> -nolisten tcp -terminate <extra...>`
  // on the first free N from 90 on. False when Xvfb is missing or never became
  // ready. The server also ends once its last client has gone, so that a
  // test that dies does not leave it behind.
  bool start(const std::string& screen = "1280x720x24", const std::vector<std::string>& extra = {}) {
    for (int number = 90; number < 300; ++number) {
      if (exists(socket_path(number)) || exists("/tmp/.X" + std::to_string(number) + "-lock")) continue;
      switch (launch(number, screen, extra)) {
        case Launch::ready:
          display_ = ":" + std::to_string(number);
          return true;
        case Launch::taken:
          continue;
        case Launch::failed:
          return false;
      }
    }
    return false;
  }

  void stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

  // ":N"
  const std::string& display() const { return display_; }

 private:
  enum class Launch { ready, taken, failed };

  static std::string socket_path(int number) { return "/tmp/.X11-unix/X" + std::to_string(number); }
  static bool exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
  }

  Launch launch(int number, const std::string& screen, const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"Xvfb", ":" + std::to_string(number), "-screen", "0", screen,
                                     "-nolisten", "tcp", "-terminate"};
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
      pid_ = -1;
      return Launch::failed;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        // Another server took the number first, or Xvfb could not run.
        pid_ = -1;
        return WIFEXITED(status) && WEXITSTATUS(status) == 127 ? Launch::failed : Launch::taken;
      }
      if (exists(socket_path(number))) return Launch::ready;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    stop();
    return Launch::failed;
  }

  pid_t pid_ = -1;
  std::string display_;
};
