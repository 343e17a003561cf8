// The resident memory of a process, for tests that bound what hostile input
// may make a program take.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

// VmRSS of /proc/<process>/status in KiB ("self" for this process); -1 when
// it cannot be read.
inline long resident_kib(const std::string& process = "self") {
  std::ifstream status("/proc/" + process + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, 6, "VmRSS:") == 0) return std::atol(line.c_str() + 6);
  return -1;
}
