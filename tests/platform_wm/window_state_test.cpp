// Positions, z-order, visibility, activation, focus, layered attributes, what
// the native window is told, and the client framebuffer reaching the screen.
// Depends on: wm_test_support, the backend entry points and window surfaces.
#include "platform/test_seams.h"
#include "wm/input_events.h"
#include "wm/window_surface.h"
#include "wm_test_support.h"

namespace wm_test {
namespace {

using WindowStateTest = WmTest;

TEST_F(WindowStateTest, MovingAndSizingSendChangingChangedMoveAndSize) {
  const HWND hwnd = make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  pump();
  clear_log();
  SetWindowPos(hwnd, nullptr, 10, 20, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
  static const std::vector<Expected> kMoveSize = {
      {WM_WINDOWPOSCHANGING, kSent},
      {WM_WINDOWPOSCHANGED, kSent},
      {WM_MOVE, kSent | kLparam, 0, MAKELPARAM(10, 20)},
      {WM_SIZE, kSent | kWparam | kLparam, SIZE_RESTORED, MAKELPARAM(200, 150)}};
  expect_sequence(kMoveSize, hwnd, "move and size");
  MoveWindow(hwnd, 10, 20, 200, 150, TRUE);  // same place: no WM_MOVE or WM_SIZE, but a repaint
  static const std::vector<Expected> kSame = {{WM_WINDOWPOSCHANGING, kSent}, {WM_WINDOWPOSCHANGED, kSent}};
  expect_sequence(kSame, hwnd, "unchanged");
  expect_rect(update_rect(hwnd), 0, 0, 200, 150);
  expect_rect(platform_test::headless_window_state(hwnd).client, 10, 20, 210, 170);
}

TEST_F(WindowStateTest, ChangingPositionCanBeRefusedInWindowPosChanging) {
  const HWND hwnd = make(WS_POPUP, 0, 0, 100, 100);
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                      if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(l)->flags |= SWP_NOSIZE;
                      return DefWindowProcW(h, m, w, l);
                    }));
  SetWindowPos(hwnd, nullptr, 5, 5, 300, 300, SWP_NOZORDER);
  RECT r;
  GetWindowRect(hwnd, &r);
  expect_rect(r, 5, 5, 105, 105);
}

TEST_F(WindowStateTest, TopmostIsReflectedInTheExtendedStyleAndTheNativeWindow) {
  const HWND hwnd = make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(platform_test::headless_window_state(hwnd).topmost);
  const HWND later = make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);  // a newer plain window stays below it
  EXPECT_EQ(WindowFromPoint(POINT{10, 10}), hwnd);
  SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  BringWindowToTop(later);
  EXPECT_EQ(WindowFromPoint(POINT{10, 10}), later);
  const HWND created_topmost = make(WS_POPUP, 0, 0, 5, 5, nullptr, WS_EX_TOPMOST);
  EXPECT_TRUE(platform_test::headless_window_state(created_topmost).topmost);
}

TEST_F(WindowStateTest, ShowWindowReturnsThePreviousVisibility) {
  const HWND hwnd = make(WS_OVERLAPPED, 0, 0, 100, 100);
  clear_log();
  EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWNA));
  EXPECT_EQ(GetActiveWindow(), nullptr);  // SW_SHOWNA does not activate
  EXPECT_TRUE(ShowWindow(hwnd, SW_SHOW));
  EXPECT_EQ(GetActiveWindow(), hwnd);
  clear_log();
  EXPECT_TRUE(ShowWindow(hwnd, SW_HIDE));
  static const std::vector<Expected> kHide = {
      {WM_SHOWWINDOW, kSent | kWparam, FALSE}, {WM_WINDOWPOSCHANGING, kSent}, {WM_WINDOWPOSCHANGED, kSent}};
  expect_sequence(kHide, hwnd, "hide");
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_FALSE(platform_test::headless_window_state(hwnd).visible);

  ShowWindow(hwnd, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(hwnd));
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_FALSE(platform_test::headless_window_state(hwnd).visible);
  ShowWindow(hwnd, SW_RESTORE);
  EXPECT_FALSE(IsIconic(hwnd));
  EXPECT_TRUE(platform_test::headless_window_state(hwnd).visible);
}

