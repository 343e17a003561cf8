// The one graphics window of a test program, on the headless display:
// open_window (initgraph, kept on close), an environment that opens it before
// the first test, and how tests reach it (handle, client rectangle on the
// screen, what the screen shows there, injected keys, painting the page
// uncounted, a wait for the window thread). Depends on: the headless display and the platform input seam.
// One window per process: it is never closed here.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "graphics/frond.h"
#include "platform/test_seams.h"

namespace frond_test {

inline HWND window() { return frond::getwindowhandle(); }

inline RECT client_on_screen() { return platform_test::headless_window_state(window()).client; }

// What a user sees (RGB) at a point of the graphics window's client area.
inline uint32_t on_screen(int x, int y) {
  const platform_test::ScreenPixels screen = platform_test::headless_screen();
  const RECT client = client_on_screen();
  return screen.pixels[size_t(client.top + y) * screen.stride + client.left + x] & 0x00FFFFFF;
}

// A key going down (with the text it types) or up, as the display backend delivers it.
inline void key(UINT vk, bool down, const std::u16string& text = u"") {
  platform_test::inject_key(window(), vk, down, false, down ? text : u"");
}

// Paints the active page without counting a change.
inline void paint_page(frond::argb_color color) {
  std::fill(frond::getbuffer(), frond::getbuffer() + size_t(frond::getwidth()) * size_t(frond::getheight()), color);
}

// Waits until the window thread has queued what was injected.
inline void settle() { Sleep(50); }

// Opens the window on the headless display (with `caption`, if any); it
// stays when closed, so tests can still read it.
inline void open_window(int width, int height, int mode, const char* caption = nullptr) {
  platform_test::use_headless_display();
  if (caption != nullptr) frond::setcaption(caption);
  frond::initgraph(width, height, mode | frond::INITMODE_KEEP_ON_CLOSE);
}

// Opens the window before the first test of the program.
class WindowEnvironment : public ::testing::Environment {
 public:
  WindowEnvironment(int width, int height, int mode, const char* caption)
      : width_(width), height_(height), mode_(mode), caption_(caption) {}
  void SetUp() override { open_window(width_, height_, mode_, caption_); }

 private:
  int width_, height_, mode_;
  const char* caption_;
};

inline const ::testing::Environment* window_for_all_tests(int width, int height, int mode,
                                                          const char* caption = nullptr) {
  return ::testing::AddGlobalTestEnvironment(new WindowEnvironment(width, height, mode, caption));
}

}  // namespace frond_test
