// The program's instance handle and ExitProcess: exit status, flushed output
// and no exit handlers.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/kernel32.h"

namespace {

TEST(Module, ProgramHandleIsStableAndOtherNamesAreUnknown) {
  const HMODULE program = GetModuleHandleW(nullptr);
  EXPECT_NE(program, nullptr);
  EXPECT_EQ(GetModuleHandleW(nullptr), program);
  EXPECT_EQ(GetModuleHandleA(nullptr), program);
  EXPECT_EQ(GetModuleHandleA("msimg32.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleW(L"quillfern.exe"), nullptr);
  EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(getpid()));
}

TEST(ExitProcessDeathTest, StatusIsTheLowByteOfTheCode) {
  EXPECT_EXIT(ExitProcess(static_cast<UINT>(-11)), ::testing::ExitedWithCode(245), "");
  EXPECT_EXIT(ExitProcess(0x1234), ::testing::ExitedWithCode(0x34), "");
}

// Runs `child` in a forked process whose stdout is a fully buffered pipe;
// returns what it printed and its exit status.
std::string output_of_child(void (*child)(), int* status) {
  int pipe_ends[2];
  EXPECT_EQ(pipe(pipe_ends), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipe_ends[1], STDOUT_FILENO);
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    child();
    _exit(99);
  }
  close(pipe_ends[1]);
  std::string output;
  char chunk[256];
  for (ssize_t n; (n = read(pipe_ends[0], chunk, sizeof chunk)) > 0;) output.append(chunk, static_cast<size_t>(n));
  close(pipe_ends[0]);
  waitpid(pid, status, 0);
  return output;
}

TEST(ExitProcessCall, FlushesOutputButRunsNoExitHandlers) {
  int status = 0;
  const std::string output = output_of_child(
      [] {
        std::setvbuf(stdout, nullptr, _IOFBF, 4096);
        std::atexit([] { std::fputs("exit handler", stdout); });
        std::fputs("buffered", stdout);
        ExitProcess(3);
      },
      &status);
  EXPECT_EQ(output, "buffered");
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 3);
}

}  // namespace
