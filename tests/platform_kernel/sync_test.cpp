// Events (auto and manual reset, named), waits with time-outs and re-entrant
// critical sections.
// Depends on: the kernel32 stand-in only.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/kernel32.h"

namespace {

struct Waiter {
  HANDLE event;
  std::atomic<int> woken{0};
};

// Starts `count` threads that each wait for the event, then count themselves.
std::vector<HANDLE> start_waiters(Waiter* waiter, int count) {
  std::vector<HANDLE> threads;
  for (int i = 0; i < count; ++i) {
    threads.push_back(CreateThread(
        nullptr, 0,
        [](LPVOID argument) -> DWORD {
          auto* w = static_cast<Waiter*>(argument);
          WaitForSingleObject(w->event, INFINITE);
          ++w->woken;
          return 0;
        },
        waiter, 0, nullptr));
  }
  return threads;
}

void join(const std::vector<HANDLE>& threads) {
  for (HANDLE thread : threads) {
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    CloseHandle(thread);
  }
}

TEST(Events, AutoResetReleasesOneWaitPerSetAndResets) {
  Waiter waiter{CreateEventW(nullptr, FALSE, TRUE, nullptr)};
  EXPECT_EQ(WaitForSingleObject(waiter.event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(waiter.event, 15), WAIT_TIMEOUT);
  const std::vector<HANDLE> threads = start_waiters(&waiter, 2);
  SetEvent(waiter.event);
  SetEvent(waiter.event);  // signals do not accumulate
  while (waiter.woken.load() == 0) Sleep(1);
  Sleep(20);
  EXPECT_EQ(waiter.woken.load(), 1);
  SetEvent(waiter.event);
  join(threads);
  EXPECT_EQ(waiter.woken.load(), 2);
  EXPECT_EQ(WaitForSingleObject(waiter.event, 0), WAIT_TIMEOUT);
  CloseHandle(waiter.event);
}

TEST(Events, ManualResetReleasesEveryWaiterAndStaysSet) {
  Waiter waiter{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  const std::vector<HANDLE> threads = start_waiters(&waiter, 3);
  EXPECT_EQ(WaitForSingleObject(waiter.event, 5), WAIT_TIMEOUT);
  EXPECT_TRUE(SetEvent(waiter.event));
  join(threads);
  EXPECT_EQ(waiter.woken.load(), 3);
  EXPECT_EQ(WaitForSingleObject(waiter.event, 0), WAIT_OBJECT_0);  // stays set
  CloseHandle(waiter.event);
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
  for (HANDLE fresh : {CreateEventW(nullptr, FALSE, FALSE, name),
                       CreateEventW(nullptr, TRUE, FALSE, L"")}) {  // the name is gone; "" is unnamed
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(WaitForSingleObject(fresh, 0), WAIT_TIMEOUT);
    CloseHandle(fresh);
  }
}

TEST(Events, InvalidHandlesFail) {
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, INFINITE), WAIT_FAILED);
  EXPECT_FALSE(SetEvent(nullptr));
  EXPECT_FALSE(SetEvent(reinterpret_cast<HANDLE>(uintptr_t{0x7ffffff0})));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CloseHandle(nullptr));
}

// Whether another thread could enter the section within 20 ms.
bool other_thread_enters(CRITICAL_SECTION* cs) {
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID argument) -> DWORD {
        auto* section = static_cast<CRITICAL_SECTION*>(argument);
        EnterCriticalSection(section);
        LeaveCriticalSection(section);
        return 0;
      },
      cs, 0, nullptr);
  const bool entered = WaitForSingleObject(thread, 20) == WAIT_OBJECT_0;
  if (!entered) LeaveCriticalSection(cs);  // let it in and out, then take the section back
  WaitForSingleObject(thread, INFINITE);
  if (!entered) EnterCriticalSection(cs);
  CloseHandle(thread);
  return entered;
}

struct Shared {
  CRITICAL_SECTION cs;
  long counter = 0;
};

TEST(CriticalSections, AreReentrantAndExcludeOtherThreadsWithExactCounts) {
  Shared shared;
  InitializeCriticalSection(&shared.cs);
  EnterCriticalSection(&shared.cs);
  EnterCriticalSection(&shared.cs);  // re-entrant
  LeaveCriticalSection(&shared.cs);
  EXPECT_FALSE(other_thread_enters(&shared.cs));  // still held once
  LeaveCriticalSection(&shared.cs);
  EXPECT_TRUE(other_thread_enters(&shared.cs));

  std::vector<HANDLE> threads;
  for (int i = 0; i < 4; ++i) {
    threads.push_back(CreateThread(
        nullptr, 0,
        [](LPVOID argument) -> DWORD {
          auto* s = static_cast<Shared*>(argument);
          for (int n = 0; n < 5000; ++n) {
            EnterCriticalSection(&s->cs);
            EnterCriticalSection(&s->cs);
            ++s->counter;
            LeaveCriticalSection(&s->cs);
            ++s->counter;
            LeaveCriticalSection(&s->cs);
          }
          return 0;
        },
        &shared, 0, nullptr));
  }
  join(threads);
  EXPECT_EQ(shared.counter, 4 * 5000 * 2);
  DeleteCriticalSection(&shared.cs);
}

}  // namespace
