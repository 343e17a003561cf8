// The graphics window: its class, creation, procedure and the library
// globals of its mode. Internal.
// Depends on: state, the platform's window manager. Draws nothing.
#pragma once

#include "graphics/state.h"

namespace frond {

// Mode bits of the last initgraph or setinitmode, and what they imply.
struct window_settings {
  int init_mode = 0;
  uint32_t style = 0x12CA0000;
  uint32_t exstyle = 0;
  POINT position = {int32_t(0x80000000), int32_t(0x80000000)};
  HWND parent = nullptr;
};
window_settings& window_globals();

// What another thread asks of the window thread with WM_USER+1 (create a
// child window: wParam 1; destroy `hwnd`: wParam 0) and WM_USER+2 (focus
// `hwnd`); `done_event` is signalled when it is done.
struct control_window_request {
  HANDLE done_event;
  HWND hwnd;
  const wchar_t* class_name;
  uint32_t style;
  uint32_t exstyle;
  UINT_PTR id;
};
constexpr UINT request_child_window = WM_USER + 1;
constexpr UINT request_focus = WM_USER + 2;
// The window thread's 50 ms refresh timer.
constexpr UINT_PTR refresh_timer_id = 916;
// Starts (or restarts) the refresh timer on the window's thread, from any thread.
void start_refresh_timer();

LRESULT CALLBACK graph_wndproc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
WNDPROC get_wndproc();
void register_window_class(graphics_state* s, HINSTANCE instance);
HWND create_window(HWND parent, const wchar_t* title, uint32_t style, uint32_t exstyle, int x, int y, int width,
                   int height);
void load_window_icon();
// Plays the start-up logo on the drawing target.
void show_logo();

}  // namespace frond
