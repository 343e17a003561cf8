// Posted and sent messages, filters, WM_QUIT and thread messages.
// Depends on: wm_test_support.
#include "wm_test_support.h"

namespace wm_test {
namespace {

using MessagesTest = WmTest;

TEST_F(MessagesTest, SentMessagesRunAtOncePostedOnesInOrderWhenPumped) {
  const HWND hwnd = make(WS_POPUP, 0, 0, 10, 10);
  clear_log();
  PostMessageW(hwnd, WM_USER + 1, 1, 0);
  PostMessageW(hwnd, WM_USER + 2, 2, 0);
  SendMessageW(hwnd, WM_USER + 3, 3, 0);
  pump();
  static const std::vector<Expected> kOrder = {
      {WM_USER + 3, kSent | kWparam, 3}, {WM_USER + 1, kPosted | kWparam, 1}, {WM_USER + 2, kPosted | kWparam, 2}};
  expect_sequence(kOrder, hwnd, "order");
}

TEST_F(MessagesTest, PeekHonoursRemoveFlagRangesAndThreadMessages) {
  const HWND hwnd = make(WS_POPUP, 0, 0, 10, 10);
  PostMessageW(hwnd, WM_USER + 1, 0, 0);
  PostMessageW(hwnd, WM_USER + 5, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, hwnd, WM_USER + 5, WM_USER + 5, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 5));
  ASSERT_TRUE(PeekMessageW(&msg, hwnd, WM_USER + 5, WM_USER + 9, PM_REMOVE));
  EXPECT_FALSE(PeekMessageW(&msg, hwnd, WM_USER + 5, WM_USER + 9, PM_REMOVE));
  EXPECT_FALSE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE));  // no thread messages
  ASSERT_TRUE(PostMessageW(nullptr, WM_APP, 9, 10));  // to the calling thread
  ASSERT_EQ(GetMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0), TRUE);
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.lParam, 10);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  EXPECT_EQ(msg.hwnd, hwnd);
}

TEST_F(MessagesTest, QuitComesAfterPostedMessagesAndEndsGetMessage) {
  const HWND hwnd = make(WS_POPUP, 0, 0, 10, 10);
  PostQuitMessage(7);
  PostMessageW(hwnd, WM_USER, 0, 0);
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  DestroyWindow(hwnd);  // a missing window fails both ways
  EXPECT_EQ(GetMessageW(&msg, hwnd, 0, 0), -1);
  EXPECT_EQ(GetLastError(), 1400u);
  EXPECT_FALSE(PostMessageW(hwnd, WM_USER, 0, 0));
}

}  // namespace
}  // namespace wm_test
