// A child process as a kernel object: signalled when the child has ended,
// with its exit code, and the object of its main thread, signalled with it.
// Depends on: kernel_object.h. Never kills the child.
#pragma once

#include <sys/types.h>

#include "kernel/kernel_object.h"

namespace platform::kernel {

// The main thread of a child: it ends when the child does.
class ChildThreadObject : public KernelObject {
 public:
  void end();

 private:
  bool try_acquire() override { return ended_; }
  bool ended_ = false;
};

class ProcessObject : public KernelObject {
 public:
  explicit ProcessObject(pid_t pid) : pid_(pid), thread_(std::make_shared<ChildThreadObject>()) {}

  const std::shared_ptr<ChildThreadObject>& main_thread() const { return thread_; }

  // Waits for this one child to end (a waiter thread's body), records its
  // exit code and only then reaps it, so no other child's status is taken.
  void watch();

  // STILL_ACTIVE while the child runs.
  DWORD exit_code();

 private:
  bool try_acquire() override { return ended_; }

  const pid_t pid_;
  const std::shared_ptr<ChildThreadObject> thread_;
  bool ended_ = false;
  DWORD exit_code_ = STILL_ACTIVE;
};

}  // namespace platform::kernel
