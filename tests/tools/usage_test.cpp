// What the tools share (tools/common), seen through each program: what it
// answers about itself (--help on stdout with status 0, --version with the
// project's version, the usage on stderr with status 2 for a command line it
// cannot use), '\' in path arguments taken as a folder separator, as the
// client names its files, and outputs that appear whole or not at all when
// a tool is stopped (SIGTERM, or SIGKILL that no program can catch).
// Depends on: the built tools and libpng (png_test_io).
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tools/png_test_io.h"
#include "tools/tool_process.h"

namespace {

bool holds_unnamed_files(const std::filesystem::path& folder) {
  const int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY, 0600);
  if (fd >= 0) close(fd);
  return fd >= 0;
}

TEST(ToolUsage, HelpVersionAndWrongCommandLines) {
  const struct {
    const char* program;
    const char* name;
    std::vector<std::string> wrong;
  } tools[] = {
      {PNGSLIM_PROGRAM, "pngslim", {"one.png"}},
      {ENCFILE_PROGRAM, "encfile", {"in", "out"}},
      {EXCHANGE_PROGRAM, "quillfern-exchange", {"--verbose", "1"}},
  };
  for (const auto& tool : tools) {
    SCOPED_TRACE(tool.name);
    ScratchFolder dir;
    const auto run = [&](std::vector<std::string> args, const std::string& output) {
      args.insert(args.begin(), tool.program);
      return wait_program(start_program(args, dir.path(), dir / output));
    };
    EXPECT_EQ(run({"--help"}, "help.txt"), 0);
    EXPECT_EQ(read_file(dir / "help.txt").rfind(std::string("usage: ") + tool.name + " ", 0), 0u);
    EXPECT_EQ(run({"--version"}, "version.txt"), 0);
    EXPECT_EQ(read_file(dir / "version.txt"), std::string(tool.name) + " " + QUILLFERN_VERSION + "\n");
    EXPECT_EQ(run(tool.wrong, "wrong.txt"), 2);
    EXPECT_EQ(read_file(dir / "wrong.txt"), read_file(dir / "help.txt"));
  }
}

// Run in a folder holding temp/in.png, as the client runs them, pngslim
// and encfile there and back write only in temp/, and the picture comes
// back with its pixels.
TEST(ToolPaths, BackslashSeparatesFolders) {
  ScratchFolder dir;
  std::filesystem::create_directory(dir / "temp");
  write_file(dir / "temp/in.png", png_file({16, 9, 8, 2, false, std::vector<std::uint8_t>(16 * 9 * 3, 0x5A), {}, {}}));
  const std::string key(64, 'a');
  for (const std::vector<std::string>& argv :
       {std::vector<std::string>{PNGSLIM_PROGRAM, "temp\\in.png", "temp\\slim.png"},
        {ENCFILE_PROGRAM, "temp\\slim.png", "temp\\sealed.enc", key}, {ENCFILE_PROGRAM, "temp\\sealed.enc", "temp\\back.png", key}})
    ASSERT_EQ(run_program(argv, dir.path()), 0) << argv[1];
  EXPECT_EQ(dir.names("temp"), (std::vector<std::string>{"back.png", "in.png", "sealed.enc", "slim.png"}));
  EXPECT_EQ(dir.names(), std::vector<std::string>{"temp"});
  EXPECT_TRUE(decode_rgba(read_file(dir / "temp/back.png")) == decode_rgba(read_file(dir / "temp/in.png")));
}

// encfile and pngslim stopped while they write leave nothing behind in the
// output's folder: neither a partial output nor a temporary file.
TEST(StoppedTools, LeaveNothingBehind) {
  ScratchFolder inputs;
  write_file(inputs / "big.bin", random_bytes(48u << 20, 3));
  // A noisy picture that takes pngslim a while to compress.
  write_file(inputs / "big.png", png_file({2000, 2000, 8, 6, false, random_samples(2000 * 2000 * 4, 4), {}, {}}));

  const std::vector<std::vector<std::string>> commands = {
      {ENCFILE_PROGRAM, inputs / "big.bin", "", std::string(64, 'a')},
      {PNGSLIM_PROGRAM, inputs / "big.png", ""},
  };
  for (const auto& command : commands)
    for (int signal_number : {SIGTERM, SIGKILL})
      for (int delay_ms : {40, 150, 400}) {
        SCOPED_TRACE(command[0] + " signal " + std::to_string(signal_number) + " after " + std::to_string(delay_ms));
        ScratchFolder out;
        std::vector<std::string> argv = command;
        argv[2] = out / "result";
        const pid_t pid = start_program(argv);
        std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
        kill(pid, signal_number);
        const int status = wait_program(pid);
        // No temporary file is left (but SIGKILL can leave a named one where
        // the folder cannot hold unnamed files); the output appears only
        // whole (a signal may come after it was put in place, or it finished first).
        const std::vector<std::string> left = out.names();
        for (const std::string& name : left) {
          if (!(signal_number == SIGKILL && !holds_unnamed_files(out.path()) && name.rfind(".result.", 0) == 0)) {
            EXPECT_EQ(name, "result");
          }
        }
        if (status == 0) {
          EXPECT_EQ(left.size(), 1u);
        } else {
          EXPECT_EQ(status, 128 + signal_number);
        }
      }
}

}  // namespace
