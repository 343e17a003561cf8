// Posted and sent messages, filters, WM_QUIT and thread messages; sends
// between threads: the sender waits for the owner's answer, runs messages
// sent to its own thread meanwhile, and never waits for a window that is gone
// or a thread that ended. Depends on: wm_test_support.
#include <atomic>
#include <thread>

#include "wm_test_support.h"

namespace wm_test {
namespace {

using MessagesTest = WmTest;
using CrossThreadTest = WmTest;

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
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));  // left until removed
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  DestroyWindow(hwnd);  // a missing window fails both ways
  EXPECT_EQ(GetMessageW(&msg, hwnd, 0, 0), -1);
  EXPECT_EQ(GetLastError(), 1400u);
  EXPECT_FALSE(PostMessageW(hwnd, WM_USER, 0, 0));
}

std::atomic<DWORD> answering_thread{0};
HWND main_window = nullptr;

LRESULT CALLBACK answering_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_USER) {
    answering_thread = GetCurrentThreadId();
    return static_cast<LRESULT>(wparam * 2);
  }
  if (message == WM_USER + 1) {
    // Sends back to the main thread's window while the main thread waits for this answer.
    return SendMessageW(main_window, WM_USER + 2, 0, 0) + 1;
  }
  if (message == WM_USER + 2) return 10;
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

HWND make_answering() {
  EXPECT_TRUE(register_once(L"WmAnswering", answering_proc));
  return CreateWindowExW(0, L"WmAnswering", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(CrossThreadTest, TheOwnerAnswersAndAWaitingSenderRunsMessagesSentToItsOwnThread) {
  main_window = make_answering();
  std::atomic<HWND> worker_window{nullptr};
  std::atomic<DWORD> worker_id{0};
  std::thread worker([&] {
    worker_id = GetCurrentThreadId();
    worker_window = make_answering();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  });
  while (worker_window.load() == nullptr) std::this_thread::yield();
  EXPECT_EQ(SendMessageW(worker_window, WM_USER, 21, 0), 42);
  EXPECT_EQ(answering_thread.load(), worker_id.load());
  EXPECT_EQ(SendMessageW(worker_window, WM_USER + 1, 0, 0), 11);
  PostMessageW(worker_window, WM_CLOSE, 0, 0);  // DefWindowProc destroys; WM_DESTROY ends the loop
  worker.join();
  EXPECT_FALSE(IsWindow(worker_window));
  DestroyWindow(main_window);
  pump();
}

TEST_F(CrossThreadTest, WindowsDieWithTheirThreadAndWaitingSendersGetZero) {
  const HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<HWND> orphan{nullptr};
  std::thread owner([&] {
    orphan = make_answering();
    WaitForSingleObject(go, INFINITE);  // never pumps its queue
  });
  while (orphan.load() == nullptr) std::this_thread::yield();
  std::thread releaser([&] {
    Sleep(50);
    SetEvent(go);
  });
  // Queued and then failed by the thread's end: 0.
  EXPECT_EQ(SendMessageW(orphan, WM_USER, 5, 0), 0);
  owner.join();
  releaser.join();
  EXPECT_FALSE(IsWindow(orphan));
  EXPECT_EQ(SendMessageW(orphan, WM_USER, 5, 0), 0);  // sent after the window went: 0 at once
  CloseHandle(go);
}

}  // namespace
}  // namespace wm_test
