// Events (auto and manual reset, named), waits with time-outs and re-entrant
// critical sections.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/kernel32.h"

namespace {

struct Waiter {
  HANDLE event;
  std::atomic<int>* woken;
};

DWORD wait_then_count(LPVOID argument) {
  auto* waiter = static_cast<Waiter*>(argument);
  WaitForSingleObject(waiter->event, INFINITE);
  ++*waiter->woken;
  return 0;
}

std::vector<HANDLE> start_waiters(Waiter* waiter, int count) {
  std::vector<HANDLE> threads;
  for (int i = 0; i < count; ++i) threads.push_back(CreateThread(nullptr, 0, wait_then_count, waiter, 0, nullptr));
  return threads;
}

void join(const std::vector<HANDLE>& threads) {
  for (HANDLE thread : threads) {
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    CloseHandle(thread);
  }
}

TEST(Events, AutoResetReleasesOneWaitAndResets) {
  HANDLE event = CreateEventW(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(event, 15), WAIT_TIMEOUT);
  SetEvent(event);
  SetEvent(event);  // signals do not accumulate
  EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  CloseHandle(event);
}

TEST(Events, AutoResetWakesOneBlockedThreadPerSet) {
  std::atomic<int> woken{0};
  Waiter waiter{CreateEventW(nullptr, FALSE, FALSE, nullptr), &woken};
  const std::vector<HANDLE> threads = start_waiters(&waiter, 2);
  SetEvent(waiter.event);
  while (woken.load() == 0) Sleep(1);
  Sleep(20);
  EXPECT_EQ(woken.load(), 1);
  SetEvent(waiter.event);
  join(threads);
  EXPECT_EQ(woken.load(), 2);
  EXPECT_EQ(WaitForSingleObject(waiter.event, 0), WAIT_TIMEOUT);
  CloseHandle(waiter.event);
}

TEST(Events, ManualResetReleasesEveryWaiterUntilReset) {
  std::atomic<int> woken{0};
  Waiter waiter{CreateEventW(nullptr, TRUE, FALSE, nullptr), &woken};
  const std::vector<HANDLE> threads = start_waiters(&waiter, 3);
  EXPECT_EQ(WaitForSingleObject(waiter.event, 5), WAIT_TIMEOUT);
  EXPECT_TRUE(SetEvent(waiter.event));
  join(threads);
  EXPECT_EQ(woken.load(), 3);
  EXPECT_EQ(WaitForSingleObject(waiter.event, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ResetEvent(waiter.event));
  EXPECT_EQ(WaitForSingleObject(waiter.event, 0), WAIT_TIMEOUT);
  CloseHandle(waiter.event);
}

TEST(Events, NamedEventIsSharedWhileAnyHandleRemains) {
  SetLastError(77);
  HANDLE first = CreateEventW(nullptr, TRUE, FALSE, L"quillfern-test-shared");
  EXPECT_EQ(GetLastError(), 0u);
  HANDLE second = CreateEventW(nullptr, FALSE, TRUE, L"quillfern-test-shared");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  // The existing event keeps its own kind and state: manual reset, not signalled.
  EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_TIMEOUT);
  SetEvent(second);
  EXPECT_EQ(WaitForSingleObject(first, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(first, 0), WAIT_OBJECT_0);

  CloseHandle(first);
  HANDLE third = CreateEventA(nullptr, FALSE, FALSE, "quillfern-test-shared");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CloseHandle(second);
  CloseHandle(third);

  HANDLE fresh = CreateEventW(nullptr, FALSE, FALSE, L"quillfern-test-shared");
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(WaitForSingleObject(fresh, 0), WAIT_TIMEOUT);
  CloseHandle(fresh);
}

TEST(Events, NarrowAndWideNamesMeetInUtf8) {
  HANDLE wide = CreateEventW(nullptr, TRUE, FALSE, L"quillfern-\u00fc-\u4e2d");
  HANDLE narrow = CreateEventA(nullptr, TRUE, FALSE, "quillfern-\xc3\xbc-\xe4\xb8\xad");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  SetEvent(narrow);
  EXPECT_EQ(WaitForSingleObject(wide, 0), WAIT_OBJECT_0);
  HANDLE unnamed = CreateEventA(nullptr, TRUE, FALSE, "");
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(WaitForSingleObject(unnamed, 0), WAIT_TIMEOUT);
  CloseHandle(wide);
  CloseHandle(narrow);
  CloseHandle(unnamed);
}

TEST(Events, InvalidHandlesFail) {
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, INFINITE), WAIT_FAILED);
  EXPECT_FALSE(SetEvent(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(ResetEvent(reinterpret_cast<HANDLE>(uintptr_t{0x7ffffff0})));
  EXPECT_FALSE(CloseHandle(nullptr));
}

struct Shared {
  CRITICAL_SECTION cs;
  long counter = 0;
};

DWORD add_nested(LPVOID argument) {
  auto* shared = static_cast<Shared*>(argument);
  for (int i = 0; i < 5000; ++i) {
    EnterCriticalSection(&shared->cs);
    EnterCriticalSection(&shared->cs);
    ++shared->counter;
    LeaveCriticalSection(&shared->cs);
    ++shared->counter;
    LeaveCriticalSection(&shared->cs);
  }
  return 0;
}

DWORD try_enter(LPVOID argument) {
  auto* cs = static_cast<CRITICAL_SECTION*>(argument);
  if (!TryEnterCriticalSection(cs)) return 0;
  LeaveCriticalSection(cs);
  return 1;
}

DWORD run_try_enter(CRITICAL_SECTION* cs) {
  HANDLE thread = CreateThread(nullptr, 0, try_enter, cs, 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  DWORD entered = 0;
  GetExitCodeThread(thread, &entered);
  CloseHandle(thread);
  return entered;
}

TEST(CriticalSections, AreReentrantAndExcludeOtherThreads) {
  CRITICAL_SECTION cs;
  InitializeCriticalSection(&cs);
  EnterCriticalSection(&cs);
  EXPECT_TRUE(TryEnterCriticalSection(&cs));
  EXPECT_EQ(run_try_enter(&cs), 0u);
  LeaveCriticalSection(&cs);
  EXPECT_EQ(run_try_enter(&cs), 0u);  // still held once
  LeaveCriticalSection(&cs);
  EXPECT_EQ(run_try_enter(&cs), 1u);
  DeleteCriticalSection(&cs);
}

TEST(CriticalSections, NestedEntriesKeepCountsExactAcrossThreads) {
  Shared shared;
  InitializeCriticalSection(&shared.cs);
  std::vector<HANDLE> threads;
  for (int i = 0; i < 4; ++i) threads.push_back(CreateThread(nullptr, 0, add_nested, &shared, 0, nullptr));
  for (HANDLE thread : threads) {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
  EXPECT_EQ(shared.counter, 4 * 5000 * 2);
  DeleteCriticalSection(&shared.cs);
}

}  // namespace
