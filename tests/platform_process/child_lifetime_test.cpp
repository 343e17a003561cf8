// A child's life as its handles show it: running (STILL_ACTIVE, waits time
// out), ended (handles signalled, exit code), several children at once, and
// children the program starts by other means.
// Depends on: scratch_folder.h and the probe program.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "scratch_folder.h"

namespace {

using process_test::ScratchFolder;

class ChildLifetimeTest : public ScratchFolder {
 protected:
  static void touch(const std::string& path) { std::ofstream(path).put('x'); }
};

TEST_F(ChildLifetimeTest, ExitCodesAreTheStatusOr128PlusTheSignal) {
  EXPECT_EQ(run(R"(bin\probe.exe report exit 0)"), 0u);
  EXPECT_EQ(run(R"(bin\probe.exe report exit 3)"), 3u);
  EXPECT_EQ(run(R"(bin\probe.exe report exit 255)"), 255u);
  EXPECT_EQ(run(R"(bin\probe.exe report exit 256)"), 0u);  // only the low byte leaves a POSIX process
  EXPECT_EQ(run(R"(bin\probe.exe report signal 15)"), 128u + SIGTERM);
  EXPECT_EQ(run(R"(bin\probe.exe report signal 9)"), 128u + SIGKILL);
}

TEST_F(ChildLifetimeTest, HandlesAreSignalledWhenTheChildEnds) {
  PROCESS_INFORMATION info;
  ASSERT_TRUE(start(R"(bin\probe.exe report wait go 42)", &info));
  EXPECT_NE(info.dwProcessId, 0u);
  EXPECT_EQ(info.dwThreadId, info.dwProcessId);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(info.hThread, 0), WAIT_TIMEOUT);

  touch("go");
  EXPECT_EQ(WaitForSingleObject(info.hThread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_OBJECT_0) << "stays signalled";
  EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_FALSE(GetExitCodeProcess(info.hProcess, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(GetExitCodeProcess(info.hThread, &code)) << "a thread handle is not a process";

  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_FALSE(CloseHandle(info.hProcess));
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_FAILED);
  EXPECT_FALSE(GetExitCodeProcess(info.hProcess, &code));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(ChildLifetimeTest, SeveralChildrenEachKeepTheirOwnStatus) {
  // A child the program forks itself: its status must stay for its own waitpid.
  const pid_t own = fork();
  ASSERT_GE(own, 0);
  if (own == 0) _exit(42);

  PROCESS_INFORMATION children[3];
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(start(R"(bin\probe.exe report wait go)" + std::to_string(i) + " " + std::to_string(21 + i),
                      &children[i]));
  }
  for (int i : {2, 0, 1}) {
    touch("go" + std::to_string(i));
    EXPECT_EQ(WaitForSingleObject(children[i].hProcess, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(children[i].hProcess, &code));
    EXPECT_EQ(code, static_cast<DWORD>(21 + i));
  }
  for (const PROCESS_INFORMATION& child : children) EXPECT_EQ(finish(child), 21u + (&child - children));

  int status = 0;
  ASSERT_EQ(waitpid(own, &status, 0), own);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 42);
}

TEST_F(ChildLifetimeTest, ClosingTheHandlesOfARunningChildLetsItRunOn) {
  PROCESS_INFORMATION info;
  ASSERT_TRUE(start(R"(bin\probe.exe report wait go 0)", &info));
  const pid_t pid = static_cast<pid_t>(info.dwProcessId);
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_EQ(kill(pid, 0), 0);
  touch("go");
  // The child is still reaped: its pid disappears once it has ended.
  while (kill(pid, 0) == 0) usleep(1000);
  EXPECT_EQ(errno, ESRCH);
}

}  // namespace
