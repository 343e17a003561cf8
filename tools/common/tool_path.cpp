#include "tool_path.h"

#include <algorithm>

std::string native_path(const std::string& argument) {
  std::string path = argument;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}
