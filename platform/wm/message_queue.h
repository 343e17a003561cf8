// Per-thread message queues: separate lists of sent, posted and input
// messages, timers, and a wake-up counter. WM_PAINT and WM_TIMER are not
// stored; the message loop makes them when nothing else waits.
// Depends on: windowing.h. Knows no windows.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/windowing.h"

namespace platform::wm {

class MessageQueue;
using Clock = std::chrono::steady_clock;

// The answer to a message sent from another thread; guarded by the sender's queue lock.
struct SendResult {
  std::shared_ptr<MessageQueue> sender;
  bool done = false;
  LRESULT value = 0;
};

struct SentMessage {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
  std::shared_ptr<SendResult> result;  // null: nobody waits
  std::function<void()> task;          // runs instead of a window procedure
};

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT interval = 0;
  TIMERPROC proc = nullptr;
  Clock::time_point due;
};

class MessageQueue {
 public:
  explicit MessageQueue(DWORD thread) : thread_(thread) {}

  DWORD thread() const { return thread_; }

  // False once the owning thread has ended.
  bool push_sent(SentMessage message);
  bool push_posted(const MSG& message);
  // Input keeps arrival order; a pointer move replaces a move still waiting for the same window.
  bool push_input(const MSG& message);
  void post_quit(int exit_code);
  // Something the queue cannot see changed (a window needs painting): waiters look again.
  void wake();
  void remove_timers(HWND hwnd);
  // Marks a send answered and wakes the sender.
  static void complete(const std::shared_ptr<SendResult>& result, LRESULT value);

  // The owning thread ended: later sends fail and senders waiting now get 0.
  void shut_down();

  std::mutex mutex;
  std::condition_variable changed;
  std::deque<SentMessage> sent;
  std::deque<MSG> posted;
  std::deque<MSG> input;
  std::vector<Timer> timers;
  bool quit = false;
  int quit_code = 0;
  uint64_t generation = 0;  // bumped by every change, so that waiters miss nothing

 private:
  void notify_locked() {
    ++generation;
    changed.notify_all();
  }

  const DWORD thread_;
  bool alive_ = true;
};

// The calling thread's queue, made on first use.
const std::shared_ptr<MessageQueue>& current_queue();
// Runs the sent messages waiting in the calling thread's queue; true when there were any.
bool process_sent_messages();
// A message's time and position fields for now.
void stamp(MSG* message);

}  // namespace platform::wm
