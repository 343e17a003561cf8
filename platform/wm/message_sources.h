// What the message loop draws on besides the queue's lists: windows that need
// painting, timers that are due, and what happens when an input message is taken.
// Depends on: message_queue.h.
#pragma once

#include <algorithm>
#include <optional>
#include <vector>

#include "wm/message_queue.h"

namespace platform::wm {

// The hwnd and range filters of GetMessage and PeekMessage.
struct MessageFilter {
  HWND hwnd = nullptr;        // null: every window of the thread and thread messages
  bool thread_only = false;   // hwnd was -1: thread messages only
  std::vector<HWND> windows;  // hwnd and its descendants
  UINT first = 0;
  UINT last = 0;

  bool matches_window(HWND h) const {
    if (thread_only) return h == nullptr;
    return hwnd == nullptr || std::find(windows.begin(), windows.end(), h) != windows.end();
  }
  bool matches_message(UINT m) const { return (first == 0 && last == 0) || (m >= first && m <= last); }
  bool matches(const MSG& m) const { return matches_window(m.hwnd) && matches_message(m.message); }
};

// A visible window of `thread` passing the filter whose update region is not empty, else null.
HWND find_paint_window(DWORD thread, const MessageFilter& filter);
// Any window of `thread` that will need a WM_PAINT.
bool thread_needs_paint(DWORD thread);

// WM_TIMER for the first due timer passing the filter; removing it restarts its interval.
bool take_timer_message(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG* out);
// When the earliest timer of the queue falls due.
std::optional<Clock::time_point> next_timer_due(MessageQueue& queue);

// An input message was taken off the queue: the pointer's window is asked
// for its cursor (WM_NCHITTEST, WM_SETCURSOR) unless the mouse is captured.
void input_message_removed(const MSG& message);

}  // namespace platform::wm
