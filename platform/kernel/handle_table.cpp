// The process-wide kernel-object table and the wait common to all objects.
// Depends on: kernel_object.h. Knows no object kinds.
#include <chrono>
#include <unordered_map>

#include "kernel/kernel_object.h"

namespace platform::kernel {
namespace {

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
  uintptr_t next_value = 4;  // multiples of 4, as Windows hands them out
};

// Never destroyed: detached threads may still close handles while the
// process's static destructors run.
HandleTable& table() {
  static HandleTable* instance = new HandleTable;
  return *instance;
}

}  // namespace

DWORD KernelObject::wait(DWORD milliseconds) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (milliseconds == INFINITE) {
    changed_.wait(lock, [this] { return try_acquire(); });
    return WAIT_OBJECT_0;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  return changed_.wait_until(lock, deadline, [this] { return try_acquire(); }) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

HANDLE insert_handle(std::shared_ptr<KernelObject> object) {
  HandleTable& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  const uintptr_t value = t.next_value;
  t.next_value += 4;
  t.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> find_handle(HANDLE handle) {
  HandleTable& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  const auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
  return it == t.objects.end() ? nullptr : it->second;
}

bool remove_handle(HANDLE handle) {
  std::shared_ptr<KernelObject> released;
  {
    HandleTable& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    const auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == t.objects.end()) return false;
    released = std::move(it->second);
    t.objects.erase(it);
  }
  // `released` is dropped here, outside the table lock: an object's
  // destructor may take other locks (the named-event registry).
  return true;
}

}  // namespace platform::kernel
