// SIGINT closes the program's windows through their message queues.
// Depends on: wm_test_support. Sends the signal to this process itself.
#include <signal.h>

#include "wm_test_support.h"

namespace wm_test {
namespace {

using SignalsTest = WmTest;

TEST_F(SignalsTest, SigintPostsWmCloseToTopLevelWindows) {
  platform::wm::install_close_on_signals();
  platform::wm::install_close_on_signals();  // a second call changes nothing
  const HWND hwnd = make(WS_POPUP, 0, 0, 10, 10);
  const HWND child = make(WS_CHILD, 0, 0, 5, 5, hwnd);
  ASSERT_EQ(raise(SIGINT), 0);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, hwnd, WM_CLOSE, WM_CLOSE), TRUE);
  EXPECT_EQ(msg.hwnd, hwnd);  // the child gets no WM_CLOSE of its own
  DispatchMessageW(&msg);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(IsWindow(child));
  struct sigaction action = {};
  sigaction(SIGPIPE, nullptr, &action);
  EXPECT_EQ(action.sa_handler, SIG_IGN);
}

}  // namespace
}  // namespace wm_test
