// What every tool answers about itself: --help on stdout with status 0,
// --version with the project's version, and the usage on stderr with status 2
// for a command line it cannot use.
#include <gtest/gtest.h>

#include "tools/tool_process.h"

namespace {

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

}  // namespace
