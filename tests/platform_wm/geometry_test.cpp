// Window and client rectangles, coordinate conversions, metrics and the
// monitor. Depends on: wm_test_support (the headless 1920x1080 screen).
#include <utility>

#include "wm_test_support.h"

namespace wm_test {
namespace {

using GeometryTest = WmTest;

void expect_point(const POINT& p, LONG x, LONG y) {
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
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

TEST_F(GeometryTest, CaptionedWindowsGrowByTheFramePopupsDoNot) {
  RECT r = {0, 0, 640, 480};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
  expect_rect(r, -4, -27, 644, 484);
  r = RECT{0, 0, 640, 480};
  AdjustWindowRectEx(&r, WS_POPUP, FALSE, WS_EX_TOPMOST);
  expect_rect(r, 0, 0, 640, 480);

  const HWND framed = make(WS_OVERLAPPEDWINDOW, 100, 50, 400, 300);
  GetWindowRect(framed, &r);
  expect_rect(r, 100, 50, 500, 350);
  GetClientRect(framed, &r);
  expect_rect(r, 0, 0, 392, 269);
  POINT p = {104, 77};
  ScreenToClient(framed, &p);
  expect_point(p, 0, 0);

  const HWND popup = make(WS_POPUP, 10, 20, 30, 40);
  GetClientRect(popup, &r);
  expect_rect(r, 0, 0, 30, 40);
  GetWindowRect(popup, &r);
  expect_rect(r, 10, 20, 40, 60);
}

TEST_F(GeometryTest, ChildrenSitInTheirParentsClientArea) {
  const HWND parent = make(WS_OVERLAPPEDWINDOW, 100, 50, 400, 300);
  const HWND child = make(WS_CHILD | WS_VISIBLE, 10, 20, 50, 60, parent);
  RECT r;
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

}  // namespace
}  // namespace wm_test
