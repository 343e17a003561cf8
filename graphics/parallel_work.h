// Work split by index over threads of their own, for the image files' bands.
// Depends on: std::thread. Knows nothing of the work.
#pragma once

#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace frond {

// Calls work(i) for each i < count: the last on this thread, the others on
// threads of their own (or on this one when no thread can be had). Returns
// when every call has.
template <class Work>
void run_on_threads(size_t count, const Work& work) {
  std::vector<std::thread> threads;
  for (size_t i = 0; i + 1 < count; ++i) {
    try {
      threads.emplace_back(work, i);
    } catch (const std::system_error&) {
      work(i);
    }
  }
  if (count > 0) work(count - 1);
  for (std::thread& thread : threads) thread.join();
}

}  // namespace frond
