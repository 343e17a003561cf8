// The two input rings that the window thread fills and the readers drain.
// Internal to the library.
// Depends on: frond.h (key and mouse records). Knows no window messages.
#pragma once

#include <cstdint>

#include "graphics/frond.h"

namespace frond {

struct queued_message {
  HWND window;
  uint32_t message;
  uint64_t wparam;
  uint64_t lparam;
  uint32_t time;      // GetTickCount at the push
  uint32_t buttons;   // left 1, right 2, middle 4 at the push
  uint32_t dispatched;
};

constexpr int input_queue_size = 1024;

struct input_queue {
  CRITICAL_SECTION lock;
  queued_message entries[input_queue_size];
  queued_message last_popped;
  int32_t read_index;
  int32_t write_index;

  input_queue();
  ~input_queue();
  input_queue(const input_queue&) = delete;
  input_queue& operator=(const input_queue&) = delete;

  // Adds an entry; a full ring drops its oldest unread entry.
  void push(HWND window, uint32_t message, uint64_t wparam, uint64_t lparam, uint32_t buttons);
  // Takes the oldest unread entry; false when there is none.
  bool pop(queued_message* out);
  // Makes the entry popped last unread again (not when the ring is full).
  void unpop();
  bool is_empty();
  // Copies the entries not yet passed to the controls, marking them passed.
  int take_undispatched(queued_message* out, int capacity);
};

}  // namespace frond
