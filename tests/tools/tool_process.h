// Running the tools as child processes, and scratch folders for their files.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with all its
// contents when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  // The names in the folder (not recursive), sorted.
  std::vector<std::string> names(const std::string& sub = "") const;

 private:
  std::string path_;
};

// Starts `argv` (argv[0] the program's path) in `folder` with stdin from
// /dev/null and stdout/stderr to `output` (or /dev/null); -1 on failure.
pid_t start_program(const std::vector<std::string>& argv, const std::string& folder = "",
                    const std::string& output = "");

// Runs to the end; the exit status, or 128 + the signal that ended it.
int run_program(const std::vector<std::string>& argv, const std::string& folder = "");
int wait_program(pid_t pid);

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);
bool file_exists(const std::string& path);
