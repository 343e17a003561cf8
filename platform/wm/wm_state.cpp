// The window tree: lookups, z-order walks, coordinates and unlinking.
// Depends on: message_queue (a thread's queue). Sends no messages.
#include "wm/wm_state.h"

#include <algorithm>
#include <cwctype>

#include "platform/kernel32.h"
#include "wm/display_sinks.h"
#include "wm/message_queue.h"

namespace platform::wm {

State& state() {
  static State* const s = [] {
    connect_to_display();  // before any window exists
    return new State();
  }();
  return *s;
}

Window* find_window(State& s, HWND hwnd) {
  const auto it = s.windows.find(hwnd);
  return it == s.windows.end() ? nullptr : it->second.get();
}

std::shared_ptr<WindowClass> find_class(State& s, LPCWSTR name) {
  if (name == nullptr) return nullptr;
  for (const auto& cls : s.classes) {
    if (IS_INTRESOURCE(name)) {
      if (cls->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name))) return cls;
      continue;
    }
    const std::wstring& a = cls->name;
    size_t i = 0;
    while (i < a.size() && name[i] != L'\0' && std::towlower(a[i]) == std::towlower(name[i])) ++i;
    if (i == a.size() && name[i] == L'\0') return cls;
  }
  return nullptr;
}

void collect_tree(State& s, HWND root, std::vector<HWND>* out) {
  Window* w = find_window(s, root);
  if (w == nullptr) return;
  out->push_back(root);
  for (HWND child : w->children) collect_tree(s, child, out);
}

bool is_descendant(State& s, HWND window, HWND ancestor) {
  for (Window* w = find_window(s, window); w != nullptr; w = find_window(s, w->parent)) {
    if (w->handle == ancestor) return true;
  }
  return false;
}

bool is_top_level(const State& s, const Window* w) { return w->parent == s.desktop && w->handle != s.desktop; }

Window* top_level_of(State& s, const Window* w) {
  while (w != nullptr && w->parent != s.desktop && w->handle != s.desktop) w = find_window(s, w->parent);
  return w == nullptr ? nullptr : find_window(s, w->handle);
}

bool is_really_visible(State& s, const Window* w) {
  for (; w != nullptr && w->handle != s.desktop; w = find_window(s, w->parent)) {
    if (!(w->style & WS_VISIBLE)) return false;
  }
  return true;
}

POINT client_origin(State& s, const Window* w) {
  POINT origin = {0, 0};
  for (; w != nullptr && w->handle != s.desktop; w = find_window(s, w->parent)) {
    origin.x += w->client_rect.left;
    origin.y += w->client_rect.top;
  }
  return origin;
}

namespace {

bool contains(const RECT& r, LONG x, LONG y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// `point` is in the client coordinates of `parent`.
Window* child_at(State& s, Window* parent, POINT point) {
  for (HWND handle : parent->children) {
    Window* child = find_window(s, handle);
    if (child == nullptr || !(child->style & WS_VISIBLE) || (child->style & WS_MINIMIZE)) continue;
    if (!contains(child->window_rect, point.x, point.y)) continue;
    const POINT inner = {point.x - child->client_rect.left, point.y - child->client_rect.top};
    Window* deeper = contains(child->client_rect, point.x, point.y) ? child_at(s, child, inner) : nullptr;
    return deeper != nullptr ? deeper : child;
  }
  return nullptr;
}

}  // namespace

Window* window_at(State& s, POINT point) {
  Window* desktop = find_window(s, s.desktop);
  return desktop == nullptr ? nullptr : child_at(s, desktop, point);
}

HWND desktop_window() {
  State& s = state();
  const LONG width = GetSystemMetrics(SM_CXSCREEN);
  const LONG height = GetSystemMetrics(SM_CYSCREEN);
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.desktop == nullptr) {
    auto desktop = std::make_unique<Window>();
    desktop->handle = reinterpret_cast<HWND>(s.next_handle);
    s.next_handle += 4;
    desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    desktop->window_rect = desktop->client_rect = RECT{0, 0, width, height};
    desktop->proc = DefWindowProcW;
    s.desktop = desktop->handle;
    s.windows.emplace(desktop->handle, std::move(desktop));
  }
  return s.desktop;
}

void place_in_z_order(State& s, Window* w, HWND insert_after) {
  Window* parent = find_window(s, w->parent);
  if (parent == nullptr) return;
  auto& list = parent->children;
  list.erase(std::remove(list.begin(), list.end(), w->handle), list.end());
  const auto first_plain = [&] {
    return std::find_if(list.begin(), list.end(), [&](HWND h) {
      const Window* sibling = find_window(s, h);
      return sibling == nullptr || !(sibling->ex_style & WS_EX_TOPMOST);
    });
  };
  if (insert_after == HWND_BOTTOM) {
    list.push_back(w->handle);
  } else if (insert_after == HWND_TOP || insert_after == HWND_TOPMOST || insert_after == HWND_NOTOPMOST) {
    list.insert((w->ex_style & WS_EX_TOPMOST) ? list.begin() : first_plain(), w->handle);
  } else {
    const auto sibling = std::find(list.begin(), list.end(), insert_after);
    list.insert(sibling == list.end() ? list.begin() : sibling + 1, w->handle);
  }
}

RECT frame_insets(DWORD style, DWORD ex_style) {
  if (style & WS_CHILD) {
    LONG edge = (style & WS_BORDER) ? GetSystemMetrics(SM_CXBORDER) : 0;
    if (ex_style & WS_EX_CLIENTEDGE) edge += 2;
    const LONG scroll = (style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    return RECT{edge, edge, edge + scroll, edge};
  }
  if ((style & WS_CAPTION) != static_cast<DWORD>(WS_CAPTION)) return RECT{0, 0, 0, 0};
  const LONG fx = GetSystemMetrics(SM_CXFRAME);
  const LONG fy = GetSystemMetrics(SM_CYFRAME);
  return RECT{fx, fy + GetSystemMetrics(SM_CYCAPTION), fx, fy};
}

bool window_exists(HWND hwnd) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (find_window(s, hwnd) != nullptr) return true;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

DWORD window_thread(HWND hwnd) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  return w == nullptr ? 0 : w->thread;
}

void unlink_window(HWND hwnd) {
  State& s = state();
  std::unique_ptr<Window> gone;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    const auto it = s.windows.find(hwnd);
    if (it == s.windows.end()) return;
    gone = std::move(it->second);
    s.windows.erase(it);
    if (Window* parent = find_window(s, gone->parent)) {
      auto& siblings = parent->children;
      siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
    }
    for (HWND* held : {&s.focus, &s.active, &s.capture}) {
      if (*held == hwnd) *held = nullptr;
    }
    if (gone->queue) gone->queue->remove_timers(hwnd);
  }
  // The native window and framebuffer are released here, outside the lock.
}

}  // namespace platform::wm
