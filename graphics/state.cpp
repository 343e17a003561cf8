// Graphics state: the one static record, the image selector rule and the
// small accessors that read or write the record directly.
// Depends on: images (cleardevice writes pixels). Does not create windows.

#include <algorithm>

#include "graphics/state.h"

namespace frond {

graphics_state& state() {
  static graphics_state record;
  return record;
}

IMAGE* resolve_image(IMAGE* img) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(img);
  if (value == 0) return state().draw_target;
  if (value < 32) {
    const uintptr_t page = value & 15;
    return page < 4 ? state().pages[page] : nullptr;
  }
  return img;
}

bool isrunning() { return state().stop_flags.load() == 0; }

bool iswindowready() { return state().window_ready.load() != 0; }

HWND getwindowhandle() { return state().window.load(); }

HINSTANCE getinstancehandle() { return state().instance; }

IMAGE* gettarget() { return state().set_target; }

int settarget(IMAGE* img) {
  graphics_state& s = state();
  s.set_target = img;
  // Only resolved images are kept as the target: a selector naming no page
  // leaves no target rather than a bogus pointer.
  s.draw_target = img ? resolve_image(img) : s.pages[s.active_page];
  return 0;
}

void cleardevice(IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr || image->dc == nullptr) return;
  const size_t count = size_t(image->width) * size_t(image->height);
  std::fill(image->pixels, image->pixels + count, image->bk_color);
}

int showmouse(int show) { return state().cursor_shown.exchange(show); }

int mousepos(int* x, int* y) {
  *x = state().mouse_pos[0].load();
  *y = state().mouse_pos[1].load();
  return 0;
}

int setkeyhook(void* value, key_hook_proc hook) {
  state().key_hook_value = value;
  state().key_hook = hook;
  return 0;
}

int setreservedhook(void* value, void* hook) {
  state().reserved_hook[0] = hook;
  state().reserved_hook[1] = value;
  return 0;
}

int setclosehandler(close_handler_proc handler) {
  state().close_handler = handler;
  return 0;
}

void setcodepage(unsigned int code_page) { state().code_page = code_page; }

unsigned int getcodepage() { return state().code_page; }

void setunicodechars(bool on) { state().unicode_chars = on ? 1 : 0; }

bool getunicodechars() { return state().unicode_chars != 0; }

int getversion() { return 10000; }

void default_close_handler() { state().stop_flags.fetch_or(graphics_state::close_requested_bit); }

}  // namespace frond
