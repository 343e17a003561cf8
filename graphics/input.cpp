// Keyboard and mouse readers over the two input rings: peeking and popping
// packed key codes, blocking reads of key and mouse records, and what each
// reader answers once the window is closed or destroyed.
// Depends on: the input rings, frames (the blocking readers pump the window).

#include "graphics/frame.h"
#include "graphics/input_queue.h"

namespace frond {
namespace {

constexpr int packed_press = 0x10000;
constexpr int packed_release = 0x20000;
constexpr int packed_char = 0x40000;
constexpr int packed_first_press = 0x80000;

// The rings exist from the window thread's first start; before that (or when
// initgraph failed) the readers see an empty ring and the waiting ones return.
bool rings_exist() { return state().key_queue != nullptr && state().mouse_queue != nullptr; }

input_queue& ring(input_queue* queue) {
  static input_queue empty;
  return queue != nullptr ? *queue : empty;
}

input_queue& keys() { return ring(state().key_queue); }
input_queue& mice() { return ring(state().mouse_queue); }

bool is_key_message(uint32_t message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR;
}

int pack_key(const queued_message& entry) {
  const int code = int(entry.wparam & 0xFFFF);
  switch (entry.message) {
    case WM_KEYDOWN:
      return code | packed_press | ((entry.lparam & (1u << 30)) ? 0 : packed_first_press);
    case WM_KEYUP:
      return code | packed_release;
    default:
      return code | packed_char;
  }
}

// Key presses that also arrive as characters: control keys, modifiers and
// space, digits, letters, the Windows keys and the number pad, punctuation.
bool press_types_a_character(uint64_t vk) {
  return vk <= 32 || (vk >= 48 && vk <= 111) || (vk >= 186 && vk <= 222);
}

bool is_function_key(uint64_t vk) { return vk >= 112 && vk <= 127; }

// Discards everything queued; when the ring is empty, first lets a due refresh run.
void discard_all(input_queue& queue, int* last_char) {
  if (queue.is_empty()) {
    present_if_due(&state(), false);
    if (queue.is_empty()) return;
  }
  queued_message entry;
  while (queue.pop(&entry))
    if (entry.message == WM_CHAR && last_char != nullptr) *last_char = int(uint32_t(entry.wparam));
}

}  // namespace

int peekkey(int filter) {
  queued_message entry;
  while (keys().pop(&entry)) {
    const bool selected = ((filter & 2) && entry.message == WM_CHAR) ||
                          ((filter & 1) && (entry.message == WM_KEYDOWN || entry.message == WM_KEYUP));
    if (selected) {
      keys().unpop();
      return pack_key(entry);
    }
  }
  return 0;
}

int popkey() {
  queued_message entry;
  while (keys().pop(&entry))
    if (is_key_message(entry.message)) return pack_key(entry);
  return 0;
}

int keypending() { return window_destroyed() ? -1 : peekkey(3); }

int peekchar() {
  queued_message entry;
  while (keys().pop(&entry)) {
    if (entry.message == WM_CHAR) {
      keys().unpop();
      return int(entry.wparam & 0xFFFF) | packed_char;
    }
    if (entry.message == WM_KEYDOWN && !press_types_a_character(entry.wparam)) {
      keys().unpop();
      const int code = int(entry.wparam & 0xFFFF);
      return (is_function_key(entry.wparam) ? code + 0x100 : code) | packed_press;
    }
  }
  return 0;
}

int charpending() { return window_destroyed() ? -1 : peekchar(); }

int charpending(int filter) {
  if (window_destroyed()) return -1;
  return filter == 0 ? peekchar() : peekkey(filter);
}

int waitchar() { return waitchar(0); }

int waitchar(int filter) {
  if (window_destroyed()) return -1;
  if (!rings_exist()) return 0;
  const uint32_t now = GetTickCount();
  for (;;) {
    if (window_destroyed()) return 0;
    const int found = filter == 0 ? peekchar() : peekkey(filter);
    if (found != 0) {
      const int k = popkey();
      // Entries older than a second before the call are stale; the
      // difference is taken signed so that the tick count may wrap.
      const bool fresh = int32_t(keys().last_popped.time - now) > -1000;
      if (k != 0 && fresh) {
        if (filter != 0) return k;
        int result = k & 0xFFFF;
        const uint64_t vk = keys().last_popped.wparam;
        if ((k & packed_press) && (is_function_key(vk) || (vk >= 33 && vk <= 47))) result |= 0x100;
        return result;
      }
      continue;
    }
    if (close_requested() || window_destroyed()) return 0;
    if (!gui_pump(&state())) return 0;
  }
}

key_message getkey() {
  key_message record = {};
  if (window_destroyed() || !rings_exist()) return record;
  for (;;) {
    const int k = popkey();
    if (k != 0) {
      record.kind = (k & packed_press) ? KEYMSG_PRESS : (k & packed_release) ? KEYMSG_RELEASE : KEYMSG_CHAR;
      record.keycode = uint32_t(k & 0xFFFF);
      record.flags = uint32_t(k & packed_first_press);
      if (state().keystate[VK_CONTROL].load()) record.flags |= KEYFLAG_CTRL;
      if (state().keystate[VK_SHIFT].load()) record.flags |= KEYFLAG_SHIFT;
      return record;
    }
    if (close_requested() || window_destroyed()) return record;
    if (!gui_pump(&state())) return record;
  }
}

void flushkey() { discard_all(keys(), nullptr); }

int drainchars() {
  int last = 0;
  discard_all(keys(), &last);
  return last;
}

int getkeystate(int vk) {
  if (unsigned(vk) > 255) return -1;
  return state().keystate[vk].load();
}

int mousepending() {
  if (window_destroyed()) return 0;
  if (mice().is_empty()) present_if_due(&state(), false);
  queued_message entry;
  if (!mice().pop(&entry)) return 0;
  mice().unpop();
  return entry.window != nullptr ? 1 : 0;
}

mouse_message getmouse() {
  mouse_message record = {};
  if (window_destroyed() || !rings_exist()) return record;
  queued_message entry;
  while (!mice().pop(&entry) || entry.window == nullptr) {
    if (close_requested() || window_destroyed()) return record;
    if (!gui_pump(&state())) return record;
  }
  record.x = int16_t(entry.lparam & 0xFFFF);
  record.y = int16_t((entry.lparam >> 16) & 0xFFFF);
  record.flags = uint32_t(entry.wparam * 64) & 0x300;
  switch (entry.message) {
    case WM_LBUTTONDOWN: record.kind = MOUSEMSG_PRESS, record.flags |= MOUSEFLAG_LEFT; break;
    case WM_RBUTTONDOWN: record.kind = MOUSEMSG_PRESS, record.flags |= MOUSEFLAG_RIGHT; break;
    case WM_MBUTTONDOWN: record.kind = MOUSEMSG_PRESS, record.flags |= MOUSEFLAG_MIDDLE; break;
    case WM_LBUTTONUP: record.kind = MOUSEMSG_RELEASE, record.flags |= MOUSEFLAG_LEFT; break;
    case WM_RBUTTONUP: record.kind = MOUSEMSG_RELEASE, record.flags |= MOUSEFLAG_RIGHT; break;
    case WM_MBUTTONUP: record.kind = MOUSEMSG_RELEASE, record.flags |= MOUSEFLAG_MIDDLE; break;
    case WM_MOUSEWHEEL:
      record.kind = MOUSEMSG_WHEEL;
      record.wheel_delta = int16_t((entry.wparam >> 16) & 0xFFFF);
      break;
    default: record.kind = MOUSEMSG_MOVE; break;
  }
  return record;
}

mouse_record getmouserecord() {
  mouse_record record = {};
  if (window_destroyed() || !rings_exist()) return record;
  queued_message entry;
  while (!mice().pop(&entry) || entry.window == nullptr) {
    if (window_destroyed()) return record;  // a close request alone does not end this wait
    if (!gui_pump(&state())) return record;
  }
  record.message = entry.message;
  record.ctrl = (entry.wparam >> 3) & 1;
  record.shift = (entry.wparam >> 2) & 1;
  record.left = (entry.buttons & 1) ? 1 : 0;
  record.middle = (entry.buttons & 4) ? 1 : 0;
  record.right = (entry.buttons & 2) ? 1 : 0;
  record.x = int16_t(entry.lparam & 0xFFFF);
  record.y = int16_t((entry.lparam >> 16) & 0xFFFF);
  record.wheel = entry.message == WM_MOUSEWHEEL ? int16_t((entry.wparam >> 16) & 0xFFFF) : 0;
  return record;
}

void flushmouse() { discard_all(mice(), nullptr); }

}  // namespace frond
