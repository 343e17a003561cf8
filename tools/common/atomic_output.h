// An output file that appears whole or not at all, and leaves nothing
// behind when its writer is stopped.
//
// The bytes go to an unnamed temporary file in the target's folder (Linux's
// O_TMPFILE): a process killed while writing, by any signal, leaves no file
// at all. Committing links the finished file in under the target's name
// when that is free; an existing target is replaced through a hidden
// temporary name renamed over it, so readers never see a half-written file
// and a failed run leaves an existing target untouched. Where the file
// system cannot make unnamed files, a named hidden temporary is used
// instead. A named temporary, in that fallback or in the instant between
// link and rename, is removed when SIGTERM, SIGINT or SIGHUP ends the
// process (only SIGKILL then can leave one).
// Depends on: POSIX files (mkstemp, rename, fsync); knows no file format.
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

  // Flushes, closes and puts the file in place of the target; false (and
  // nothing left behind) when any of that fails.
  bool commit();

 private:
  void discard();

  std::string target_;
  std::string named_;  // the named temporary while one exists
  FILE* stream_ = nullptr;
};
