// Message queues and their threads: made on a thread's first use, shut down
// when the thread ends (its windows go with it, and sends waiting for it get 0).
// Depends on: wm_state, kernel32 (thread ids). Makes no WM_PAINT or WM_TIMER.
#include "wm/message_queue.h"

#include <algorithm>

#include "platform/kernel32.h"
#include "wm/wm_state.h"

namespace platform::wm {
namespace {

void thread_ended(const std::shared_ptr<MessageQueue>& queue) {
  State& s = state();
  std::vector<HWND> owned;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    for (const auto& [handle, window] : s.windows) {
      if (window->thread == queue->thread()) owned.push_back(handle);
    }
  }
  for (HWND hwnd : owned) unlink_window(hwnd);
  queue->shut_down();
}

struct QueueHolder {
  std::shared_ptr<MessageQueue> queue;
  ~QueueHolder() {
    if (queue) thread_ended(queue);
  }
};

thread_local QueueHolder holder;

}  // namespace

bool MessageQueue::push_sent(SentMessage message) {
  std::lock_guard<std::mutex> lock(mutex);
  if (!alive_) return false;
  sent.push_back(std::move(message));
  notify_locked();
  return true;
}

bool MessageQueue::push_posted(const MSG& message) {
  std::lock_guard<std::mutex> lock(mutex);
  if (!alive_) return false;
  posted.push_back(message);
  notify_locked();
  return true;
}

bool MessageQueue::push_input(const MSG& message) {
  std::lock_guard<std::mutex> lock(mutex);
  if (!alive_) return false;
  if (message.message == WM_MOUSEMOVE && !input.empty() && input.back().message == WM_MOUSEMOVE &&
      input.back().hwnd == message.hwnd) {
    input.back() = message;
  } else {
    input.push_back(message);
  }
  notify_locked();
  return true;
}

void MessageQueue::post_quit(int exit_code) {
  std::lock_guard<std::mutex> lock(mutex);
  quit = true;
  quit_code = exit_code;
  notify_locked();
}

void MessageQueue::wake() {
  std::lock_guard<std::mutex> lock(mutex);
  notify_locked();
}

void MessageQueue::remove_timers(HWND hwnd) {
  std::lock_guard<std::mutex> lock(mutex);
  timers.erase(std::remove_if(timers.begin(), timers.end(), [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
               timers.end());
}

void MessageQueue::complete(const std::shared_ptr<SendResult>& result, LRESULT value) {
  if (!result) return;
  MessageQueue& sender = *result->sender;
  std::lock_guard<std::mutex> lock(sender.mutex);
  result->done = true;
  result->value = value;
  sender.notify_locked();
}

void MessageQueue::shut_down() {
  std::deque<SentMessage> unanswered;
  {
    std::lock_guard<std::mutex> lock(mutex);
    alive_ = false;
    unanswered.swap(sent);
    posted.clear();
    input.clear();
    timers.clear();
  }
  for (const SentMessage& message : unanswered) complete(message.result, 0);
}

const std::shared_ptr<MessageQueue>& current_queue() {
  if (!holder.queue) holder.queue = std::make_shared<MessageQueue>(GetCurrentThreadId());
  return holder.queue;
}

bool process_sent_messages() {
  const std::shared_ptr<MessageQueue>& queue = current_queue();
  bool any = false;
  for (;;) {
    SentMessage message;
    {
      std::lock_guard<std::mutex> lock(queue->mutex);
      if (queue->sent.empty()) return any;
      message = std::move(queue->sent.front());
      queue->sent.pop_front();
    }
    any = true;
    if (message.task) {
      message.task();
      continue;
    }
    State& s = state();
    WNDPROC proc = nullptr;
    bool ansi = false;
    {
      std::lock_guard<std::mutex> lock(s.mutex);
      if (const Window* w = find_window(s, message.hwnd)) {
        proc = w->proc;
        ansi = w->ansi;
      }
    }
    const LRESULT value =
        proc ? call_window_proc(proc, ansi, message.hwnd, message.message, message.wparam, message.lparam) : 0;
    MessageQueue::complete(message.result, value);
  }
}

void stamp(MSG* message) {
  message->time = GetTickCount();
  POINT pt = {0, 0};
  GetCursorPos(&pt);
  message->pt = pt;
}

}  // namespace platform::wm
