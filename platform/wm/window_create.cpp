// CreateWindowEx and DestroyWindow with the messages Windows sends on the way:
// WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE (then the show sequence for
// WS_VISIBLE); on destruction the hide, WM_KILLFOCUS and deactivation, then
// WM_DESTROY to the window and its children, WM_NCDESTROY children first.
// Depends on: wm_state, message_queue, window_pos, the EDIT class, the display backend.
#include <algorithm>

#include "platform/kernel32.h"
#include "wm/edit/edit_class.h"
#include "wm/message_queue.h"
#include "wm/window_pos.h"
#include "wm/wm_state.h"

using namespace platform::wm;

namespace {

constexpr int kDefaultX = 80;
constexpr int kDefaultY = 60;
constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;

struct Placement {
  int x, y, width, height;
};

Placement default_placement(DWORD style, int x, int y, int width, int height) {
  const bool overlapped = !(style & (WS_POPUP | WS_CHILD));
  if (x == CW_USEDEFAULT) {
    x = overlapped ? kDefaultX : 0;
    y = overlapped ? kDefaultY : 0;
  }
  if (width == CW_USEDEFAULT) {
    width = overlapped ? kDefaultWidth : 0;
    height = overlapped ? kDefaultHeight : 0;
  }
  return Placement{x, y, std::max(width, 0), std::max(height, 0)};
}

// Makes the window object; null (with the error set) when the class or parent is missing.
HWND make_window(DWORD ex_style, LPCWSTR class_name, LPCWSTR title, DWORD style, const Placement& at, HWND parent,
                 HMENU menu, HINSTANCE instance, platform::display::NativeWindowParams* native) {
  State& s = state();
  const HWND desktop = desktop_window();
  const std::shared_ptr<MessageQueue>& queue = current_queue();
  std::lock_guard<std::mutex> lock(s.mutex);
  const auto cls = find_class(s, class_name);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  Window* parent_window = parent ? find_window(s, parent) : nullptr;
  if (parent != nullptr && parent_window == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  auto w = std::make_unique<Window>();
  w->handle = reinterpret_cast<HWND>(s.next_handle);
  s.next_handle += 4;
  w->cls = cls;
  w->thread = queue->thread();
  w->queue = queue;
  w->proc = cls->proc;
  w->ansi = cls->ansi;
  w->style = style & ~static_cast<DWORD>(WS_VISIBLE);
  w->ex_style = ex_style;
  const bool child = style & WS_CHILD;
  w->parent = child ? parent : desktop;
  w->owner = child || parent_window == nullptr ? nullptr : top_level_of(s, parent_window)->handle;
  w->id = child ? reinterpret_cast<LONG_PTR>(menu) : 0;
  w->instance = instance;
  w->extra.assign(static_cast<size_t>(std::max(cls->window_extra, 0)), 0);
  w->text = title && !IS_INTRESOURCE(title) ? title : L"";
  w->window_rect = RECT{at.x, at.y, at.x + at.width, at.y + at.height};
  const RECT frame = frame_insets(w->style, w->ex_style);
  w->client_rect = RECT{w->window_rect.left + frame.left, w->window_rect.top + frame.top,
                        std::max(w->window_rect.left + frame.left, w->window_rect.right - frame.right),
                        std::max(w->window_rect.top + frame.top, w->window_rect.bottom - frame.bottom)};
  Window* raw = w.get();
  s.windows.emplace(raw->handle, std::move(w));
  place_in_z_order(s, raw, HWND_TOP);
  if (is_top_level(s, raw)) {
    fit_framebuffer(raw);
    native->hwnd = raw->handle;
    native->client = raw->client_rect;
    native->title = raw->text;
    native->resizable = raw->style & WS_THICKFRAME;
    native->topmost = raw->ex_style & WS_EX_TOPMOST;
    native->popup = frame.top == 0;
  }
  return raw->handle;
}

// False when the display cannot make the top-level window.
bool attach_native(HWND hwnd, const platform::display::NativeWindowParams& params) {
  std::shared_ptr<platform::display::NativeWindow> native = platform::display::backend().create_window(params);
  if (!native) return false;
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (Window* w = find_window(s, hwnd)) w->native = std::move(native);
  return true;
}

}  // namespace

HWND CreateWindowExW(DWORD ex_style, LPCWSTR class_name, LPCWSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  if ((style & WS_CHILD) && parent == nullptr) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  edit::register_edit_class();  // the built-in classes exist before the first window
  const DWORD requested_style = style;
  // Overlapped windows always have a caption, as on Windows.
  if (!(style & (WS_POPUP | WS_CHILD))) style |= WS_CLIPSIBLINGS | WS_CAPTION;
  const Placement at = default_placement(style, x, y, width, height);
  platform::display::NativeWindowParams native;
  native.position_set = x != CW_USEDEFAULT;
  const HWND hwnd = make_window(ex_style, class_name, title, style, at, parent, menu, instance, &native);
  if (hwnd == nullptr) return nullptr;
  if (native.hwnd != nullptr && !attach_native(hwnd, native)) {
    unlink_window(hwnd);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }

  CREATESTRUCTW cs = {
      param, instance,   menu,    parent, at.height, at.width, at.y, at.x, static_cast<LONG>(requested_style),
      title, class_name, ex_style};
  if (!send_message(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    send_message(hwnd, WM_NCDESTROY, 0, 0);
    unlink_window(hwnd);
    return nullptr;
  }
  if (send_message(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  RECT client;
  if (!client_rect_in_parent(hwnd, &client)) return nullptr;  // destroyed while being created
  send_message(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
  send_message(hwnd, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
  if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  return hwnd;
}

HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR title, DWORD style, int x, int y, int width, int height,
                     HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  const std::wstring wide_class =
      IS_INTRESOURCE(class_name) ? std::wstring() : platform::multibyte_to_wide(CP_ACP, class_name);
  const std::wstring wide_title = platform::multibyte_to_wide(CP_ACP, title);
  LPCWSTR cls = IS_INTRESOURCE(class_name) ? reinterpret_cast<LPCWSTR>(class_name) : wide_class.c_str();
  return CreateWindowExW(ex_style, cls, title ? wide_title.c_str() : nullptr, style, x, y, width, height, parent, menu,
                         instance, param);
}

BOOL DestroyWindow(HWND hwnd) {
  State& s = state();
  std::vector<HWND> owned;
  bool visible = false;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    Window* w = find_window(s, hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if (hwnd == s.desktop || w->thread != GetCurrentThreadId()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (w->destroying) return FALSE;
    w->destroying = true;
    visible = w->style & WS_VISIBLE;
    for (const auto& [handle, other] : s.windows) {
      if (other->owner == hwnd) owned.push_back(handle);
    }
  }
  for (HWND o : owned) DestroyWindow(o);
  if (visible) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  HWND lost_focus = nullptr;
  bool was_active = false;
  std::vector<HWND> tree;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.focus != nullptr && is_descendant(s, s.focus, hwnd)) std::swap(lost_focus, s.focus);
    if (s.active == hwnd) {
      s.active = nullptr;
      was_active = true;
    }
    if (s.capture != nullptr && is_descendant(s, s.capture, hwnd)) s.capture = nullptr;
    collect_tree(s, hwnd, &tree);
    for (HWND h : tree) find_window(s, h)->destroying = true;
  }
  if (lost_focus != nullptr) send_message(lost_focus, WM_KILLFOCUS, 0, 0);
  if (was_active) send_message(hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
  for (HWND h : tree) send_message(h, WM_DESTROY, 0, 0);
  for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
    send_message(*it, WM_NCDESTROY, 0, 0);
    unlink_window(*it);
  }
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return find_window(s, hwnd) != nullptr;
}
