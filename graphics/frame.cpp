// Frames: counting changes of the window's picture, presenting the visual
// page to the window, the render modes with their refresh timer, the four
// pages and the window viewport, and the pump that passes queued input to
// the control tree.
// Depends on: images, block copies, input rings, controls, pacing.

#include "graphics/frame.h"

#include "graphics/controls.h"
#include "graphics/input_queue.h"
#include "graphics/pacing.h"
#include "graphics/window.h"

namespace frond {
namespace {

// The window's outer rectangle, relative to its parent's client area when it has one.
RECT window_rect_in_parent(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  if (HWND parent = GetParent(window)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Resizes the window so that its client area becomes width x height.
void fit_client_area(HWND window, int width, int height, UINT flags) {
  RECT client = {};
  GetClientRect(window, &client);
  const RECT outer = window_rect_in_parent(window);
  SetWindowPos(window, nullptr, outer.left, outer.top, outer.right - outer.left + width - client.right,
               outer.bottom - outer.top + height - client.bottom, flags);
}

void dispatch_key(frondControlBase* root, const queued_message& entry) {
  const int key = int(entry.wparam);
  switch (entry.message) {
    case WM_KEYDOWN: root->dispatchkeydown(key, 0); break;
    case WM_KEYUP: root->dispatchkeyup(key, 0); break;
    case WM_CHAR: root->dispatchchar(key, 0); break;
    default: break;
  }
}

void dispatch_mouse(frondControlBase* root, const queued_message& entry) {
  const int x = int16_t(entry.lparam & 0xFFFF), y = int16_t((entry.lparam >> 16) & 0xFFFF);
  int flags;
  switch (entry.message) {
    case WM_LBUTTONDOWN: flags = MOUSEMSG_PRESS | MOUSEFLAG_LEFT; break;
    case WM_LBUTTONUP: flags = MOUSEMSG_RELEASE | MOUSEFLAG_LEFT; break;
    case WM_RBUTTONDOWN: flags = MOUSEMSG_PRESS | MOUSEFLAG_RIGHT; break;
    case WM_RBUTTONUP: flags = MOUSEMSG_RELEASE | MOUSEFLAG_RIGHT; break;
    case WM_MOUSEMOVE:
      flags = MOUSEMSG_MOVE | (state().keystate[1].load() ? MOUSEFLAG_LEFT : 0) |
              (state().keystate[2].load() ? MOUSEFLAG_RIGHT : 0);
      break;
    default: return;
  }
  root->dispatchmouse(x, y, flags);
}

// Passes one ring's undispatched entries on; the ring's lock is held only
// while they are copied, never while controls run.
template <class Dispatch>
void dispatch_queue(input_queue* queue, frondControlBase* root, Dispatch dispatch) {
  if (queue == nullptr) return;
  static thread_local queued_message pending[input_queue_size];
  const int count = queue->take_undispatched(pending, input_queue_size);
  for (int i = 0; i < count; ++i) dispatch(root, pending[i]);
}

void draw_controls() {
  if (frondControlBase* root = state().root_control) root->dispatchdraw(nullptr);
}

void update_controls() {
  if (frondControlBase* root = state().root_control) root->dispatchupdate();
}

}  // namespace

IMAGE* page_image(int page) {
  graphics_state& s = state();
  if (s.pages[page] == nullptr) s.pages[page] = new IMAGE(s.width, s.height);
  return s.pages[page];
}

int blit_visual_page() {
  graphics_state& s = state();
  if (!s.window_ready.load()) return -1;
  IMAGE* page = s.pages[s.visual_page];
  HWND window = s.window.load();
  if (page == nullptr || window == nullptr) return -1;
  HDC dc = GetDC(window);
  if (dc == nullptr) return -1;
  const auto& viewport = s.window_viewport;
  BitBlt(dc, 0, 0, viewport.width, viewport.height, page->dc, viewport.x - page->viewport.left,
         viewport.y - page->viewport.top, SRCCOPY);
  ReleaseDC(window, dc);
  return 0;
}

int present_window(graphics_state* s) {
  if (window_destroyed()) return -1;
  HWND window = s->window.load();
  if (window != nullptr && IsWindowVisible(window)) blit_visual_page();
  s->update_counter = 255;
  fps_tick(256);
  // Keep the client area the size of the window viewport; a minimised window
  // or one without a client area is left alone.
  RECT client = {};
  if (window != nullptr && !IsIconic(window) && GetClientRect(window, &client) && client.right > 0 &&
      client.bottom > 0 && (client.right != s->window_viewport.width || client.bottom != s->window_viewport.height))
    fit_client_area(window, s->window_viewport.width, s->window_viewport.height,
                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

bool present_if_due(graphics_state* s, bool force) {
  if (force || s->update_counter.load() <= 0) present_window(s);
  return !window_destroyed();
}

bool gui_pump(graphics_state* s) {
  if (s->update_counter.load() < 255) {
    draw_controls();
    present_window(s);
    dispatch_to_controls(s);
  }
  pause_ms(1);
  return !window_destroyed();
}

void dispatch_to_controls(graphics_state* s) {
  frondControlBase* root = s->root_control;
  if (root == nullptr) return;
  dispatch_queue(s->key_queue, root, dispatch_key);
  dispatch_queue(s->mouse_queue, root, dispatch_mouse);
  root->dispatchupdate();
}

void present_now() {
  graphics_state& s = state();
  s.timer_refresh_off = 1;
  if (s.update_counter.load() <= 254) {
    draw_controls();
    present_if_due(&s, true);
    update_controls();
  }
  s.timer_refresh_off = 0;
}

void setrendermode(int mode) {
  graphics_state& s = state();
  HWND window = s.window.load();
  if (mode == 1) {
    if (s.manual_render.load()) return;
    KillTimer(window, refresh_timer_id);
    s.switch_pending = 1;
    PostMessageW(window, WM_TIMER, refresh_timer_id, 0);
    s.manual_render = 1;
    // The window thread clears the flag on that last tick; a window that is
    // gone (or a refresh already off) ends the wait too.
    while (s.switch_pending.load() && !window_destroyed() && IsWindow(window)) Sleep(1);
    s.switch_pending = 0;
    s.timer_refresh_off = 1;
    return;
  }
  present_now();
  start_refresh_timer();
  s.timer_refresh_off = 0;
  s.manual_render = 0;
}

void setactivepage(int page) {
  if (unsigned(page) > 3) return;
  graphics_state& s = state();
  IMAGE* image = page_image(page);
  s.active_page = page;
  s.draw_target = image;
  s.active_dc = image->dc;
}

void setvisualpage(int page) {
  if (unsigned(page) > 3) return;
  graphics_state& s = state();
  page_image(page);
  s.visual_page = page;
  s.update_counter = 0;
}

void swappage() {
  graphics_state& s = state();
  setvisualpage(s.active_page);
  const int other = 1 - s.active_page;
  if (other >= 0 && other <= 3) setactivepage(other);
}

int getactivepage() { return state().active_page; }

int getvisualpage() { return state().visual_page; }

void setwindowviewport(int left, int top, int right, int bottom) {
  graphics_state& s = state();
  const int width = right - left, height = bottom - top;
  auto& viewport = s.window_viewport;
  if (width == viewport.width && height == viewport.height) {
    if (left != viewport.x || top != viewport.y) count_change();
    viewport = {left, top, width, height};
    return;
  }
  viewport = {left, top, width, height};
  count_change();
  if (HWND window = s.window.load()) fit_client_area(window, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void getwindowviewport(viewport_rect* rect) {
  const auto& viewport = state().window_viewport;
  *rect = {viewport.x, viewport.y, viewport.x + viewport.width, viewport.y + viewport.height};
}

void getwindowviewport(int* left, int* top, int* right, int* bottom) {
  viewport_rect rect;
  getwindowviewport(&rect);
  if (left) *left = rect.left;
  if (top) *top = rect.top;
  if (right) *right = rect.right;
  if (bottom) *bottom = rect.bottom;
}

}  // namespace frond
