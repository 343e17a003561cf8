// The resident memory of a process, for tests that bound what hostile input
// may make a program take.
// Depends on: /proc/self/status (Linux). Asserts nothing itself.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

// A field of /proc/<process>/status in KiB ("self" for this process); -1
// when it cannot be read.
inline long status_kib(const std::string& field, const std::string& process = "self") {
  std::ifstream status("/proc/" + process + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, field.size() + 1, field + ":") == 0) return std::atol(line.c_str() + field.size() + 1);
  return -1;
}

inline long resident_kib(const std::string& process = "self") { return status_kib("VmRSS", process); }

// The most resident memory since the last reset_peak_resident().
inline long peak_resident_kib(const std::string& process = "self") { return status_kib("VmHWM", process); }
inline void reset_peak_resident(const std::string& process = "self") {
  std::ofstream("/proc/" + process + "/clear_refs") << "5";
}

// AddressSanitizer holds freed memory back in quarantine and adds shadow
// memory: bounds on resident memory allow for it in sanitizer builds.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLFERN_TEST_ASAN 1  // clang's spelling of -fsanitize=address
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QUILLFERN_TEST_ASAN)
constexpr long sanitizer_allowance_kib = 512 * 1024;
#else
constexpr long sanitizer_allowance_kib = 0;
#endif
