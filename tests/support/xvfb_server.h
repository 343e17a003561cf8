// An Xvfb server of our own for a test or a benchmark: Xvfb picks a free
// display number itself and reports it (-displayfd) once it takes
// connections; stopped when destroyed.
// Depends on: the Xvfb program (posix_spawnp). Asserts nothing: callers
// decide what a missing Xvfb means.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

class XvfbServer {
 public:
  XvfbServer() = default;
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;
  ~XvfbServer() { stop(); }

  // Starts `Xvfb -displayfd 3 -screen 0 <screen> -nolisten tcp -terminate
  // <extra...>`. False when Xvfb is missing or never became ready within 15 s.
  // The server also ends once its last client has gone, so that a test that
  // dies does not leave it behind.
  bool start(const std::string& screen = "1280x720x24", const std::vector<std::string>& extra = {}) {
    int ready[2];
    if (pipe(ready) != 0) return false;
    std::vector<std::string> args = {"Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp",
                                     "-terminate"};
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // Closed first: the read end may itself be descriptor 3.
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    posix_spawn_file_actions_adddup2(&actions, ready[1], 3);
    const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    if (spawned != 0) {
      pid_ = -1;
      close(ready[0]);
      return false;
    }
    // The number arrives as a line once the server listens.
    std::string number;
    pollfd wait = {ready[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos && poll(&wait, 1, 15000) == 1) {
      char bytes[16];
      const ssize_t got = read(ready[0], bytes, sizeof bytes);
      if (got <= 0) break;
      number.append(bytes, static_cast<size_t>(got));
    }
    close(ready[0]);
    if (number.find('\n') == std::string::npos) {
      stop();
      return false;
    }
    display_ = ":" + number.substr(0, number.find('\n'));
    return true;
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
  pid_t pid_ = -1;
  std::string display_;
};
