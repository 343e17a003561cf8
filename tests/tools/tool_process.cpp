// Child processes of the tool tests (see tool_process.h).
#include "tools/tool_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

extern char** environ;

pid_t start_program(const std::vector<std::string>& argv, const std::string& folder, const std::string& output) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  const std::string sink = output.empty() ? "/dev/null" : output;
  posix_spawn_file_actions_addopen(&actions, 1, sink.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed ? -1 : pid;
}

int wait_program(pid_t pid) {
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int run_program(const std::vector<std::string>& argv, const std::string& folder) {
  return wait_program(start_program(argv, folder));
}

std::vector<std::string> ScratchFolder::names(const std::string& sub) const {
  std::vector<std::string> result;
  for (const auto& entry : std::filesystem::directory_iterator(sub.empty() ? path() : *this / sub))
    result.push_back(entry.path().filename().string());
  std::sort(result.begin(), result.end());
  return result;
}

std::string read_file(const std::string& path) {
  const std::vector<uint8_t> bytes = test_support::read_bytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void write_file(const std::string& path, const std::string& bytes) {
  test_support::write_bytes(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}
