// The tools' path rule: '\' in a path argument separates folders as '/' does.
// Depends on nothing but the C++ library.
#include "tool_path.h"

#include <algorithm>

std::string native_path(const std::string& argument) {
  std::string path = argument;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}
