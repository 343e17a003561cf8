// DeleteFileA and GetCurrentDirectoryW. Depends on: posix_path, the errno
// mapping, the code-page conversion. Makes or removes no folders.
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
DWORD deliver(const wchar_t* text, DWORD length, DWORD size, wchar_t* buffer) {
  if (buffer == nullptr || size <= length) return length + 1;
  std::memcpy(buffer, text, (length + 1) * sizeof(wchar_t));
  return length;
}

}  // namespace
}  // namespace platform::kernel

BOOL DeleteFileA(LPCSTR name) { return platform::kernel::delete_file(name); }

DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer) {
  std::string cwd;
  if (!platform::kernel::current_directory(&cwd)) return 0;
  // The conversion cannot fail: bad bytes become U+FFFD.
  const std::wstring wide = platform::multibyte_to_wide(CP_UTF8, cwd.c_str());
  return platform::kernel::deliver(wide.c_str(), static_cast<DWORD>(wide.size()), size, buffer);
}
