// Clocks over CLOCK_MONOTONIC: Sleep, the wrapping 32-bit tick count (with a
// test seam that moves its origin) and the nanosecond performance counter.
// Depends on: clock_gettime and nanosleep. Keeps no timers.
#include <errno.h>
#include <sched.h>
#include <time.h>
#include <unistd.h>

#include <atomic>

#include "platform/kernel32.h"
#include "platform/test_seams.h"

namespace {

ULONGLONG monotonic_nanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<ULONGLONG>(now.tv_sec) * 1000000000ull + static_cast<ULONGLONG>(now.tv_nsec);
}

ULONGLONG monotonic_milliseconds() { return monotonic_nanoseconds() / 1000000ull; }

// Added to the monotonic milliseconds (modulo 2^32) by GetTickCount only.
std::atomic<DWORD> tick_offset{0};

}  // namespace

void Sleep(DWORD milliseconds) {
  if (milliseconds == 0) {
    sched_yield();
    return;
  }
  if (milliseconds == INFINITE) {
    for (;;) pause();
  }
  timespec remaining{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&remaining, &remaining) == -1 && errno == EINTR) {
  }
}

DWORD GetTickCount() { return static_cast<DWORD>(monotonic_milliseconds()) + tick_offset.load(); }

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (count == nullptr) return FALSE;
  count->QuadPart = static_cast<LONGLONG>(monotonic_nanoseconds());
  return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (frequency == nullptr) return FALSE;
  frequency->QuadPart = 1000000000LL;
  return TRUE;
}

namespace platform_test {

void set_tick_count(DWORD value) { tick_offset.store(value - static_cast<DWORD>(monotonic_milliseconds())); }

}  // namespace platform_test
