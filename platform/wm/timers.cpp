// SetTimer and KillTimer. Timers live in the queue of the thread that owns
// their window (or of the calling thread for thread timers); WM_TIMER is made
// when the queue is otherwise idle, at most one per timer at a time.
// Depends on: message_queue, message_sources, wm_state. Runs no timer thread.
#include <algorithm>
#include <atomic>

#include "platform/kernel32.h"
#include "wm/message_sources.h"
#include "wm/wm_state.h"

namespace platform::wm {

bool take_timer_message(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG* out) {
  if (!filter.matches_message(WM_TIMER)) return false;
  const Clock::time_point now = Clock::now();
  std::lock_guard<std::mutex> lock(queue.mutex);
  for (Timer& timer : queue.timers) {
    if (timer.due > now || !filter.matches_window(timer.hwnd)) continue;
    if (out != nullptr) {
      POINT pt = {0, 0};
      *out = MSG{timer.hwnd, WM_TIMER, timer.id, reinterpret_cast<LPARAM>(timer.proc), GetTickCount(), pt, 0};
    }
    if (remove) timer.due = now + std::chrono::milliseconds(timer.interval);
    return true;
  }
  return false;
}

std::optional<Clock::time_point> next_timer_due(MessageQueue& queue) {
  std::lock_guard<std::mutex> lock(queue.mutex);
  std::optional<Clock::time_point> earliest;
  for (const Timer& timer : queue.timers) {
    if (!earliest || timer.due < *earliest) earliest = timer.due;
  }
  return earliest;
}

}  // namespace platform::wm

using namespace platform::wm;

namespace {

std::atomic<UINT_PTR> next_thread_timer_id{0x7FF0};

// The queue of the window's thread; null (with the error set) for a missing window,
// or for a window of another thread when only its own thread may use it. Starting a
// timer is the owner's business; stopping one works from any thread.
std::shared_ptr<MessageQueue> timer_queue(HWND hwnd, bool owner_only) {
  if (hwnd == nullptr) return current_queue();
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (owner_only && w->thread != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return w->queue;
}

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC proc) {
  const std::shared_ptr<MessageQueue> queue = timer_queue(hwnd, true);
  if (!queue) return 0;
  const UINT interval = std::min<UINT>(std::max<UINT>(milliseconds, USER_TIMER_MINIMUM), USER_TIMER_MAXIMUM);
  {
    std::lock_guard<std::mutex> lock(queue->mutex);
    Timer* existing = nullptr;
    for (Timer& timer : queue->timers) {
      if (timer.hwnd == hwnd && timer.id == id) existing = &timer;
    }
    if (existing == nullptr) {
      // A thread timer with an unknown id gets a new one, as on Windows.
      if (hwnd == nullptr) id = next_thread_timer_id.fetch_add(1);
      queue->timers.push_back(Timer{hwnd, id, 0, nullptr, {}});
      existing = &queue->timers.back();
    }
    existing->interval = interval;
    existing->proc = proc;
    existing->due = Clock::now() + std::chrono::milliseconds(interval);
  }
  queue->wake();
  return hwnd != nullptr && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  const std::shared_ptr<MessageQueue> queue = timer_queue(hwnd, false);
  if (!queue) return FALSE;
  std::lock_guard<std::mutex> lock(queue->mutex);
  for (auto it = queue->timers.begin(); it != queue->timers.end(); ++it) {
    if (it->hwnd == hwnd && it->id == id) {
      queue->timers.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}
