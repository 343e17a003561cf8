// CreateProcessA: the command line split as Windows programs split it, the
// program found by its Windows name, started with posix_spawn (stdin from
// /dev/null, stdout and stderr inherited, no other descriptor, default signal
// handling) and watched by a thread of its own until it ends.
// Depends on: command_line, process_object, system_errors, the text conversion of kernel32.h.
// Does not: run suspended children, redirect their standard handles.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <thread>
#include <vector>

#include "kernel/command_line.h"
#include "kernel/process_object.h"
#include "kernel/system_errors.h"

extern char** environ;

namespace platform::kernel {
namespace {

// Flags under which Windows gives the child no share of the parent's
// console: here the child gets its own process group, so the terminal's
// Ctrl+C reaches the parent only.
constexpr DWORD kNoConsoleFlags = CREATE_NO_WINDOW | DETACHED_PROCESS | CREATE_NEW_CONSOLE | CREATE_NEW_PROCESS_GROUP;

struct Launch {
  std::string program;  // POSIX path of the executable
  std::vector<std::string> arguments;
  std::string directory;  // empty: the parent's
  bool own_environment = false;
  std::vector<std::string> environment;
  bool own_group = false;
};

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

bool is_folder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string current_directory() {
  char* cwd = getcwd(nullptr, 0);
  if (cwd == nullptr) return ".";
  std::string out(cwd);
  std::free(cwd);
  return out;
}

// The executable a Windows program name stands for. Executables carry no
// suffix here: `X.exe` runs `X` unless a file `X.exe` exists. A relative
// name is relative to the parent's directory, also when the child starts in
// another one.
std::string program_path(const std::string& name, bool child_changes_directory) {
  std::string path = posix_path(name);
  constexpr size_t kSuffix = 4;  // ".exe"
  if (path.size() > kSuffix && strcasecmp(path.c_str() + path.size() - kSuffix, ".exe") == 0 && !exists(path)) {
    path.resize(path.size() - kSuffix);
  }
  if (child_changes_directory && !path.empty() && path.front() != '/') path = current_directory() + "/" + path;
  return path;
}

// "name=value" strings of an environment block: zero-terminated strings
// ending with an empty one, in wide characters with CREATE_UNICODE_ENVIRONMENT.
std::vector<std::string> environment_of(LPVOID block, bool wide) {
  std::vector<std::string> out;
  if (wide) {
    for (auto* p = static_cast<const wchar_t*>(block); *p != L'\0'; p += std::wcslen(p) + 1)
      out.push_back(wide_to_multibyte(CP_UTF8, p));
  } else {
    for (auto* p = static_cast<const char*>(block); *p != '\0'; p += std::strlen(p) + 1) out.emplace_back(p);
  }
  return out;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (std::string& s : strings) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
int close_other_descriptors(posix_spawn_file_actions_t* actions) {
  return posix_spawn_file_actions_addclosefrom_np(actions, STDERR_FILENO + 1);
}
#else
// Without closefrom among the spawn actions: every descriptor above stderr
// becomes close-on-exec (none is ever meant to be inherited).
int close_other_descriptors(posix_spawn_file_actions_t*) {
  const long limit = sysconf(_SC_OPEN_MAX);
  for (int fd = STDERR_FILENO + 1; fd < limit; ++fd) {
    const int flags = fcntl(fd, F_GETFD);
    if (flags >= 0) fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
  }
  return 0;
}
#endif

// An errno value, 0 when the child has started.
int spawn(Launch& launch, pid_t* pid) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  if (const int error = posix_spawn_file_actions_init(&actions)) return error;
  if (const int error = posix_spawnattr_init(&attributes)) {
    posix_spawn_file_actions_destroy(&actions);
    return error;
  }
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
  if (launch.own_group) flags |= POSIX_SPAWN_SETPGROUP;
  int error = posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (error == 0) error = close_other_descriptors(&actions);
  if (error == 0 && !launch.directory.empty()) {
    error = posix_spawn_file_actions_addchdir_np(&actions, launch.directory.c_str());
  }
  if (error == 0) error = posix_spawnattr_setsigmask(&attributes, &none);
  if (error == 0) error = posix_spawnattr_setsigdefault(&attributes, &all);
  if (error == 0) error = posix_spawnattr_setpgroup(&attributes, 0);
  if (error == 0) error = posix_spawnattr_setflags(&attributes, flags);
  if (error == 0) {
    std::vector<char*> argv = pointers(launch.arguments);
    std::vector<char*> envp = pointers(launch.environment);
    error = posix_spawn(pid, launch.program.c_str(), &actions, &attributes, argv.data(),
                        launch.own_environment ? envp.data() : environ);
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error;
}

// Makes the kernel objects of a started child and its waiter thread; on
// failure the child is killed and reaped.
BOOL adopt(pid_t pid, LPPROCESS_INFORMATION info) {
  HANDLE handles[2] = {nullptr, nullptr};
  try {
    const auto process = std::make_shared<ProcessObject>(pid);
    handles[0] = insert_handle(process);
    handles[1] = insert_handle(process->main_thread());
    std::thread([process] { process->watch(); }).detach();
  } catch (const std::exception&) {
    for (HANDLE handle : handles) {
      if (handle != nullptr) remove_handle(handle);
    }
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  info->hProcess = handles[0];
  info->hThread = handles[1];
  info->dwProcessId = static_cast<DWORD>(pid);
  info->dwThreadId = static_cast<DWORD>(pid);  // a process's main thread has the process's id
  return TRUE;
}

BOOL create_process(const char* application, const char* command_line, DWORD flags, LPVOID environment,
                    const char* directory, LPPROCESS_INFORMATION info) {
  if (info == nullptr || (application == nullptr && command_line == nullptr) || (flags & CREATE_SUSPENDED)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  try {
    Launch launch;
    launch.arguments = split_command_line(command_line != nullptr ? command_line : application);
    if (launch.arguments.empty()) {
      if (application == nullptr) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
      }
      launch.arguments.emplace_back(application);
    }
    if (directory != nullptr) {
      launch.directory = posix_path(directory);
      if (!is_folder(launch.directory)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
      }
    }
    launch.program =
        program_path(application != nullptr ? application : launch.arguments.front(), !launch.directory.empty());
    if (environment != nullptr) {
      launch.own_environment = true;
      launch.environment = environment_of(environment, (flags & CREATE_UNICODE_ENVIRONMENT) != 0);
    }
    launch.own_group = (flags & kNoConsoleFlags) != 0;
    pid_t pid = 0;
    if (const int error = spawn(launch, &pid)) {
      SetLastError(error_for_path(error, launch.program));
      return FALSE;
    }
    return adopt(pid, info);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}

}  // namespace
}  // namespace platform::kernel

BOOL CreateProcessA(LPCSTR application, LPSTR command_line, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                    DWORD flags, LPVOID environment, LPCSTR directory, LPSTARTUPINFOA,
                    LPPROCESS_INFORMATION info) {
  return platform::kernel::create_process(application, command_line, flags, environment, directory, info);
}
