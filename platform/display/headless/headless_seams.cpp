// Test seams of the headless display: input enters through the display's
// event sink, where the X11 backend's event thread enters too (so the window
// manager's translation and window procedures run as in real use); the
// headless screen's pixels and windows are read back for assertions.
// Depends on: the event sink, the headless backend's screen and windows.
// Finds windows only through the sink; includes nothing of the window manager.
#include "display/event_sink.h"
#include "display/headless/headless_backend.h"
#include "display/headless/headless_screen.h"
#include "display/headless/headless_windows.h"
#include "platform/test_seams.h"
#include "platform/windowing.h"

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

}  // namespace

namespace platform_test {

using platform::display::event_sink;

// The top-level window under the pointer, as the X11 server would report it.
static HWND top_level_at(int x, int y) { return event_sink().top_level_at(POINT{x, y}); }

void inject_key(HWND hwnd, UINT vk, bool down, bool repeat, const std::u16string& text) {
  event_sink().key_event(hwnd, vk, scan_code(vk), down, repeat, text);
}

void inject_pointer(int x, int y) {
  platform::display::headless::set_pointer(POINT{x, y});
  event_sink().pointer_moved(top_level_at(x, y), x, y);
}

void inject_button(int button, bool down, int x, int y) {
  platform::display::headless::set_pointer(POINT{x, y});
  event_sink().button_event(top_level_at(x, y), button, down, x, y);
}

void inject_wheel(int delta, int x, int y) {
  platform::display::headless::set_pointer(POINT{x, y});
  event_sink().wheel_event(top_level_at(x, y), delta, x, y);
}

void inject_close(HWND hwnd) { event_sink().close_requested(hwnd); }

void inject_ime_text(HWND hwnd, const std::u16string& text) { event_sink().text_committed(hwnd, text); }

ScreenPixels headless_screen() {
  const platform::display::Surface& screen = platform::display::headless::screen();
  return ScreenPixels{screen.row32(0), screen.width, screen.height, static_cast<int>(screen.stride / 4)};
}

HeadlessWindowState headless_window_state(HWND hwnd) { return platform::display::headless::window_state(hwnd); }

}  // namespace platform_test
