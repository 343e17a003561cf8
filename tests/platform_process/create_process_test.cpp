// CreateProcessA: how the command line reaches the child, which program
// runs, what the child inherits, and programs that cannot be started.
// Depends on: scratch_folder.h and the probe program.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>

#include "scratch_folder.h"

namespace {

using process_test::ScratchFolder;
using process_test::startup_record;
using Fields = std::vector<std::string>;

class CreateProcessTest : public ScratchFolder {};

// The arguments after "args" as the probe received them.
Fields arguments_of(const Fields& report) {
  return report.size() >= 3 ? Fields(report.begin() + 3, report.end()) : Fields{"(no report)"};
}

TEST_F(CreateProcessTest, ArgumentsArriveAsWindowsSplitsThem) {
  struct Case {
    const char* tail;
    Fields expected;
  };
  const Case cases[] = {
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
      {R"(temp\image2.png temp\image3.png)", {R"(temp\image2.png)", R"(temp\image3.png)"}},
      {R"(temp\image3.png temp\image4.enc 0123abcd)", {R"(temp\image3.png)", R"(temp\image4.enc)", "0123abcd"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail);
    ASSERT_EQ(run(std::string(R"(bin\probe.exe report args )") + c.tail), 0u);
    EXPECT_EQ(arguments_of(report()), c.expected);
  }
}

TEST_F(CreateProcessTest, TheProgramNameIsTheFirstArgumentAsWritten) {
  ASSERT_EQ(run(R"(bin\probe.exe report args)"), 0u);
  EXPECT_EQ(report(), (Fields{R"(bin\probe.exe)", "report", "args"}));

  // Quotes in the program name only group; backslashes there are folders.
  std::filesystem::create_directory("my tools");
  std::filesystem::create_symlink(PROCESS_PROBE, "my tools/probe");
  ASSERT_EQ(run(R"("my tools\probe.exe" report args "x\"")"), 0u);
  EXPECT_EQ(report(), (Fields{R"(my tools\probe.exe)", "report", "args", "x\""}));
}

TEST_F(CreateProcessTest, XExeRunsXUnlessXExeExists) {
  ASSERT_EQ(run(R"(bin\PROBE.EXE report exit 0)"), ~0u);  // names are case-sensitive here
  ASSERT_EQ(run(R"(bin\probe.EXE report exit 7)"), 7u);

  // A file that is really called "other.exe" runs as such.
  std::filesystem::create_symlink(PROCESS_PROBE, "bin/other.exe");
  EXPECT_EQ(run(R"(bin\other.exe report exit 8)"), 8u);
  EXPECT_EQ(run(R"(bin\other report exit 9)"), ~0u);

  // An application name wins over the command line's first word, which the child still sees.
  ASSERT_EQ(run("anything report args z", 0, R"(bin\probe.exe)"), 0u);
  EXPECT_EQ(report(), (Fields{"anything", "report", "args", "z"}));
}

TEST_F(CreateProcessTest, AProgramThatCannotStartFailsAndLeavesTheRecordAlone) {
  PROCESS_INFORMATION info;
  std::memset(&info, 0xAB, sizeof info);
  const PROCESS_INFORMATION untouched = info;
  STARTUPINFOA startup = startup_record<STARTUPINFOA>();
  const auto attempt = [&](const char* command_line, DWORD flags = CREATE_NO_WINDOW) {
    std::string buffer = command_line;
    SetLastError(ERROR_SUCCESS);
    return CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup, &info);
  };
  EXPECT_FALSE(attempt(R"(bin\pngslim.exe temp\image2.png temp\image3.png)"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(attempt(R"(tools\encfile.exe a b)"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(attempt(R"(bin report)"));  // a folder
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(attempt(" \t "));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(attempt(R"(bin\probe.exe report exit 0)", CREATE_SUSPENDED));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(std::memcmp(&info, &untouched, sizeof info), 0);

  // The caller that zeroed its record and waits anyway returns at once.
  EXPECT_EQ(WaitForSingleObject(nullptr, INFINITE), WAIT_FAILED);
  EXPECT_FALSE(std::filesystem::exists("report"));
}

TEST_F(CreateProcessTest, TheChildInheritsNoDescriptorsAndDefaultSignals) {
  int pipe_ends[2];
  ASSERT_EQ(pipe(pipe_ends), 0);  // deliberately without close-on-exec
  const int plain = open("/dev/zero", O_RDONLY);
  ASSERT_GE(plain, 0);
  const HANDLE file = CreateFileA("kept.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const auto previous_pipe = signal(SIGPIPE, SIG_IGN);
  sigset_t block, previous_mask;
  sigemptyset(&block);
  sigaddset(&block, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &block, &previous_mask);

  ASSERT_EQ(run(R"(bin\probe.exe report inherited)"), 0u);
  Fields fields = report();
  ASSERT_EQ(fields.size(), 6u);
  EXPECT_EQ(fields[0], "");  // nothing open above stderr
  EXPECT_EQ(fields[1], "/dev/null");
  EXPECT_EQ(fields[2], "default");
  EXPECT_EQ(fields[3], "empty");
  EXPECT_EQ(fields[4], fields[5]) << "no console: a process group of its own";

  ASSERT_EQ(run(R"(bin\probe.exe report inherited)", 0), 0u);
  fields = report();
  ASSERT_EQ(fields.size(), 6u);
  EXPECT_EQ(fields[4], std::to_string(getpgrp())) << "sharing the console: the parent's group";

  pthread_sigmask(SIG_SETMASK, &previous_mask, nullptr);
  signal(SIGPIPE, previous_pipe);
  CloseHandle(file);
  close(plain);
  close(pipe_ends[0]);
  close(pipe_ends[1]);
}

TEST_F(CreateProcessTest, DirectoryAndEnvironmentAreTheParentsUnlessGiven) {
  std::filesystem::create_directory("work");
  ASSERT_EQ(setenv("QUILLFERN_PROBE", "from the parent", 1), 0);
  ASSERT_EQ(run(R"(bin\probe.exe report env QUILLFERN_PROBE)"), 0u);
  EXPECT_EQ(report(), Fields{"from the parent"});
  ASSERT_EQ(run(R"(bin\probe.exe report cwd)"), 0u);
  EXPECT_EQ(report(), Fields{std::filesystem::current_path().string()});

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

}  // namespace
