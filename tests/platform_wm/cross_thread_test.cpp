// Sends between threads: the sender waits for the owner's answer, runs
// messages sent to its own thread meanwhile, and never waits for a window
// that is gone or a thread that ended. Depends on: wm_test_support.
#include <atomic>
#include <thread>

#include "wm_test_support.h"

namespace wm_test {
namespace {

using CrossThreadTest = WmTest;

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
