// All-or-nothing output files (see atomic_output.h): an unnamed O_TMPFILE
// or a hidden named temporary beside the target, linked in as the target,
// or swapped with it (or renamed over it) on commit; a named one removed
// when a stop signal ends the process.
// Depends on Linux/POSIX files and signals; knows no file format.
#include "atomic_output.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <vector>

namespace {

// The one named temporary that a stop signal must remove, in storage a
// signal handler may read.
char pending_removal[PATH_MAX];
volatile sig_atomic_t removal_armed = 0;

void remove_and_die(int signal_number) {
  if (removal_armed) unlink(pending_removal);
  ::signal(signal_number, SIG_DFL);
  raise(signal_number);
}

void install_stop_handlers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  struct sigaction action {};
  action.sa_handler = remove_and_die;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal_number, &action, nullptr);
}

// Arms or disarms the handler's removal, with the stop signals held off so
// that the handler never sees a half-copied name.
void set_pending_removal(const std::string& path) {
  sigset_t stops, previous;
  sigemptyset(&stops);
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&stops, signal_number);
  sigprocmask(SIG_BLOCK, &stops, &previous);
  removal_armed = 0;
  if (!path.empty() && path.size() < sizeof pending_removal) {
    std::memcpy(pending_removal, path.c_str(), path.size() + 1);
    removal_armed = 1;
  }
  sigprocmask(SIG_SETMASK, &previous, nullptr);
}

// mkstemp creates mode 0600; the finished file gets what a plain fopen would.
mode_t default_file_mode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// "<folder>/.<name>." beside the target, to which six characters are added
// to make a hidden temporary name.
std::string hidden_prefix(const std::string& target) {
  const std::string::size_type slash = target.rfind('/');
  const std::string::size_type start = slash == std::string::npos ? 0 : slash + 1;
  return target.substr(0, start) + "." + target.substr(start) + ".";
}

// A fresh hidden name beside the target, made unique by creating it; -1
// when it could not be made.
int create_named_temporary(const std::string& target, std::string& name) {
  std::string pattern = hidden_prefix(target) + "XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const int fd = mkstemp(buffer.data());
  if (fd >= 0) name = buffer.data();
  return fd;
}

// Links the open unnamed file `self` ("/proc/self/fd/N") under a fresh
// hidden name beside the target, armed for removal by a stop signal; false
// when no name was free.
bool link_under_hidden_name(const std::string& self, const std::string& target, std::string& name) {
  static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = hidden_prefix(target);
    for (int i = 0; i < 6; ++i) name += letters[random() % (sizeof letters - 1)];
    set_pending_removal(name);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    set_pending_removal("");
    if (errno != EEXIST) break;
  }
  name.clear();
  return false;
}

// Puts the finished file `from` in the place of `to`. An existing regular
// file is swapped with it (so `to` always names a whole file) and then
// removed: ext4 writes a file renamed over another out to disk at once,
// which costs milliseconds even for small files, and a swap does not.
bool move_into_place(const std::string& from, const std::string& to) {
  struct stat target;
  if (lstat(to.c_str(), &target) == 0 && S_ISREG(target.st_mode) &&
      renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0) {
    unlink(from.c_str());
    return true;
  }
  return rename(from.c_str(), to.c_str()) == 0;
}

std::string folder_of(const std::string& target) {
  const std::string::size_type slash = target.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
}

}  // namespace

AtomicOutput::AtomicOutput(const std::string& target) : target_(target) {
  install_stop_handlers();
  int fd = open(folder_of(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, default_file_mode());
  if (fd < 0) {
    fd = create_named_temporary(target, named_);
    if (fd < 0) return;
    set_pending_removal(named_);
    if (fchmod(fd, default_file_mode()) != 0) {
      close(fd);
      discard();
      return;
    }
  }
  if ((stream_ = fdopen(fd, "wb")) == nullptr) {
    close(fd);
    discard();
  }
}

AtomicOutput::~AtomicOutput() { discard(); }

bool AtomicOutput::commit() {
  if (!stream_) return false;
  // The stream is closed first, as some file systems report write errors
  // only then; a second descriptor keeps an unnamed file alive until it is linked.
  const int unnamed = named_.empty() ? dup(fileno(stream_)) : -1;
  bool written = fflush(stream_) == 0 && !ferror(stream_) && (unnamed >= 0 || !named_.empty());
  written = fclose(stream_) == 0 && written;
  stream_ = nullptr;
  if (written && unnamed >= 0) {
    // The unnamed file takes the target's name at once when that is free,
    // so that no temporary name ever exists; an existing target is swapped
    // out through a hidden name instead.
    const std::string self = "/proc/self/fd/" + std::to_string(unnamed);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      close(unnamed);
      return true;
    }
    written = errno == EEXIST && link_under_hidden_name(self, target_, named_);
  }
  written = written && move_into_place(named_, target_);
  if (unnamed >= 0) close(unnamed);
  if (written) {
    set_pending_removal("");
    named_.clear();
    return true;
  }
  discard();
  return false;
}

void AtomicOutput::discard() {
  if (stream_) {
    fclose(stream_);
    stream_ = nullptr;
  }
  if (!named_.empty()) {
    unlink(named_.c_str());
    set_pending_removal("");
    named_.clear();
  }
}
