// CreateProcessA: how the command line reaches the child, which program runs,
// what it inherits, programs that cannot start, and the child's life as its
// handles show it (running, ended, several at once, detached).
// Depends on: support/scratch_folder.h and the probe program (bin\probe.exe).
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/kernel32.h"
#include "support/scratch_folder.h"

namespace {

using Fields = std::vector<std::string>;

// A scratch folder holding the probe as bin/probe, so that "bin\probe.exe" names it.
class ProcessTest : public test_support::ScratchFolderTest<> {
 protected:
  void SetUp() override {
    std::filesystem::create_directory("bin");
    std::filesystem::create_symlink(PROCESS_PROBE, "bin/probe");
  }
  // Starts `command_line`; the handles in *info. False when it did not start.
  static bool start(const std::string& command_line, PROCESS_INFORMATION* info, DWORD flags = CREATE_NO_WINDOW,
                    const char* application = nullptr, void* environment = nullptr, const char* directory = nullptr) {
    std::string buffer = command_line;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    SetLastError(ERROR_SUCCESS);
    return CreateProcessA(application, buffer.data(), nullptr, nullptr, FALSE, flags, environment, directory,
                          &startup, info) != FALSE;
  }
  // Waits for a started child, closes its handles and returns its exit code.
  static DWORD finish(const PROCESS_INFORMATION& info) {
    EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return code;
  }
  // Runs `command_line` to its end: its exit code, or ~0u when it did not start.
  static DWORD run(const std::string& command_line, DWORD flags = CREATE_NO_WINDOW, const char* application = nullptr,
                   void* environment = nullptr, const char* directory = nullptr) {
    PROCESS_INFORMATION info = {};
    return start(command_line, &info, flags, application, environment, directory) ? finish(info) : ~0u;
  }
  // The zero-terminated fields the probe wrote to `path`.
  static Fields report(const std::string& path = "report") {
    const std::vector<uint8_t> bytes = test_support::read_bytes(path);
    Fields fields(1);
    for (uint8_t b : bytes) {
      if (b) fields.back().push_back(char(b));
      else fields.emplace_back();
    }
    fields.pop_back();
    return fields;
  }
  static void touch(const std::string& path) { test_support::write_bytes(path, {'x'}); }
};

TEST_F(ProcessTest, ArgumentsArriveAsWindowsSplitsThem) {
  const struct {
    const char* tail;
    Fields expected;
  } cases[] = {
      // The examples of Microsoft's documentation of command-line parsing.
      {R"("a b c" d e)", {"a b c", "d", "e"}},
      {R"("ab\"c" "\\" d)", {"ab\"c", "\\", "d"}},
      {R"(a\\\b d"e f"g h)", {R"(a\\\b)", "de fg", "h"}},
      {R"(a\\\"b c d)", {R"(a\"b)", "c", "d"}},
      {R"(a\\\\"b c" d e)", {R"(a\\b c)", "d", "e"}},
      {R"(a"b"" c d)", {"ab\"", "c", "d"}},
      // Blanks, empty and unterminated quotes, and the client's own lines.
      {"  x\t\ty  ", {"x", "y"}},
      {R"("" x "")", {"", "x", ""}},
      {R"(x "y z)", {"x", "y z"}},
      {R"(temp\image3.png temp\image4.enc 0123abcd)", {R"(temp\image3.png)", R"(temp\image4.enc)", "0123abcd"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tail);
    ASSERT_EQ(run(std::string(R"(bin\probe.exe report args )") + c.tail), 0u);
    const Fields got = report();
    EXPECT_EQ(got.size() >= 3 ? Fields(got.begin() + 3, got.end()) : got, c.expected);
  }
}

TEST_F(ProcessTest, WhichProgramRunsAndWhatItIsCalled) {
  // The program name is the first argument as written; quotes there only group.
  std::filesystem::create_directory("my tools");
  std::filesystem::create_symlink(PROCESS_PROBE, "my tools/probe");
  ASSERT_EQ(run(R"("my tools\probe.exe" report args "x\"")"), 0u);
  EXPECT_EQ(report(), (Fields{R"(my tools\probe.exe)", "report", "args", "x\""}));
  // "x.exe" runs x unless x.exe exists; names are case-sensitive here.
  EXPECT_EQ(run(R"(bin\PROBE.EXE report exit 0)"), ~0u);
  EXPECT_EQ(run(R"(bin\probe.EXE report exit 7)"), 7u);
  std::filesystem::create_symlink(PROCESS_PROBE, "bin/other.exe");
  EXPECT_EQ(run(R"(bin\other.exe report exit 8)"), 8u);
  EXPECT_EQ(run(R"(bin\other report exit 9)"), ~0u);
  // An application name wins over the command line's first word, which the child still sees.
  ASSERT_EQ(run("anything report args z", 0, R"(bin\probe.exe)"), 0u);
  EXPECT_EQ(report(), (Fields{"anything", "report", "args", "z"}));
}

TEST_F(ProcessTest, AProgramThatCannotStartFailsAndLeavesTheRecordAlone) {
  const struct {
    const char* command_line;
    DWORD flags, error;
  } rows[] = {
      {R"(bin\pngslim.exe temp\image2.png temp\image3.png)", CREATE_NO_WINDOW, ERROR_FILE_NOT_FOUND},
      {R"(tools\encfile.exe a b)", CREATE_NO_WINDOW, ERROR_PATH_NOT_FOUND},
      {"bin report", CREATE_NO_WINDOW, ERROR_ACCESS_DENIED},  // a folder
      {" \t ", CREATE_NO_WINDOW, ERROR_FILE_NOT_FOUND},
      {R"(bin\probe.exe report exit 0)", CREATE_SUSPENDED, ERROR_INVALID_PARAMETER},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.command_line);
    PROCESS_INFORMATION info;
    std::memset(&info, 0xAB, sizeof info);
    const PROCESS_INFORMATION untouched = info;
    EXPECT_FALSE(start(row.command_line, &info, row.flags));
    EXPECT_EQ(GetLastError(), row.error);
    EXPECT_EQ(std::memcmp(&info, &untouched, sizeof info), 0);
  }
  EXPECT_FALSE(test_support::exists("report"));
}

