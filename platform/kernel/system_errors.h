// Windows error codes for the errno values of failed POSIX calls.
// Depends on: kernel32.h (the codes). Sets no last error.
#pragma once

#include <string>

#include "platform/kernel32.h"

namespace platform::kernel {

// The error code for `error` (an errno value).
DWORD error_of(int error);

// The same for a call on `path`, where a missing entry is
// ERROR_FILE_NOT_FOUND when its folder exists and ERROR_PATH_NOT_FOUND when
// the folder does not.
DWORD error_for_path(int error, const std::string& path);

}  // namespace platform::kernel
