// Running the tools as child processes: started in a folder with stdin from
// /dev/null and their output in a file, waited for, their exit status; the
// shared scratch folder with string paths, and whole files as strings.
// Depends on: posix_spawn and tests/support's scratch folder. Links no tool.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/scratch_folder.h"

// The shared scratch folder (the current directory while it lives), its
// paths as strings.
class ScratchFolder : public test_support::scratch_folder {
 public:
  std::string path() const { return scratch_folder::path().string(); }
  std::string operator/(const std::string& name) const { return path() + "/" + name; }
  // The names in the folder or in one below it (not recursive), sorted.
  std::vector<std::string> names(const std::string& sub = "") const;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

// Starts `argv` (argv[0] the program's path) in `folder` with stdin from
// /dev/null and stdout/stderr to `output` (or /dev/null); -1 on failure.
pid_t start_program(const std::vector<std::string>& argv, const std::string& folder = "",
                    const std::string& output = "");

// Runs to the end; the exit status, or 128 + the signal that ended it.
int run_program(const std::vector<std::string>& argv, const std::string& folder = "");
int wait_program(pid_t pid);

