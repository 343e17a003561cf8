// WM_TIMER and WM_PAINT are made only when nothing else waits, paint before
// timers; timers are coalesced and die with their window; update regions.
// Depends on: wm_test_support.
#include <atomic>
#include <thread>

#include "wm_test_support.h"

namespace wm_test {
namespace {

using TimersTest = WmTest;
using PaintTest = WmTest;

std::vector<UINT> drain(HWND hwnd) {
  std::vector<UINT> seen;
  MSG msg;
  while (PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE)) {
    seen.push_back(msg.message);
    DispatchMessageW(&msg);
  }
  return seen;
}

TEST_F(TimersTest, TimerMessagesComeLastCoalesceAndAreReplacedByTheSameId) {
  const HWND hwnd = make(WS_POPUP, 0, 0, 10, 10);
  ASSERT_EQ(SetTimer(hwnd, 1, 100, nullptr), 1u);
  Sleep(350);  // three intervals pass: still a single WM_TIMER
  PostMessageW(hwnd, WM_USER, 0, 0);
  EXPECT_EQ(drain(hwnd), (std::vector<UINT>{WM_USER, WM_TIMER}));
  EXPECT_TRUE(KillTimer(hwnd, 1));
  EXPECT_FALSE(KillTimer(hwnd, 1));
  SetTimer(hwnd, 7, 10, nullptr);
  SetTimer(hwnd, 7, 60000, nullptr);
  Sleep(40);
  EXPECT_TRUE(drain(hwnd).empty());
  const HWND other = make(WS_POPUP, 0, 0, 10, 10);  // the same id on another window is another timer
  SetTimer(hwnd, 7, 10, nullptr);
  SetTimer(other, 7, 60000, nullptr);
  Sleep(40);
  EXPECT_EQ(drain(hwnd), (std::vector<UINT>{WM_TIMER}));
  KillTimer(hwnd, 7);
  KillTimer(other, 7);
}

TEST_F(TimersTest, OnlyTheOwnerStartsATimerButAnyThreadStopsIt) {
  const HWND hwnd = make(WS_POPUP, 0, 0, 10, 10);
  ASSERT_EQ(SetTimer(hwnd, 3, 10, nullptr), 3u);
  UINT_PTR started = 1;
  BOOL stopped = FALSE;
  DWORD start_error = 0;
  std::thread other([&] {
    started = SetTimer(hwnd, 4, 10, nullptr);
    start_error = GetLastError();
    stopped = KillTimer(hwnd, 3);
  });
  other.join();
  EXPECT_EQ(started, 0u);
  EXPECT_EQ(start_error, DWORD(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(stopped);
  Sleep(30);
  EXPECT_TRUE(drain(hwnd).empty());
}

std::atomic<UINT_PTR> fired_id{0};
std::atomic<HWND> fired_window{nullptr};

void CALLBACK on_timer(HWND hwnd, UINT message, UINT_PTR id, DWORD) {
  if (message == WM_TIMER) {
    fired_id = id;
    fired_window = hwnd;
  }
}

TEST_F(TimersTest, DispatchCallsTheTimerProcedureAndTimersDieWithTheirWindow) {
  const HWND hwnd = make(WS_POPUP, 0, 0, 10, 10);
  clear_log();
  SetTimer(hwnd, 2, 10, on_timer);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, hwnd, WM_TIMER, WM_TIMER), TRUE);
  DispatchMessageW(&msg);
  EXPECT_EQ(fired_id.load(), 2u);
  EXPECT_EQ(fired_window.load(), hwnd);
  expect_sequence({}, hwnd, "the procedure, not the window, gets the tick");
  KillTimer(hwnd, 2);

  const UINT_PTR thread_timer = SetTimer(nullptr, 0, 10, on_timer);
  ASSERT_EQ(GetMessageW(&msg, reinterpret_cast<HWND>(-1), WM_TIMER, WM_TIMER), TRUE);
  DispatchMessageW(&msg);
  EXPECT_EQ(fired_id.load(), thread_timer);
  EXPECT_EQ(fired_window.load(), nullptr);
  EXPECT_TRUE(KillTimer(nullptr, thread_timer));

  // Timers die with their window.
  SetTimer(hwnd, 3, 10, nullptr);
  DestroyWindow(hwnd);
  Sleep(30);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(PaintTest, ShowingInvalidatesAndPaintWaitsForPostedMessagesButNotTimers) {
  const HWND hwnd = make(WS_POPUP, 0, 0, 30, 20);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, hwnd, WM_PAINT, WM_PAINT, PM_NOREMOVE));  // hidden and never shown
  ShowWindow(hwnd, SW_SHOWNA);
  SetTimer(hwnd, 1, 10, nullptr);
  Sleep(20);
  PostMessageW(hwnd, WM_USER, 0, 0);
  ASSERT_TRUE(PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  ASSERT_TRUE(PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
  ASSERT_TRUE(PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));  // not removed until validated
  expect_rect(update_rect(hwnd), 0, 0, 30, 20);  // showing invalidated the whole client area
  ASSERT_TRUE(PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  KillTimer(hwnd, 1);
}

TEST_F(PaintTest, UpdateRegionGrowsAndShrinks) {
  const HWND hwnd = make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  ValidateRect(hwnd, nullptr);
  RECT a = {10, 10, 20, 20};
  RECT b = {50, 60, 200, 70};  // clipped to the client area
  InvalidateRect(hwnd, &a, FALSE);
  InvalidateRect(hwnd, &b, FALSE);
  expect_rect(update_rect(hwnd), 10, 10, 100, 70);
  InvalidateRect(hwnd, &a, FALSE);
  InvalidateRect(hwnd, &b, FALSE);
  RECT top_half = {0, 0, 100, 40};
  ValidateRect(hwnd, &top_half);
  expect_rect(update_rect(hwnd), 10, 40, 100, 70);
}

TEST_F(PaintTest, DefaultPaintValidatesUpdateWindowSendsOnlyWhenNeededAndEnlargingInvalidates) {
  const HWND hwnd = make(WS_POPUP | WS_VISIBLE, 0, 0, 40, 40);
  pump();  // DefWindowProc's WM_PAINT validates: the loop ends
  clear_log();
  UpdateWindow(hwnd);
  expect_sequence({}, hwnd, "nothing to paint");
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
  expect_sequence({{WM_PAINT, kSent}}, hwnd, "update");
  SetWindowPos(hwnd, nullptr, 0, 0, 20, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  expect_rect(update_rect(hwnd), 0, 0, 0, 0);  // shrinking does not invalidate
  SetWindowPos(hwnd, nullptr, 0, 0, 20, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  expect_rect(update_rect(hwnd), 0, 0, 20, 30);  // taller only: still the whole client area
}

}  // namespace
}  // namespace wm_test
