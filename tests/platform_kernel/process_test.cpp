// The process: its instance handle and ExitProcess (exit status, flushed
// output, no exit handlers), the clocks (the 32-bit tick count wraps, moved
// near the wrap through the test seam) and global memory blocks.
// Depends on: the kernel32 stand-in, fork for the exit test.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/kernel32.h"
#include "platform/test_seams.h"

namespace {

TEST(Module, ProgramHandleIsStableAndOtherNamesAreUnknown) {
  EXPECT_NE(GetModuleHandleW(nullptr), nullptr);
  EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleW(nullptr));
  EXPECT_EQ(GetModuleHandleA("msimg32.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleW(L"quillfern.exe"), nullptr);
  EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(getpid()));
}

// A child whose stdout is a fully buffered pipe prints, registers an exit
// handler and calls ExitProcess: the output arrives, the handler never runs,
// and the status is the low byte of the code.
TEST(ExitProcessCall, FlushesOutputRunsNoExitHandlersAndKeepsTheLowByte) {
  int pipe_ends[2];
  ASSERT_EQ(pipe(pipe_ends), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipe_ends[1], STDOUT_FILENO);
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    std::setvbuf(stdout, nullptr, _IOFBF, 4096);
    std::atexit([] { std::fputs("exit handler", stdout); });
    std::fputs("buffered", stdout);
    ExitProcess(0x12F5);
    _exit(99);
  }
  close(pipe_ends[1]);
  std::string output;
  char chunk[256];
  for (ssize_t n; (n = read(pipe_ends[0], chunk, sizeof chunk)) > 0;) output.append(chunk, static_cast<size_t>(n));
  close(pipe_ends[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_EQ(output, "buffered");
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0xF5);
}

TEST(Clocks, TheTickCountWrapsAndThePerformanceCounterCountsNanoseconds) {
  LARGE_INTEGER frequency, first, second;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(frequency.QuadPart, 1000000000LL);
  EXPECT_FALSE(QueryPerformanceCounter(nullptr) || QueryPerformanceFrequency(nullptr));
  const DWORD saved = GetTickCount();
  platform_test::set_tick_count(0xFFFFFF00u);
  const DWORD before = GetTickCount();
  ASSERT_TRUE(QueryPerformanceCounter(&first));
  EXPECT_GE(before, 0xFFFFFF00u);
  Sleep(300);
  const DWORD after = GetTickCount();
  ASSERT_TRUE(QueryPerformanceCounter(&second));
  EXPECT_LT(after, before);                             // wrapped past zero
  EXPECT_GE(static_cast<DWORD>(after - before), 299u);  // the unsigned difference still counts forward
  EXPECT_GE(second.QuadPart - first.QuadPart, 300000000LL);
  EXPECT_LT(second.QuadPart - first.QuadPart, 60000000000LL);
  platform_test::set_tick_count(saved + 300);
}

bool all_zero(const void* memory, size_t bytes) {
  const auto* p = static_cast<const unsigned char*>(memory);
  return std::all_of(p, p + bytes, [](unsigned char c) { return c == 0; });
}

// Fixed blocks are their memory and move only when allowed; moveable ones
// lock to a stable pointer, keep a lock count and grow with their contents.
TEST(GlobalMemory, FixedAndMoveableBlocksLockGrowAndFree) {
  HGLOBAL fixed = GlobalAlloc(GPTR, 100);
  EXPECT_EQ(GlobalLock(fixed), fixed);
  EXPECT_TRUE(all_zero(fixed, 100));
  EXPECT_FALSE(GlobalUnlock(fixed));
  EXPECT_EQ(GlobalReAlloc(fixed, 1 << 20, 0), nullptr);
  HGLOBAL moved = GlobalReAlloc(fixed, 1 << 20, GMEM_MOVEABLE);
  EXPECT_EQ(GlobalSize(moved), size_t{1} << 20);
  EXPECT_EQ(GlobalFree(moved), nullptr);

  HGLOBAL block = GlobalAlloc(GHND, 4);
  void* first = GlobalLock(block);
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first, block);
  EXPECT_TRUE(all_zero(first, 4));
  std::memcpy(first, "abcd", 4);
  EXPECT_EQ(GlobalLock(block), first);
  EXPECT_TRUE(GlobalUnlock(block));  // still locked once
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  EXPECT_EQ(GlobalReAlloc(block, 4096, GMEM_MOVEABLE | GMEM_ZEROINIT), block);
  EXPECT_EQ(GlobalSize(block), 4096u);
  const char* memory = static_cast<const char*>(GlobalLock(block));
  EXPECT_EQ(std::memcmp(memory, "abcd", 4), 0);
  EXPECT_TRUE(all_zero(memory + 4, 4092));
  EXPECT_EQ(GlobalFree(block), nullptr);
  // Freed and unknown handles fail cleanly.
  EXPECT_EQ(GlobalLock(block), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GlobalSize(block), 0u);
  EXPECT_EQ(GlobalFree(block), block);
  int not_a_block = 0;
  EXPECT_EQ(GlobalLock(&not_a_block), nullptr);
}

}  // namespace