TEST_F(ProcessTest, TheChildInheritsNoDescriptorsAndDefaultSignals) {
  int pipe_ends[2];
  ASSERT_EQ(pipe(pipe_ends), 0);  // deliberately without close-on-exec
  const auto previous_pipe = signal(SIGPIPE, SIG_IGN);
  sigset_t block, previous_mask;
  sigemptyset(&block);
  sigaddset(&block, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &block, &previous_mask);

  ASSERT_EQ(run(R"(bin\probe.exe report inherited)"), 0u);
  Fields fields = report();
  ASSERT_EQ(fields.size(), 6u);
  // Nothing open above stderr, stdin from /dev/null, SIGPIPE's default and an empty signal mask.
  EXPECT_EQ(Fields(fields.begin(), fields.begin() + 4), (Fields{"", "/dev/null", "default", "empty"}));
  EXPECT_EQ(fields[4], fields[5]) << "no console: a process group of its own";
  ASSERT_EQ(run(R"(bin\probe.exe report inherited)", 0), 0u);
  fields = report();
  ASSERT_EQ(fields.size(), 6u);
  EXPECT_EQ(fields[4], std::to_string(getpgrp())) << "sharing the console: the parent's group";

  pthread_sigmask(SIG_SETMASK, &previous_mask, nullptr);
  signal(SIGPIPE, previous_pipe);
  close(pipe_ends[0]);
  close(pipe_ends[1]);
}

TEST_F(ProcessTest, DirectoryAndEnvironmentAreTheParentsUnlessGiven) {
  std::filesystem::create_directory("work");
  ASSERT_EQ(setenv("QUILLFERN_PROBE", "from the parent", 1), 0);
  ASSERT_EQ(run(R"(bin\probe.exe report env QUILLFERN_PROBE)"), 0u);
  EXPECT_EQ(report(), Fields{"from the parent"});
  ASSERT_EQ(run(R"(bin\probe.exe report cwd)", 0, nullptr, nullptr, "work"), 0u);
  EXPECT_EQ(report("work/report"), Fields{(std::filesystem::current_path() / "work").string()});
  char block[] = "QUILLFERN_PROBE=given\0OTHER=1\0";
  ASSERT_EQ(run(R"(bin\probe.exe report env QUILLFERN_PROBE)", 0, nullptr, block), 0u);
  EXPECT_EQ(report(), Fields{"given"});
  wchar_t wide_block[] = L"QUILLFERN_PROBE=wid\u00e9\0";
  ASSERT_EQ(run(R"(bin\probe.exe report env QUILLFERN_PROBE)", CREATE_UNICODE_ENVIRONMENT, nullptr, wide_block), 0u);
  EXPECT_EQ(report(), Fields{"wid\xc3\xa9"});
  EXPECT_EQ(run(R"(bin\probe.exe report env QUILLFERN_PROBE)", 0, nullptr, nullptr, "missing"), ~0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
  unsetenv("QUILLFERN_PROBE");
}

TEST_F(ProcessTest, ExitCodesAreTheStatusOr128PlusTheSignal) {
  const std::pair<const char*, DWORD> rows[] = {{"exit 3", 3u},
                                                {"exit 256", 0u},  // only the low byte leaves a POSIX process
                                                {"signal 15", 128u + SIGTERM},
                                                {"signal 9", 128u + SIGKILL}};
  for (const auto& [mode, code] : rows) EXPECT_EQ(run(std::string(R"(bin\probe.exe report )") + mode), code) << mode;
}

TEST_F(ProcessTest, HandlesAreSignalledWhenTheChildEnds) {
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
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);  // and stays signalled for finish()
  EXPECT_FALSE(GetExitCodeProcess(info.hThread, &code)) << "a thread handle is not a process";
  EXPECT_FALSE(GetExitCodeProcess(info.hProcess, nullptr));
  EXPECT_EQ(finish(info), 42u);
  EXPECT_FALSE(GetExitCodeProcess(info.hProcess, &code));  // closed by finish()
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(ProcessTest, SeveralChildrenEachKeepTheirOwnStatus) {
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
    EXPECT_EQ(finish(children[i]), DWORD(21 + i));
  }
  int status = 0;
  ASSERT_EQ(waitpid(own, &status, 0), own);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 42);
}

TEST_F(ProcessTest, ClosingTheHandlesOfARunningChildLetsItRunOn) {
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
