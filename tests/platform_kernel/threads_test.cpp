// Threads: exit codes, suspended starts, ids, detaching by CloseHandle,
// stale handles and the per-thread last error.
#include <gtest/gtest.h>

#include <atomic>

#include "platform/kernel32.h"

namespace {

DWORD return_argument(LPVOID argument) { return static_cast<DWORD>(reinterpret_cast<uintptr_t>(argument)); }

struct Gate {
  HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<DWORD> seen_id{0};
  ~Gate() {
    CloseHandle(go);
    CloseHandle(done);
  }
};

// Records its thread id, waits for `go`, then signals `done`.
DWORD wait_for_gate(LPVOID argument) {
  auto* gate = static_cast<Gate*>(argument);
  gate->seen_id = GetCurrentThreadId();
  WaitForSingleObject(gate->go, INFINITE);
  SetEvent(gate->done);
  return 7;
}

TEST(Threads, RunningThreadIsStillActiveThenKeepsItsExitCode) {
  Gate gate;
  HANDLE thread = CreateThread(nullptr, 64 * 1024, wait_for_gate, &gate, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(WaitForSingleObject(thread, 10), WAIT_TIMEOUT);
  SetEvent(gate.go);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);  // stays signalled
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 7u);
  EXPECT_TRUE(CloseHandle(thread));
}

TEST(Threads, SuspendedThreadRunsOnlyAfterResumeWithASmallDistinctId) {
  const DWORD mine = GetCurrentThreadId();
  EXPECT_NE(mine, 0u);
  EXPECT_EQ(GetCurrentThreadId(), mine);
  Gate gate;
  SetEvent(gate.go);
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, wait_for_gate, &gate, CREATE_SUSPENDED, &id);
  EXPECT_EQ(WaitForSingleObject(gate.done, 20), WAIT_TIMEOUT);
  EXPECT_EQ(gate.seen_id.load(), 0u);
  EXPECT_EQ(ResumeThread(thread), 1u);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(gate.seen_id.load(), id);
  EXPECT_NE(id, mine);
  EXPECT_LT(id, 1000000u);
  EXPECT_EQ(ResumeThread(thread), 0u);
  CloseHandle(thread);
}

TEST(Threads, ClosingTheHandleOfARunningThreadDetachesIt) {
  Gate gate;
  EXPECT_TRUE(CloseHandle(CreateThread(nullptr, 0, wait_for_gate, &gate, 0, nullptr)));
  SetEvent(gate.go);
  EXPECT_EQ(WaitForSingleObject(gate.done, INFINITE), WAIT_OBJECT_0);
}

TEST(Threads, StaleAndWrongHandlesFailCleanly) {
  HANDLE thread = CreateThread(nullptr, 0, return_argument, reinterpret_cast<LPVOID>(uintptr_t{42}), 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
  CloseHandle(thread);

  SetLastError(0);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CloseHandle(thread));
  EXPECT_FALSE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(ResumeThread(thread), static_cast<DWORD>(-1));
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  EXPECT_EQ(ResumeThread(event), static_cast<DWORD>(-1));
  EXPECT_FALSE(GetExitCodeThread(event, &code));
  CloseHandle(event);
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}

TEST(Threads, LastErrorIsPerThread) {
  SetLastError(1234);
  HANDLE thread = CreateThread(
      nullptr, 0, [](LPVOID) -> DWORD {
        const DWORD inherited = GetLastError();
        SetLastError(99);
        return inherited;
      },
      nullptr, 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  DWORD code = 1;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(GetLastError(), 1234u);
  CloseHandle(thread);
}

}  // namespace
