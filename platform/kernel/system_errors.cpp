// Maps errno values onto the Windows error codes the file and process calls
// document.
// Depends on: nothing but errno. Sets no last error.
#include "kernel/system_errors.h"

#include <sys/stat.h>

#include <cerrno>

namespace platform::kernel {
namespace {

bool folder_exists(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  struct stat info;
  return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

DWORD error_of(int error) {
  switch (error) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM:
    case EAGAIN: return ERROR_NOT_ENOUGH_MEMORY;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOEXEC: return ERROR_BAD_EXE_FORMAT;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    default: return ERROR_GEN_FAILURE;
  }
}

DWORD error_for_path(int error, const std::string& path) {
  if (error == ENOENT && !folder_exists(path)) return ERROR_PATH_NOT_FOUND;
  return error_of(error);
}

}  // namespace platform::kernel
