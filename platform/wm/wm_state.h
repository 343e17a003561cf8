// The window manager's shared state: classes, the window tree, and the
// process-wide focus, activation and capture. One lock guards all of it; it is
// never held while a window procedure runs or while a thread waits.
// Depends on: the display backend (native windows), windowing.h.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "display/display.h"
#include "platform/windowing.h"

namespace platform::wm {

class MessageQueue;

struct WindowClass {
  std::wstring name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  bool ansi = false;  // registered through an A function: its procedure takes UTF-8 text
  int class_extra = 0;
  int window_extra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON small_icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  LONG_PTR menu_name = 0;
};

// The client pixels of a top-level window.
struct Framebuffer {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> cls;
  DWORD thread = 0;
  std::shared_ptr<MessageQueue> queue;
  WNDPROC proc = nullptr;
  bool ansi = false;
  DWORD style = 0;
  DWORD ex_style = 0;
  HWND parent = nullptr;  // the desktop for top-level windows
  HWND owner = nullptr;
  std::vector<HWND> children;  // front to back
  HWND last_focus = nullptr;   // of a top-level window: where the focus was when it was deactivated
  LONG_PTR id = 0;
  LONG_PTR user_data = 0;
  HINSTANCE instance = nullptr;
  std::vector<BYTE> extra;
  std::wstring text;
  RECT window_rect = {};  // in the parent's client coordinates (screen for top-level windows)
  RECT client_rect = {};  // same coordinates
  bool destroying = false;
  RECT update = {};    // bounding box of the update region, client coordinates
  bool erase = false;  // the update region's background still needs erasing
  bool layered_set = false;
  std::shared_ptr<display::NativeWindow> native;
  bool native_shown = false;  // what the native window was last told
  std::shared_ptr<Framebuffer> framebuffer;
};

struct State {
  std::mutex mutex;
  std::unordered_map<HWND, std::unique_ptr<Window>> windows;
  std::vector<std::shared_ptr<WindowClass>> classes;
  HWND desktop = nullptr;
  uintptr_t next_handle = 0x10020;
  ATOM next_atom = 0xC000;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  // Framebuffers handed to the GDI and not yet released, by window: they
  // outlive a resize or the window's destruction until released.
  std::unordered_map<HWND, std::vector<std::shared_ptr<Framebuffer>>> surface_holds;
};

// Made on first use and never destroyed, so that threads ending at exit can still use it.
State& state();

// Lookups; the lock must be held.
Window* find_window(State& s, HWND hwnd);
std::shared_ptr<WindowClass> find_class(State& s, LPCWSTR name);
// The window and its descendants, front to back, parents before children.
void collect_tree(State& s, HWND root, std::vector<HWND>* out);
bool is_descendant(State& s, HWND window, HWND ancestor);  // true for the window itself
Window* top_level_of(State& s, const Window* w);
bool is_top_level(const State& s, const Window* w);
// Visible along with all its ancestors.
bool is_really_visible(State& s, const Window* w);
// Screen position of the client area's (0, 0).
POINT client_origin(State& s, const Window* w);
// The deepest visible window containing `point` (screen coordinates), or null.
Window* window_at(State& s, POINT point);

// The desktop window, made on first use; its client area is the screen.
HWND desktop_window();
// Moves `w` in its parent's list of children: HWND_TOP, HWND_BOTTOM,
// HWND_TOPMOST, HWND_NOTOPMOST or after a sibling. Topmost windows stay in
// front of the others.
void place_in_z_order(State& s, Window* w, HWND insert_after);
// Gives a top-level window a framebuffer of its client size, keeping the
// pixels that still fit; a no-op for other windows.
void fit_framebuffer(Window* w);

// The frame around the client area of a window of this style: a captioned
// top-level window's frame and caption; a child's border (WS_BORDER one
// pixel, WS_EX_CLIENTEDGE two more) and vertical scroll bar strip.
RECT frame_insets(DWORD style, DWORD ex_style);
// Checked lookup outside the lock: sets ERROR_INVALID_WINDOW_HANDLE when missing.
bool window_exists(HWND hwnd);
DWORD window_thread(HWND hwnd);

// Where the focus goes when a top-level window is activated again: the
// window inside it that had the focus when it was deactivated, while that
// still exists and is visible, else the window itself.
HWND focus_to_restore(HWND hwnd);

// Removes a window (not its children) from the tree after its last message;
// its native window and framebuffer go with it.
void unlink_window(HWND hwnd);

// A message for a window of the calling thread, or for another thread's window
// (then queued, and the caller waits for the answer).
LRESULT send_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// Calls `proc` with a message in wide form, converting text for procedures that take UTF-8.
LRESULT call_window_proc(WNDPROC proc, bool ansi, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// Runs `task` on the thread that owns `hwnd`, the next time it looks at its
// queue, without waiting (how backend threads change windows).
void run_on_owner(HWND hwnd, std::function<void()> task);

}  // namespace platform::wm
