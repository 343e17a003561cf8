// Events (auto and manual reset, named), waits with time-outs and re-entrant
// critical sections.
// Depends on: the kernel32 stand-in only.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/kernel32.h"

namespace {

// `count` threads that each wait for `event`, then count themselves in `woken`.
std::vector<std::thread> start_waiters(HANDLE event, std::atomic<int>* woken, int count) {
  std::vector<std::thread> threads;
  for (int i = 0; i < count; ++i) {
    threads.emplace_back([event, woken] {
      EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0);  // a fault fails, not hangs
      ++*woken;
    });
  }
  return threads;
}

void join(std::vector<std::thread>* threads) {
  for (std::thread& thread : *threads) thread.join();
}

TEST(Events, AutoResetReleasesOneWaitPerSetAndResets) {
  const HANDLE event = CreateEventW(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 15), WAIT_TIMEOUT);
  SetEvent(event);
  SetEvent(event);  // signals do not accumulate
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  std::atomic<int> woken{0};
  std::vector<std::thread> threads = start_waiters(event, &woken, 2);
  SetEvent(event);
  while (woken.load() == 0) Sleep(1);
  Sleep(20);
  EXPECT_EQ(woken.load(), 1);
  SetEvent(event);
  join(&threads);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  CloseHandle(event);
}

TEST(Events, ManualResetReleasesEveryWaiterAndStaysSet) {
  const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<int> woken{0};
  std::vector<std::thread> threads = start_waiters(event, &woken, 3);
  EXPECT_EQ(WaitForSingleObject(event, 5), WAIT_TIMEOUT);
  EXPECT_TRUE(SetEvent(event));
  join(&threads);
  EXPECT_EQ(woken.load(), 3);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);  // stays set
  CloseHandle(event);
}

TEST(Events, NamedEventIsSharedWhileAnyHandleRemains) {
  const wchar_t* name = L"quillfern-test-\u00fc-\u4e2d";
  HANDLE first = CreateEventW(nullptr, TRUE, FALSE, name);
  HANDLE second = CreateEventW(nullptr, FALSE, TRUE, name);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_NE(first, second);
  // The existing event keeps its own kind and state: manual reset, not signalled.
  EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_TIMEOUT);
  SetEvent(second);
  EXPECT_EQ(WaitForSingleObject(first, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(first, 0), WAIT_OBJECT_0);
  CloseHandle(first);
  HANDLE third = CreateEventW(nullptr, FALSE, FALSE, name);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CloseHandle(second);
  CloseHandle(third);
  // The name went with its last handle; "" names nothing.
  const HANDLE fresh = CreateEventW(nullptr, FALSE, FALSE, name);
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(WaitForSingleObject(fresh, 0), WAIT_TIMEOUT);
  const HANDLE unnamed[] = {CreateEventW(nullptr, TRUE, TRUE, L""), CreateEventW(nullptr, TRUE, FALSE, L"")};
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(WaitForSingleObject(unnamed[1], 0), WAIT_TIMEOUT);
  for (HANDLE h : {fresh, unnamed[0], unnamed[1]}) CloseHandle(h);
}

// Whether another thread could enter the section within 20 ms.
bool other_thread_enters(CRITICAL_SECTION* cs) {
  const HANDLE entered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread other([&] {
    EnterCriticalSection(cs);
    SetEvent(entered);
    LeaveCriticalSection(cs);
  });
  const bool result = WaitForSingleObject(entered, 20) == WAIT_OBJECT_0;
  if (!result) LeaveCriticalSection(cs);  // let it in and out, then take the section back
  other.join();
  if (!result) EnterCriticalSection(cs);
  CloseHandle(entered);
  return result;
}

// A section held by one thread keeps others out; with exclusion and
// re-entry pinned here, counting under it from several threads adds nothing.
TEST(CriticalSections, AreReentrantAndExcludeOtherThreads) {
  CRITICAL_SECTION cs;
  InitializeCriticalSection(&cs);
  EnterCriticalSection(&cs);
  EnterCriticalSection(&cs);  // re-entrant
  LeaveCriticalSection(&cs);
  EXPECT_FALSE(other_thread_enters(&cs));  // still held once
  LeaveCriticalSection(&cs);
  EXPECT_TRUE(other_thread_enters(&cs));
  DeleteCriticalSection(&cs);
}

}  // namespace
