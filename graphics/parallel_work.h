// Work split by index over threads of their own, for the image files' bands.
// Depends on: std::thread. Knows nothing of the work.
#pragma once

#include <cstddef>
#include <thread>
#include <vector>

namespace frond {

// Calls work(i) for each i < count: the first ones on threads of their own,
// the last, and every one after a thread could not be had, on this thread.
// Returns when every call has.
template <class Work>
void run_on_threads(size_t count, const Work& work) {
  std::vector<std::thread> threads;
  size_t next = 0;
  try {  // nothing may leave here while a thread runs unjoined
    threads.reserve(count);
    for (; next + 1 < count; ++next) threads.emplace_back(work, next);
  } catch (...) {
  }
  for (; next < count; ++next) work(next);
  for (std::thread& thread : threads) thread.join();
}

}  // namespace frond
