// Threads: waits for a thread's end, suspended starts, ids, detaching by
// CloseHandle, stale handles and the per-thread last error.
// Depends on: the kernel32 stand-in only.
#include <gtest/gtest.h>

#include <atomic>

#include "platform/kernel32.h"

namespace {

struct Gate {
  HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<DWORD> seen_id{0};
  std::atomic<DWORD> last_error{1};
  ~Gate() {
    CloseHandle(go);
    CloseHandle(done);
  }
};

// Records its thread id and the last error it starts with, waits for `go`, then signals `done`.
DWORD wait_for_gate(LPVOID argument) {
  auto* gate = static_cast<Gate*>(argument);
  gate->seen_id = GetCurrentThreadId();
  gate->last_error = GetLastError();
  SetLastError(99);
  WaitForSingleObject(gate->go, INFINITE);
  SetEvent(gate->done);
  return 7;
}

TEST(Threads, AThreadIsSignalledOnceItEndsWithItsOwnLastError) {
  Gate gate;
  SetLastError(1234);
  HANDLE thread = CreateThread(nullptr, 64 * 1024, wait_for_gate, &gate, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, 10), WAIT_TIMEOUT);
  SetEvent(gate.go);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);  // stays signalled
  EXPECT_EQ(gate.last_error.load(), 0u);                      // a new thread starts with none
  EXPECT_EQ(GetLastError(), 1234u);                           // and its own does not leak out
  EXPECT_TRUE(CloseHandle(thread));
  // Stale and wrong handles fail cleanly (INVALID_HANDLE_VALUE is no handle to wait for).
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, INFINITE), WAIT_FAILED);
  EXPECT_FALSE(CloseHandle(thread));
  SetLastError(0);
  EXPECT_FALSE(SetEvent(thread));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(ResumeThread(thread), static_cast<DWORD>(-1));
  EXPECT_EQ(ResumeThread(gate.go), static_cast<DWORD>(-1));  // an event is no thread
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}

TEST(Threads, SuspendedThreadRunsOnlyAfterResumeWithASmallDistinctId) {
  Gate gate;
  SetEvent(gate.go);
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, wait_for_gate, &gate, CREATE_SUSPENDED, &id);
  EXPECT_EQ(WaitForSingleObject(gate.done, 20), WAIT_TIMEOUT);
  EXPECT_EQ(ResumeThread(thread), 1u);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(gate.seen_id.load(), id);
  EXPECT_NE(id, GetCurrentThreadId());
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

}  // namespace
