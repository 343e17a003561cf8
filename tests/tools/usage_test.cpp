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

// Run in a folder holding temp/in.png, each tool writes temp/out.png and
// nothing else; pngslim's output has the input's pixels and encfile's
// decrypts (through '\' paths again) to the input.
TEST(ToolPaths, BackslashSeparatesFolders) {
  const PngSource picture{16, 9, 8, 2, false, std::vector<std::uint8_t>(16 * 9 * 3, 0x5A), {}, {}};
  const std::string key(64, 'a');
  const struct {
    const char* name;
    std::vector<std::string> argv;
  } runs[] = {
      {"pngslim", {PNGSLIM_PROGRAM, "temp\\in.png", "temp\\out.png"}},
      {"encfile", {ENCFILE_PROGRAM, "temp\\in.png", "temp\\out.png", key}},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.name);
    ScratchFolder dir;
    std::filesystem::create_directory(dir / "temp");
    write_file(dir / "temp/in.png", png_file(picture));
    ASSERT_EQ(run_program(run.argv, dir.path()), 0);
    EXPECT_EQ(dir.names("temp"), (std::vector<std::string>{"in.png", "out.png"}));
    EXPECT_EQ(dir.names(), std::vector<std::string>{"temp"});
    if (run.argv.size() == 3) {
      EXPECT_TRUE(decode_rgba(read_file(dir / "temp/out.png")) == decode_rgba(png_file(picture)));
    } else {
      ASSERT_EQ(run_program({ENCFILE_PROGRAM, "temp\\out.png", "temp\\back.png", key}, dir.path()), 0);
      EXPECT_EQ(read_file(dir / "temp/back.png"), read_file(dir / "temp/in.png"));
    }
  }
}

}  // namespace
