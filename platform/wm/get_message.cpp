// GetMessage and PeekMessage. The order of what a thread gets: sent messages
// (run at once, never returned), posted messages, input, WM_QUIT, WM_PAINT,
// WM_TIMER; the last two are made only when nothing else waits.
// Depends on: message_queue, message_sources (paint, timers, input), wm_state.
#include "platform/kernel32.h"
#include "wm/message_sources.h"
#include "wm/wm_state.h"

using namespace platform::wm;

namespace {

thread_local POINT last_message_pos = {0, 0};

// False (with ERROR_INVALID_WINDOW_HANDLE) when hwnd names no window.
bool make_filter(HWND hwnd, UINT first, UINT last, MessageFilter* filter) {
  filter->hwnd = hwnd;
  filter->first = first;
  filter->last = last;
  if (hwnd == reinterpret_cast<HWND>(-1)) {
    filter->thread_only = true;
    return true;
  }
  if (hwnd == nullptr) return true;
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  collect_tree(s, hwnd, &filter->windows);
  if (!filter->windows.empty()) return true;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

bool take_from(std::deque<MSG>& list, const MessageFilter& filter, bool remove, MSG* out) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (!filter.matches(*it)) continue;
    *out = *it;
    if (remove) list.erase(it);
    return true;
  }
  return false;
}

bool peek(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG* out) {
  process_sent_messages();
  bool found = false;
  bool from_input = false;
  {
    std::lock_guard<std::mutex> lock(queue.mutex);
    if (take_from(queue.posted, filter, remove, out)) {
      found = true;
    } else if (take_from(queue.input, filter, remove, out)) {
      found = from_input = true;
    } else if (queue.quit && filter.matches_message(WM_QUIT)) {
      *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quit_code), 0, GetTickCount(), last_message_pos, 0};
      if (remove) queue.quit = false;
      found = true;
    }
  }
  if (!found && filter.matches_message(WM_PAINT)) {
    if (HWND hwnd = find_paint_window(queue.thread(), filter)) {
      *out = MSG{hwnd, WM_PAINT, 0, 0, GetTickCount(), last_message_pos, 0};
      found = true;
    }
  }
  if (!found) found = take_timer_message(queue, filter, remove, out);
  if (!found) return false;
  if (remove) {
    last_message_pos = out->pt;
    if (from_input) input_message_removed(*out);
  }
  return true;
}

// Waits until the queue changes after `generation` or a timer falls due.
void wait_for_change(MessageQueue& queue, uint64_t generation) {
  const std::optional<Clock::time_point> due = next_timer_due(queue);
  std::unique_lock<std::mutex> lock(queue.mutex);
  const auto changed = [&] { return queue.generation != generation; };
  if (due) {
    queue.changed.wait_until(lock, *due, changed);
  } else {
    queue.changed.wait(lock, changed);
  }
}

uint64_t generation_of(MessageQueue& queue) {
  std::lock_guard<std::mutex> lock(queue.mutex);
  return queue.generation;
}

}  // namespace

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove) {
  MessageFilter filter;
  if (msg == nullptr || !make_filter(hwnd, first, last, &filter)) return FALSE;
  return peek(*current_queue(), filter, (remove & PM_REMOVE) != 0, msg);
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT first, UINT last) {
  MessageFilter filter;
  if (msg == nullptr || !make_filter(hwnd, first, last, &filter)) return -1;
  MessageQueue& queue = *current_queue();
  for (;;) {
    const uint64_t generation = generation_of(queue);
    if (peek(queue, filter, true, msg)) return msg->message != WM_QUIT;
    wait_for_change(queue, generation);
  }
}

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last) { return GetMessageW(msg, hwnd, first, last); }
