// The running program: its instance handle, its process id and ExitProcess.
// Depends on: the C runtime (stdio flushing, _exit). Starts no children.
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "platform/kernel32.h"

namespace {
// Its address is the program's instance handle: stable and never null.
const char program_module = 0;
}  // namespace

HMODULE GetModuleHandleW(LPCWSTR name) {
  if (name != nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(const_cast<char*>(&program_module));
}

HMODULE GetModuleHandleA(LPCSTR name) {
  if (name != nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return GetModuleHandleW(nullptr);
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

// Ends the process at once: output written so far is flushed, but static
// destructors and atexit handlers do not run. The exit status is the low
// byte of `code`, so ExitProcess(-11) gives 245.
void ExitProcess(UINT code) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  _exit(static_cast<int>(code & 0xFFu));
}
