// DeleteFileA/W and GetCurrentDirectoryA/W.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "kernel/system_errors.h"

namespace platform::kernel {
namespace {

BOOL delete_file(const char* name) {
  if (name == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::string path = posix_path(name);
  if (unlink(path.c_str()) != 0) {
    SetLastError(error_for_path(errno, path));
    return FALSE;
  }
  return TRUE;
}

// The current directory as UTF-8; false with the last error set when it is gone.
bool current_directory(std::string* out) {
  char* cwd = getcwd(nullptr, 0);
  if (cwd == nullptr) {
    SetLastError(error_of(errno));
    return false;
  }
  out->assign(cwd);
  std::free(cwd);
  return true;
}

// Windows' buffer convention: the text and its length without the
// terminator, or the size needed with the terminator when it does not fit.
template <class Char>
DWORD deliver(const Char* text, DWORD length, DWORD size, Char* buffer) {
  if (buffer == nullptr || size <= length) return length + 1;
  std::memcpy(buffer, text, (length + 1) * sizeof(Char));
  return length;
}

}  // namespace
}  // namespace platform::kernel

BOOL DeleteFileA(LPCSTR name) { return platform::kernel::delete_file(name); }

BOOL DeleteFileW(LPCWSTR name) {
  if (name == nullptr) return platform::kernel::delete_file(nullptr);
  return platform::kernel::delete_file(platform::wide_to_multibyte(CP_UTF8, name).c_str());
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  std::string cwd;
  if (!platform::kernel::current_directory(&cwd)) return 0;
  return platform::kernel::deliver(cwd.c_str(), static_cast<DWORD>(cwd.size()), size, buffer);
}

DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer) {
  std::string cwd;
  if (!platform::kernel::current_directory(&cwd)) return 0;
  // The conversion cannot fail: bad bytes become U+FFFD.
  const std::wstring wide = platform::multibyte_to_wide(CP_UTF8, cwd.c_str());
  return platform::kernel::deliver(wide.c_str(), static_cast<DWORD>(wide.size()), size, buffer);
}
