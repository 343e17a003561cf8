// Paths at the platform's boundary: Windows callers separate folders with '\'.
// Depends on: nothing but the standard library. Touches no file.
#include <algorithm>

#include "platform/kernel32.h"

namespace platform {

std::string posix_path(std::string_view windows_path) {
  std::string path(windows_path);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

}  // namespace platform
