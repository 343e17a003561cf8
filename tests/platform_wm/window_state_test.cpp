// Window and client rectangles, coordinate conversions, metrics and the
// monitor (the headless 1920x1080 screen); positions, z-order, visibility,
// activation, focus, layered attributes, what the native window is told, and
// the client framebuffer reaching the screen.
// Depends on: wm_test_support, the backend entry points and window surfaces.
#include <utility>

#include "platform/test_seams.h"
#include "wm/input_events.h"
#include "wm/window_surface.h"
#include "wm_test_support.h"

namespace wm_test {
namespace {

using WindowStateTest = WmTest;
using GeometryTest = WmTest;

void expect_point(const POINT& p, LONG x, LONG y) {
  EXPECT_EQ((std::vector<LONG>{p.x, p.y}), (std::vector<LONG>{x, y}));
}

TEST_F(GeometryTest, MetricsAndSystemColoursFollowTheDefaults) {
  const std::pair<int, int> metrics[] = {{SM_CXSCREEN, 1920}, {SM_CYSCREEN, 1080}, {SM_CXFRAME, 4},     {SM_CYFRAME, 4},
                                         {SM_CYCAPTION, 23},  {SM_CXICON, 32},     {SM_CXDOUBLECLK, 4}};
  for (const auto& [index, value] : metrics) EXPECT_EQ(GetSystemMetrics(index), value) << index;
  EXPECT_EQ(GetDoubleClickTime(), 500u);
  const std::pair<int, COLORREF> colours[] = {
      {COLOR_WINDOW, RGB(255, 255, 255)}, {COLOR_BTNFACE, RGB(240, 240, 240)}, {COLOR_HIGHLIGHT, RGB(0, 120, 215)},
      {99, 0}};
  for (const auto& [index, value] : colours) EXPECT_EQ(GetSysColor(index), value) << index;
  const HBRUSH window = GetSysColorBrush(COLOR_WINDOW);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetSysColorBrush(COLOR_WINDOW), window);  // one brush per colour
  EXPECT_EQ(GetSysColorBrush(25), nullptr);
}

TEST_F(GeometryTest, CaptionedWindowsGrowByTheFramePopupsDoNotAndChildrenSitInTheClientArea) {
  RECT r = {0, 0, 640, 480};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
  expect_rect(r, -4, -27, 644, 484);
  r = RECT{0, 0, 640, 480};
  AdjustWindowRectEx(&r, WS_POPUP, FALSE, WS_EX_TOPMOST);
  expect_rect(r, 0, 0, 640, 480);
  GetClientRect(make(WS_POPUP, 10, 20, 30, 40), &r);
  expect_rect(r, 0, 0, 30, 40);

  const HWND parent = make(WS_OVERLAPPEDWINDOW, 100, 50, 400, 300);
  GetWindowRect(parent, &r);
  expect_rect(r, 100, 50, 500, 350);
  GetClientRect(parent, &r);
  expect_rect(r, 0, 0, 392, 269);
  POINT p = {104, 77};
  ScreenToClient(parent, &p);
  expect_point(p, 0, 0);

  const HWND child = make(WS_CHILD | WS_VISIBLE, 10, 20, 50, 60, parent);
  GetWindowRect(child, &r);
  expect_rect(r, 114, 97, 164, 157);
  POINT points[2] = {{0, 0}, {5, 5}};
  const int offset = MapWindowPoints(child, nullptr, points, 2);
  expect_point(points[0], 114, 97);
  expect_point(points[1], 119, 102);
  EXPECT_EQ(LOWORD(offset), 114);
  EXPECT_EQ(HIWORD(offset), 97);
  MapWindowPoints(parent, child, points, 1);
  expect_point(points[0], 104, 77);  // (114, 97) of the parent's client area is (104, 77) of the child's
}

TEST_F(GeometryTest, OnePrimaryMonitorIsTheScreen) {
  const HMONITOR monitor = MonitorFromWindow(make(WS_POPUP, 0, 0, 10, 10), MONITOR_DEFAULTTONULL);
  ASSERT_NE(monitor, nullptr);
  EXPECT_EQ(MonitorFromWindow(make(WS_POPUP, 5000, 5, 10, 10), MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY), monitor);
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  expect_rect(desktop, 0, 0, 1920, 1080);
  // The extended record, as a screen capture asks for the monitor's device and then its mode.
  MONITORINFOEXA info = {};
  auto* base = reinterpret_cast<MONITORINFO*>(&info);
  info.cbSize = 3;
  EXPECT_FALSE(GetMonitorInfoA(monitor, base));
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoA(monitor, base));
  expect_rect(info.rcMonitor, 0, 0, 1920, 1080);
  expect_rect(info.rcWork, 0, 0, 1920, 1080);
  EXPECT_EQ(info.dwFlags, static_cast<DWORD>(MONITORINFOF_PRIMARY));
  EXPECT_STREQ(info.szDevice, "\\\\.\\DISPLAY1");
  DEVMODEA mode = {};
  ASSERT_TRUE(EnumDisplaySettingsA(info.szDevice, ENUM_CURRENT_SETTINGS, &mode));
  EXPECT_EQ((std::vector<DWORD>{mode.dmPelsWidth, mode.dmPelsHeight}), (std::vector<DWORD>{1920, 1080}));
  EXPECT_EQ(mode.dmBitsPerPel, 32u);
}

TEST_F(WindowStateTest, MovingAndSizingSendChangingChangedMoveAndSize) {
  const HWND hwnd = make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  pump();
  clear_log();
  SetWindowPos(hwnd, nullptr, 0, 20, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);  // down only
  static const std::vector<Expected> kMoveSize = {
      {WM_WINDOWPOSCHANGING, kSent},
      {WM_WINDOWPOSCHANGED, kSent},
      {WM_MOVE, kSent | kLparam, 0, MAKELPARAM(0, 20)},
      {WM_SIZE, kSent | kWparam | kLparam, SIZE_RESTORED, MAKELPARAM(200, 150)}};
  expect_sequence(kMoveSize, hwnd, "move and size");
  MoveWindow(hwnd, 0, 20, 200, 150, TRUE);  // same place: no WM_MOVE or WM_SIZE, but a repaint
  static const std::vector<Expected> kSame = {{WM_WINDOWPOSCHANGING, kSent}, {WM_WINDOWPOSCHANGED, kSent}};
  expect_sequence(kSame, hwnd, "unchanged");
  expect_rect(update_rect(hwnd), 0, 0, 200, 150);
  expect_rect(platform_test::headless_window_state(hwnd).client, 0, 20, 200, 170);

  // The window procedure can refuse part of a change in WM_WINDOWPOSCHANGING.
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                      if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(l)->flags |= SWP_NOSIZE;
                      return DefWindowProcW(h, m, w, l);
                    }));
  SetWindowPos(hwnd, nullptr, 5, 5, 300, 300, SWP_NOZORDER);
  RECT r;
  GetWindowRect(hwnd, &r);
  expect_rect(r, 5, 5, 205, 155);
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
  const std::vector<Expected> kFocus = {{WM_KILLFOCUS, kSent | kWparam, reinterpret_cast<WPARAM>(second)},
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
