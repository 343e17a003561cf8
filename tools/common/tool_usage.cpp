// --help and --version for the tools and the server. The version comes from
// the build (the project's version).
// Depends on stdio; parses no other argument.

#include "common/tool_usage.h"

#include <cstdio>
#include <cstring>

int answer_help_or_version(int argc, char** argv, const char* program, const char* usage) {
  if (argc != 2) return -1;
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s %s\n", program, QUILLFERN_VERSION);
    return 0;
  }
  return -1;
}
