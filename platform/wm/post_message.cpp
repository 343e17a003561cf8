// Posted messages and WM_QUIT.
// Depends on: message_queue, wm_state. Waits for nothing.
#include "platform/kernel32.h"
#include "wm/message_queue.h"
#include "wm/wm_state.h"

using namespace platform::wm;

namespace {

BOOL post_to(const std::shared_ptr<MessageQueue>& queue, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  MSG msg = {hwnd, message, wparam, lparam, 0, {0, 0}, 0};
  stamp(&msg);
  return queue && queue->push_posted(msg);
}

}  // namespace

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (hwnd == nullptr) return post_to(current_queue(), nullptr, message, wparam, lparam);
  State& s = state();
  std::shared_ptr<MessageQueue> queue;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    const Window* w = find_window(s, hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    queue = w->queue;
  }
  return post_to(queue, hwnd, message, wparam, lparam);
}

void PostQuitMessage(int exit_code) { current_queue()->post_quit(exit_code); }
