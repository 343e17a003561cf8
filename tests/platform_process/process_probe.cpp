// The child of the process tests. Usage: probe REPORT MODE ...
//   args ...            writes every argument it received, argv[0] first
//   inherited           writes the descriptors above stderr that are open,
//                       where stdin leads, SIGPIPE's disposition, whether
//                       the signal mask is empty and the process group
//   cwd                 writes the current directory
//   env NAME            writes the variable's value, or "(unset)"
//   wait FILE CODE      waits until FILE exists, then exits with CODE
//   exit CODE           exits with CODE
//   signal N            ends itself with signal N
// The report is a file of fields, each followed by a zero byte.
// Depends on: POSIX only; it links nothing of the platform it helps test.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string open_descriptors() {
  std::string out;
  for (int fd = 3; fd < 1024; ++fd) {
    if (fcntl(fd, F_GETFD) != -1) out += std::to_string(fd) + " ";
  }
  return out;
}

std::string stdin_target() {
  char target[256] = {};
  const ssize_t n = readlink("/proc/self/fd/0", target, sizeof target - 1);
  return n > 0 ? std::string(target, static_cast<size_t>(n)) : "(none)";
}

std::string sigpipe_disposition() {
  struct sigaction action = {};
  sigaction(SIGPIPE, nullptr, &action);
  return action.sa_handler == SIG_DFL ? "default" : "changed";
}

std::string signal_mask() {
  sigset_t mask;
  sigprocmask(SIG_SETMASK, nullptr, &mask);
  return sigismember(&mask, SIGUSR1) || sigismember(&mask, SIGINT) ? "blocked" : "empty";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 100;
  // Looked at before the report file opens a descriptor of its own.
  const std::string descriptors = open_descriptors();
  const std::string mode = argv[2];
  std::vector<std::string> fields;
  if (mode == "args") {
    fields.assign(argv, argv + argc);
  } else if (mode == "inherited") {
    fields = {descriptors, stdin_target(), sigpipe_disposition(), signal_mask(),
              std::to_string(getpgrp()), std::to_string(getpid())};
  } else if (mode == "cwd") {
    char* cwd = getcwd(nullptr, 0);
    fields = {cwd != nullptr ? cwd : "(none)"};
    std::free(cwd);
  } else if (mode == "env" && argc > 3) {
    const char* value = std::getenv(argv[3]);
    fields = {value != nullptr ? value : "(unset)"};
  } else if (mode == "wait" && argc > 4) {
    while (access(argv[3], F_OK) != 0) usleep(1000);
    return std::atoi(argv[4]);
  } else if (mode == "exit" && argc > 3) {
    return std::atoi(argv[3]);
  } else if (mode == "signal" && argc > 3) {
    raise(std::atoi(argv[3]));
    return 101;
  } else {
    return 102;
  }
  std::ofstream report(argv[1], std::ios::binary);
  for (const std::string& field : fields) report << field << '\0';
  return report ? 0 : 103;
}
