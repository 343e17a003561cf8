// encfile and pngslim stopped while they write (SIGTERM, or SIGKILL that no
// program can catch) leave nothing behind in the output's folder: neither
// a partial output nor a temporary file.
// Depends on: the built encfile and pngslim programs and the test PNG writer.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "tools/png_test_io.h"
#include "tools/tool_process.h"

namespace {

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
        // No temporary file is ever left; the output appears only whole (a
        // signal may come after it was put in place, or it finished first).
        const std::vector<std::string> left = out.names();
        for (const std::string& name : left) EXPECT_EQ(name, "result");
        if (status == 0) {
          EXPECT_EQ(left.size(), 1u);
        } else {
          EXPECT_EQ(status, 128 + signal_number);
        }
      }
}

}  // namespace
