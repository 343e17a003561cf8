// Headless native windows and the table the test seams read them from.
// Depends on: the headless screen (presents are copied into it). Keeps no
// pixels of its own and sends nothing to the window manager.
#include "display/headless/headless_window.h"

#include <algorithm>
#include <unordered_map>

#include "display/headless/headless_windows.h"
#include "display/headless/headless_screen.h"

namespace platform::display::headless {
namespace {

struct Table {
  std::mutex mutex;
  std::unordered_map<HWND, HeadlessWindow*> windows;
};

Table& table() {
  static Table* const t = new Table();
  return *t;
}

}  // namespace

HeadlessWindow::HeadlessWindow(const NativeWindowParams& params) : hwnd_(params.hwnd) {
  state_ = platform_test::HeadlessWindowState{true, params.title, false, params.client, params.topmost, 255, false, {0, 0}};
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.windows[hwnd_] = this;
}

HeadlessWindow::~HeadlessWindow() {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.windows.erase(hwnd_);
}

void HeadlessWindow::set_title(const std::wstring& title) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_.title = title;
}

void HeadlessWindow::set_visible(bool visible) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_.visible = visible;
}

void HeadlessWindow::set_client_rect(const RECT& client) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_.client = client;
}

void HeadlessWindow::set_topmost(bool topmost) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_.topmost = topmost;
}

void HeadlessWindow::set_opacity(BYTE alpha) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_.opacity = alpha;
}

void HeadlessWindow::raise_and_focus() {}

void HeadlessWindow::set_cursor_hidden(bool hidden) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_.cursor_hidden = hidden;
}

void HeadlessWindow::set_input_spot(POINT spot) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_.input_spot = spot;
}

void HeadlessWindow::present(const Surface& client, const RECT& area) {
  RECT at;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!state_.visible) return;
    at = state_.client;
  }
  const Surface& screen = headless::screen();
  const LONG left = std::max<LONG>({area.left, 0, -at.left});
  const LONG top = std::max<LONG>({area.top, 0, -at.top});
  const LONG right = std::min<LONG>({area.right, client.width, screen.width - at.left});
  const LONG bottom = std::min<LONG>({area.bottom, client.height, screen.height - at.top});
  for (LONG y = top; y < bottom; ++y) {
    const uint32_t* from = client.row32(y) + left;
    std::copy(from, from + std::max<LONG>(right - left, 0), screen.row32(at.top + y) + at.left + left);
  }
}

platform_test::HeadlessWindowState HeadlessWindow::snapshot() {
  std::lock_guard<std::mutex> lock(mutex_);
  return state_;
}

platform_test::HeadlessWindowState window_state(HWND hwnd) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  const auto it = t.windows.find(hwnd);
  if (it == t.windows.end()) return platform_test::HeadlessWindowState{false, L"", false, {}, false, 0, false, {0, 0}};
  return it->second->snapshot();
}

}  // namespace platform::display::headless
