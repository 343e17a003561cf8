// Running the tools as child processes: started in a folder with stdin from
// /dev/null and their output in a file, waited for, their exit status.
// Depends on: posix_spawn; scratch folders from tests/support. Links no tool.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/scratch_dir.h"

// Starts `argv` (argv[0] the program's path) in `folder` with stdin from
// /dev/null and stdout/stderr to `output` (or /dev/null); -1 on failure.
pid_t start_program(const std::vector<std::string>& argv, const std::string& folder = "",
                    const std::string& output = "");

// Runs to the end; the exit status, or 128 + the signal that ended it.
int run_program(const std::vector<std::string>& argv, const std::string& folder = "");
int wait_program(pid_t pid);