TEST_F(WindowStateTest, FocusMovesWithKillFocusThenSetFocus) {
  const HWND first = make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  const HWND second = make(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, first);
  EXPECT_EQ(GetFocus(), first);
  clear_log();
  EXPECT_EQ(SetFocus(second), first);
  static const std::vector<Expected> kFocus = {{WM_KILLFOCUS, kSent | kWparam, reinterpret_cast<WPARAM>(second)},
                                               {WM_SETFOCUS, kSent | kWparam, reinterpret_cast<WPARAM>(first)}};
  expect_sequence(kFocus, nullptr, "focus");
  const HWND other = make(WS_POPUP, 100, 0, 50, 50);
  ShowWindow(other, SW_SHOWNA);
  EXPECT_TRUE(SetForegroundWindow(other));
  EXPECT_EQ(GetFocus(), other);
  EXPECT_EQ(SetActiveWindow(first), other);
  EXPECT_EQ(GetActiveWindow(), first);
}

TEST_F(WindowStateTest, LayeredOpacityNeedsTheLayeredStyleAndTheAlphaFlag) {
  const HWND plain = make(WS_POPUP, 0, 0, 10, 10);
  EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 128, LWA_ALPHA));
  EXPECT_EQ(platform_test::headless_window_state(plain).opacity, 255);
  const HWND layered = make(WS_POPUP, 0, 0, 10, 10, nullptr, WS_EX_LAYERED);
  ASSERT_TRUE(SetLayeredWindowAttributes(layered, RGB(1, 2, 3), 128, LWA_ALPHA));
  EXPECT_EQ(platform_test::headless_window_state(layered).opacity, 128);
  ASSERT_TRUE(SetLayeredWindowAttributes(layered, RGB(1, 2, 3), 128, LWA_COLORKEY));
  EXPECT_EQ(platform_test::headless_window_state(layered).opacity, 255);
  SetLayeredWindowAttributes(layered, 0, 64, LWA_ALPHA);
  SetWindowLongW(layered, GWL_EXSTYLE, 0);  // dropping the style makes the window opaque again
  EXPECT_EQ(platform_test::headless_window_state(layered).opacity, 255);
}

TEST_F(WindowStateTest, ADesktopResizeIsAppliedWithoutBeingRequestedBack) {
  const HWND hwnd = make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
  pump();
  clear_log();
  const RECT requested = platform_test::headless_window_state(hwnd).client;
  platform::wm::client_rect_changed(hwnd, RECT{104, 127, 704, 627});
  pump();
  static const std::vector<Expected> kResized = {{WM_WINDOWPOSCHANGING, kSent},
                                                 {WM_WINDOWPOSCHANGED, kSent},
                                                 {WM_SIZE, kSent | kLparam, 0, MAKELPARAM(600, 500)},
                                                 {WM_PAINT, kPosted}};
  expect_sequence(kResized, hwnd, "desktop resize");
  RECT r;
  GetWindowRect(hwnd, &r);
  expect_rect(r, 100, 100, 708, 631);
  const RECT native = platform_test::headless_window_state(hwnd).client;
  EXPECT_EQ(native.right, requested.right);  // the backend was not asked for what it reported
  EXPECT_EQ(native.bottom, requested.bottom);
}

TEST_F(WindowStateTest, ClientPixelsArePresentedOnTheHeadlessScreen) {
  const HWND hwnd = make(WS_POPUP | WS_VISIBLE, 40, 30, 20, 10);
  platform::display::Surface surface;
  RECT clip;
  ASSERT_TRUE(platform::wm::window_surface_acquire(hwnd, &surface, &clip));
  EXPECT_EQ(surface.width, 20);
  expect_rect(clip, 0, 0, 20, 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) surface.row32(y)[x] = 0x00112233u + static_cast<uint32_t>(x);
  }
  platform::wm::window_surface_release(hwnd, RECT{0, 0, 5, 10});
  const platform_test::ScreenPixels screen = platform_test::headless_screen();
  EXPECT_EQ(screen.pixels[30 * screen.stride + 40], 0x00112233u);
  EXPECT_EQ(screen.pixels[39 * screen.stride + 44], 0x00112237u);
  EXPECT_EQ(screen.pixels[30 * screen.stride + 45], 0u);  // outside the changed rectangle
  for (int y = 30; y < 40; ++y) {
    for (int x = 40; x < 60; ++x) screen.pixels[y * screen.stride + x] = 0;  // black again for other tests
  }
  EXPECT_FALSE(platform::wm::window_surface_acquire(nullptr, &surface, &clip));
}

}  // namespace
}  // namespace wm_test
