// Test seams of the headless display: input enters through
// wm/input_events.h, where the X11 backend's event thread enters too.
#include "display/headless/headless_backend.h"
#include "display/headless/headless_windows.h"
#include "gdi/screen.h"
#include "platform/test_seams.h"
#include "platform/windowing.h"
#include "wm/input_events.h"

namespace {

// Set-1 scan codes of the keys tests press; 0 for the others.
UINT scan_code(UINT vk) {
  static const char kLetters[] =
      "\x1e\x30\x2e\x20\x12\x21\x22\x23\x17\x24\x25\x26\x32\x31\x18\x19\x10\x13\x1f\x14"
      "\x16\x2f\x11\x2d\x15\x2c";
  if (vk >= 'A' && vk <= 'Z') return static_cast<unsigned char>(kLetters[vk - 'A']);
  if (vk >= '1' && vk <= '9') return vk - '1' + 0x02;
  switch (vk) {
    case '0':
      return 0x0B;
    case VK_ESCAPE:
      return 0x01;
    case VK_BACK:
      return 0x0E;
    case VK_TAB:
      return 0x0F;
    case VK_RETURN:
      return 0x1C;
    case VK_CONTROL:
    case VK_LCONTROL:
      return 0x1D;
    case VK_SHIFT:
    case VK_LSHIFT:
      return 0x2A;
    case VK_MENU:
    case VK_LMENU:
      return 0x38;
    case VK_SPACE:
      return 0x39;
    case VK_DELETE:
      return 0x53;
    default:
      return 0;
  }
}

// The top-level window under the pointer, as the X11 server would report it.
HWND top_level_at(int x, int y) {
  HWND hwnd = WindowFromPoint(POINT{x, y});
  for (HWND parent = GetParent(hwnd); parent != nullptr && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD);
       parent = GetParent(hwnd)) {
    hwnd = parent;
  }
  return hwnd;
}

}  // namespace

namespace platform_test {

void inject_key(HWND hwnd, UINT vk, bool down, bool repeat, const std::u16string& text) {
  platform::wm::key_event(hwnd, vk, scan_code(vk), down, repeat, text);
}

void inject_pointer(int x, int y) {
  platform::display::headless::set_pointer(POINT{x, y});
  platform::wm::pointer_moved(top_level_at(x, y), x, y);
}

void inject_button(int button, bool down, int x, int y) {
  platform::display::headless::set_pointer(POINT{x, y});
  platform::wm::button_event(top_level_at(x, y), button, down, x, y);
}

void inject_wheel(int delta, int x, int y) {
  platform::display::headless::set_pointer(POINT{x, y});
  platform::wm::wheel_event(top_level_at(x, y), delta, x, y);
}

void inject_close(HWND hwnd) { platform::wm::close_requested(hwnd); }

void inject_ime_text(HWND hwnd, const std::u16string& text) { platform::wm::text_committed(hwnd, text); }

ScreenPixels headless_screen() {
  const platform::gdi::Surface& screen = platform::gdi::screen_surface();
  return ScreenPixels{screen.row32(0), screen.width, screen.height, static_cast<int>(screen.stride / 4)};
}

HeadlessWindowState headless_window_state(HWND hwnd) { return platform::display::headless::window_state(hwnd); }

}  // namespace platform_test
