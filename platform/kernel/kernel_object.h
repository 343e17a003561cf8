// Kernel objects behind HANDLE: a reference-counted object table shared by
// threads, events and anything else that can be waited on.
//
// Handle values are never reused, so a closed (stale) handle fails cleanly
// instead of reaching a newer object. Objects live as long as a handle or a
// running operation (a thread's own body, a wait in progress) refers to them.
// Depends on: kernel32.h. Knows no object kinds itself.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/kernel32.h"

namespace platform::kernel {

class KernelObject {
 public:
  virtual ~KernelObject() = default;

  // Blocks until the object is signalled (consuming the signal for auto-reset
  // kinds) or `milliseconds` pass; INFINITE never times out.
  DWORD wait(DWORD milliseconds);

 protected:
  // Called with mutex_ held: true when the object is signalled, taking the
  // signal if waiting consumes it.
  virtual bool try_acquire() = 0;

  // Subclasses change their state under mutex_ and then call this.
  void notify_waiters() { changed_.notify_all(); }

  std::mutex mutex_;

 private:
  std::condition_variable changed_;
};

// Adds a reference to `object` to the table and returns its new handle.
HANDLE insert_handle(std::shared_ptr<KernelObject> object);

// The object behind `handle`, or null for an unknown or closed handle.
std::shared_ptr<KernelObject> find_handle(HANDLE handle);

template <class T>
std::shared_ptr<T> find_handle_as(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(find_handle(handle));
}

// Drops the handle's reference; false for an unknown or closed handle.
bool remove_handle(HANDLE handle);

}  // namespace platform::kernel
