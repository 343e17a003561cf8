// An output file that appears whole or not at all: the bytes go to a
// temporary file beside the target, which is renamed over the target only
// when the writer commits. Readers never see a half-written file, and a
// failed run leaves an existing target untouched.
#pragma once

#include <cstdio>
#include <string>

class AtomicOutput {
 public:
  explicit AtomicOutput(const std::string& target);
  ~AtomicOutput();
  AtomicOutput(const AtomicOutput&) = delete;
  AtomicOutput& operator=(const AtomicOutput&) = delete;

  // Null when the temporary file could not be created.
  FILE* stream() const { return stream_; }

  // Flushes, closes and renames over the target; false (and the temporary
  // file removed) when any of that fails.
  bool commit();

 private:
  void discard();

  std::string target_;
  std::string temporary_;
  FILE* stream_ = nullptr;
};
