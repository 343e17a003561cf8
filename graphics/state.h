// The library's one graphics_state record and the image selector rule.
// Internal to the library.
// Depends on: frond.h, the platform's GDI and GDI+. Draws nothing.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "graphics/frond.h"

namespace frond {

struct input_queue;
class frondControlBase;

struct graphics_state {
  std::atomic<uint8_t> window_ready{0};
  std::atomic<uint8_t> unicode_chars{0};
  HDC active_dc = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  IMAGE* pages[4] = {};
  struct {
    int32_t x, y, width, height;
  } window_viewport = {};
  int32_t visual_page = 0;
  int32_t active_page = 0;
  IMAGE* draw_target = nullptr;  // always a resolved image or null
  IMAGE* set_target = nullptr;   // what settarget was given
  IMAGE* paint_image = nullptr;
  HINSTANCE instance = nullptr;
  std::atomic<HWND> window{nullptr};
  std::wstring caption;
  HICON icon = nullptr;
  // close_requested in the low half, window_destroyed in the high half, so
  // that isrunning sees both at one instant.
  std::atomic<uint64_t> stop_flags{0};
  std::atomic<int32_t> update_counter{0};
  std::atomic<uint8_t> exit_armed{0};
  std::atomic<uint8_t> exit_on_destroy{0};
  std::atomic<uint8_t> manual_render{0};
  std::atomic<uint8_t> switch_pending{0};
  std::atomic<uint8_t> timer_refresh_off{0};
  uint8_t init_done = 0;
  input_queue* key_queue = nullptr;
  input_queue* mouse_queue = nullptr;
  HANDLE window_thread = nullptr;
  std::atomic<int32_t> buttons[3] = {};
  std::atomic<int32_t> mouse_pos[2] = {};
  int32_t last_press_pos[2] = {};
  int32_t last_release_pos[2] = {};
  std::atomic<int32_t> cursor_shown{0};
  std::atomic<key_hook_proc> key_hook{nullptr};
  std::atomic<void*> key_hook_value{nullptr};
  void* reserved_hook[2] = {};
  std::atomic<close_handler_proc> close_handler{nullptr};
  std::atomic<int32_t> keystate[256] = {};
  frondControlBase* root_control = nullptr;
  frondControlBase* focused_control = nullptr;
  ULONG_PTR gdiplus_token = 0;
  std::atomic<uint32_t> code_page{0};

  graphics_state() : caption(L"Frond Graphics 1.0") {}

  static constexpr uint64_t close_requested_bit = 1;
  static constexpr uint64_t window_destroyed_bit = uint64_t{1} << 32;
};

// The record, made on first use so that images can be made during static
// initialisation, before main and before any window.
graphics_state& state();

inline bool window_destroyed() { return (state().stop_flags.load() & graphics_state::window_destroyed_bit) != 0; }
inline bool close_requested() { return (state().stop_flags.load() & graphics_state::close_requested_bit) != 0; }

// True when `img` is a selector rather than an address.
inline bool is_selector(const IMAGE* img) { return reinterpret_cast<uintptr_t>(img) < 32; }

// The image an argument names: the drawing target for 0, a page for 1..31
// (null for an index past the pages), the pointer itself otherwise.
IMAGE* resolve_image(IMAGE* img);

// Counts one change of the window's picture.
inline void count_change() { state().update_counter.fetch_sub(1, std::memory_order_relaxed); }

// resolve_image, counting one change when `img` is selector 0.
inline IMAGE* resolve_image_counting(IMAGE* img) {
  if (img == nullptr) count_change();
  return resolve_image(img);
}

}  // namespace frond
