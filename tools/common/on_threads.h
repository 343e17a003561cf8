// Running one piece of work per index on threads of their own.
// Depends on: std::thread. Knows nothing of the work.
#pragma once

#include <cstddef>
#include <thread>
#include <vector>

// Runs work(i) for every i < count, all but the last on threads of their
// own and the last on this one (also any for which no thread can be had),
// and returns when all are done.
template <class Work>
void on_threads(std::size_t count, const Work& work) {
  std::vector<std::thread> threads;
  threads.reserve(count);  // no exception may leave while a thread runs unjoined
  for (std::size_t i = 0; i + 1 < count; ++i) {
    try {
      threads.emplace_back(work, i);
    } catch (...) {  // no thread or no memory for one
      work(i);
    }
  }
  if (count > 0) work(count - 1);
  for (std::thread& thread : threads) thread.join();
}
