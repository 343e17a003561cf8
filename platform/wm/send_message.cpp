// Sent messages: a direct call for windows of the calling thread; for another
// thread's window the message joins that thread's sent list and the caller
// waits for the answer, running messages sent to its own thread meanwhile.
// Depends on: message_queue, wm_state, ansi_messages (procedures of A classes).
#include <optional>

#include "platform/kernel32.h"
#include "wm/ansi_messages.h"
#include "wm/message_queue.h"
#include "wm/wm_state.h"

namespace platform::wm {
namespace {

struct Target {
  WNDPROC proc = nullptr;
  bool ansi = false;
  std::shared_ptr<MessageQueue> queue;  // null: the window belongs to the calling thread
};

std::optional<Target> find_target(HWND hwnd) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return std::nullopt;
  }
  Target target;
  if (w->thread == GetCurrentThreadId()) {
    target.proc = w->proc;
    target.ansi = w->ansi;
  } else {
    target.queue = w->queue;  // null for the desktop, which belongs to no thread
  }
  return target;
}

// Waits for the answer to a send to another thread; 0 when that thread's queue has shut down.
LRESULT send_and_wait(const std::shared_ptr<MessageQueue>& target, HWND hwnd, UINT message, WPARAM wparam,
                      LPARAM lparam) {
  const std::shared_ptr<MessageQueue>& self = current_queue();
  auto result = std::make_shared<SendResult>();
  result->sender = self;
  if (!target->push_sent(SentMessage{hwnd, message, wparam, lparam, result, nullptr})) return 0;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(self->mutex);
      if (result->done) return result->value;
      if (self->sent.empty()) {
        self->changed.wait(lock);
        continue;
      }
    }
    process_sent_messages();
  }
}

}  // namespace

LRESULT send_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const std::optional<Target> target = find_target(hwnd);
  if (!target) return 0;
  if (target->proc != nullptr) return call_window_proc(target->proc, target->ansi, hwnd, message, wparam, lparam);
  if (!target->queue) return 0;
  return send_and_wait(target->queue, hwnd, message, wparam, lparam);
}

void run_on_owner(HWND hwnd, std::function<void()> task) {
  State& s = state();
  std::shared_ptr<MessageQueue> queue;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (const Window* w = find_window(s, hwnd)) queue = w->queue;
  }
  if (queue) queue->push_sent(SentMessage{hwnd, 0, 0, 0, nullptr, std::move(task)});
}

}  // namespace platform::wm

using namespace platform::wm;

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return send_message(hwnd, message, wparam, lparam);
}
