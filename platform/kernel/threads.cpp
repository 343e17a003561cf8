// Threads: CreateThread over detached POSIX threads, suspended starts, waits
// for a thread's end, and small stable thread ids. Depends on: the
// kernel-object handle table. A thread's return value is not kept.
//
// The thread's own body holds a reference to its kernel object, so closing
// the last handle of a running thread only detaches it.
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>

#include "kernel/kernel_object.h"

namespace platform::kernel {
namespace {

std::atomic<DWORD> next_thread_id{1};
thread_local DWORD current_thread_id = 0;

class ThreadObject : public KernelObject {
 public:
  ThreadObject(LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD id, DWORD suspend_count)
      : start_(start), parameter_(parameter), id_(id), suspend_count_(suspend_count) {}

  void run() {
    current_thread_id = id_;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      resumed_.wait(lock, [this] { return suspend_count_ == 0; });
    }
    start_(parameter_);
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
    notify_waiters();
  }

  // The previous suspend count; the thread starts when it drops to zero.
  DWORD resume() {
    std::lock_guard<std::mutex> lock(mutex_);
    const DWORD previous = suspend_count_;
    if (suspend_count_ > 0 && --suspend_count_ == 0) resumed_.notify_all();
    return previous;
  }

 private:
  bool try_acquire() override { return finished_; }

  const LPTHREAD_START_ROUTINE start_;
  const LPVOID parameter_;
  const DWORD id_;
  DWORD suspend_count_;
  bool finished_ = false;
  std::condition_variable resumed_;
};

void* thread_main(void* argument) {
  // Takes over the reference CreateThread handed to the new thread.
  std::shared_ptr<ThreadObject> self(std::move(*static_cast<std::shared_ptr<ThreadObject>*>(argument)));
  delete static_cast<std::shared_ptr<ThreadObject>*>(argument);
  self->run();
  return nullptr;
}

bool start_thread(std::shared_ptr<ThreadObject> object, SIZE_T stack_size) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  if (stack_size != 0) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t rounded = (std::max<size_t>(stack_size, PTHREAD_STACK_MIN) + page - 1) / page * page;
    pthread_attr_setstacksize(&attributes, rounded);
  }
  auto* argument = new std::shared_ptr<ThreadObject>(std::move(object));
  pthread_t thread;
  const int result = pthread_create(&thread, &attributes, thread_main, argument);
  pthread_attr_destroy(&attributes);
  if (result != 0) delete argument;
  return result == 0;
}

}  // namespace
}  // namespace platform::kernel

using platform::kernel::ThreadObject;

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T stack_size, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD flags, LPDWORD thread_id) {
  if (start == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const DWORD id = platform::kernel::next_thread_id.fetch_add(1);
  auto object = std::make_shared<ThreadObject>(start, parameter, id, (flags & CREATE_SUSPENDED) ? 1 : 0);
  // The handle exists before the thread runs, so a quick thread cannot end
  // before its creator can wait on it.
  HANDLE handle = platform::kernel::insert_handle(object);
  if (!platform::kernel::start_thread(std::move(object), stack_size)) {
    platform::kernel::remove_handle(handle);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (thread_id != nullptr) *thread_id = id;
  return handle;
}

DWORD ResumeThread(HANDLE thread) {
  const auto object = platform::kernel::find_handle_as<ThreadObject>(thread);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return static_cast<DWORD>(-1);
  }
  return object->resume();
}

DWORD GetCurrentThreadId() {
  DWORD& id = platform::kernel::current_thread_id;
  if (id == 0) id = platform::kernel::next_thread_id.fetch_add(1);
  return id;
}
