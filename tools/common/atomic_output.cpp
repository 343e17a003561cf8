#include "atomic_output.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

// mkstemp creates mode 0600; the finished file gets what a plain fopen would.
mode_t default_file_mode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

AtomicOutput::AtomicOutput(const std::string& target) : target_(target) {
  std::string::size_type slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string pattern = folder + "." + name + ".XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  int fd = mkstemp(buffer.data());
  if (fd < 0) return;
  temporary_ = buffer.data();
  if (fchmod(fd, default_file_mode()) != 0 || (stream_ = fdopen(fd, "wb")) == nullptr) {
    close(fd);
    unlink(temporary_.c_str());
    temporary_.clear();
  }
}

AtomicOutput::~AtomicOutput() { discard(); }

bool AtomicOutput::commit() {
  if (!stream_) return false;
  bool written = fflush(stream_) == 0 && !ferror(stream_);
  bool closed = fclose(stream_) == 0;
  stream_ = nullptr;
  if (written && closed && rename(temporary_.c_str(), target_.c_str()) == 0) {
    temporary_.clear();
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
  if (!temporary_.empty()) {
    unlink(temporary_.c_str());
    temporary_.clear();
  }
}
