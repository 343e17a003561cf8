// What every tool answers about itself (--help on stdout with status 0,
// --version with the project's version, the usage on stderr with status 2
// for a command line it cannot use), and '\' in the tools' path arguments
// taken as a folder separator, as the client names its files.
// Depends on: the built tools and libpng (png_test_io).
#include <gtest/gtest.h>

#include <filesystem>

#include "tools/png_test_io.h"
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

}  // namespace
