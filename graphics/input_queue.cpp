// Input rings: 1024 entries each under a critical section, one writer (the
// window thread) and one reader thread at a time. A full ring drops its
// oldest entry.
// Depends on: the platform's critical sections and tick count.

#include "graphics/input_queue.h"

namespace frond {

input_queue::input_queue() : entries{}, last_popped{}, read_index(0), write_index(0) {
  InitializeCriticalSection(&lock);
}

input_queue::~input_queue() { DeleteCriticalSection(&lock); }

void input_queue::push(HWND window, uint32_t message, uint64_t wparam, uint64_t lparam, uint32_t buttons) {
  const uint32_t time = GetTickCount();
  EnterCriticalSection(&lock);
  entries[write_index] = {window, message, wparam, lparam, time, buttons, 0};
  const int next = (write_index + 1) % input_queue_size;
  if (next == read_index) read_index = (next + 1) % input_queue_size;
  write_index = next;
  LeaveCriticalSection(&lock);
}

bool input_queue::pop(queued_message* out) {
  EnterCriticalSection(&lock);
  const bool found = read_index != write_index;
  if (found) {
    last_popped = entries[read_index];
    *out = last_popped;
    read_index = (read_index + 1) % input_queue_size;
  }
  LeaveCriticalSection(&lock);
  return found;
}

void input_queue::unpop() {
  EnterCriticalSection(&lock);
  if ((write_index + 1) % input_queue_size != read_index)
    read_index = (read_index + input_queue_size - 1) % input_queue_size;
  LeaveCriticalSection(&lock);
}

bool input_queue::is_empty() {
  EnterCriticalSection(&lock);
  const bool empty = read_index == write_index;
  LeaveCriticalSection(&lock);
  return empty;
}

int input_queue::take_undispatched(queued_message* out, int capacity) {
  int count = 0;
  EnterCriticalSection(&lock);
  for (int i = read_index; i != write_index && count < capacity; i = (i + 1) % input_queue_size) {
    queued_message& entry = entries[i];
    if (entry.dispatched & 1) continue;
    entry.dispatched |= 1;
    out[count++] = entry;
  }
  LeaveCriticalSection(&lock);
  return count;
}

}  // namespace frond
