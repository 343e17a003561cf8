// Child processes as kernel objects: their end and exit codes, and
// GetExitCodeProcess. Depends on: the handle table, waitid/waitpid.
// Never kills a child: the program lets its children end on their own.
#include "kernel/process_object.h"

#include <signal.h>
#include <sys/wait.h>

#include <cerrno>

namespace platform::kernel {
namespace {

// The exit status, or 128 + the signal that ended the child. A child reaped
// elsewhere (SIGCHLD ignored by the program) leaves no status: 0.
DWORD exit_code_of(const siginfo_t& info) {
  switch (info.si_code) {
    case CLD_EXITED: return static_cast<DWORD>(info.si_status);
    case CLD_KILLED:
    case CLD_DUMPED: return 128u + static_cast<DWORD>(info.si_status);
    default: return 0;
  }
}

}  // namespace

void ChildThreadObject::end() {
  std::lock_guard<std::mutex> lock(mutex_);
  ended_ = true;
  notify_waiters();
}

void ProcessObject::watch() {
  siginfo_t info{};
  while (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    exit_code_ = exit_code_of(info);
    ended_ = true;
    notify_waiters();
  }
  thread_->end();
  while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
  }
}

DWORD ProcessObject::exit_code() {
  std::lock_guard<std::mutex> lock(mutex_);
  return ended_ ? exit_code_ : STILL_ACTIVE;
}

}  // namespace platform::kernel

using platform::kernel::ProcessObject;

BOOL GetExitCodeProcess(HANDLE process, LPDWORD exit_code) {
  const auto object = platform::kernel::find_handle_as<ProcessObject>(process);
  if (!object || exit_code == nullptr) {
    SetLastError(object ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *exit_code = object->exit_code();
  return TRUE;
}
