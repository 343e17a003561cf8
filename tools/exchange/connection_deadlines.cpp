// The watcher of connection deadlines: a set of open connections and a thread
// that shuts down the sockets of those past the limit.
// Depends on: the standard threads and clock; knows nothing of HTTP.
#include "connection_deadlines.h"

#include <sys/socket.h>

struct ConnectionDeadlines::Entry {
  int fd;
  std::chrono::steady_clock::time_point since;
};

namespace {

constexpr auto kWatchPeriod = std::chrono::milliseconds(100);

}  // namespace

ConnectionDeadlines::ConnectionDeadlines(std::chrono::milliseconds limit) : limit_(limit) {
  watcher_ = std::thread([this] { watch(); });
}

ConnectionDeadlines::~ConnectionDeadlines() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  watcher_.join();
  for (Entry* entry : entries_) delete entry;
}

ConnectionDeadlines::Entry* ConnectionDeadlines::opened(int fd) {
  Entry* entry = new Entry{fd, std::chrono::steady_clock::now()};
  std::lock_guard<std::mutex> lock(mutex_);
  entries_.insert(entry);
  return entry;
}

void ConnectionDeadlines::restart(Entry* entry) {
  std::lock_guard<std::mutex> lock(mutex_);
  entry->since = std::chrono::steady_clock::now();
}

void ConnectionDeadlines::closed(Entry* entry) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.erase(entry);
  }
  delete entry;
}

void ConnectionDeadlines::watch() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!wake_.wait_for(lock, kWatchPeriod, [this] { return stopping_; })) {
    const auto cut_before = std::chrono::steady_clock::now() - limit_;
    // Under the lock the socket cannot have been closed yet (closed() comes
    // first), so the descriptor is still the connection's own. Shutting it
    // down again on the next round is harmless.
    for (Entry* entry : entries_)
      if (entry->since < cut_before) shutdown(entry->fd, SHUT_RDWR);
  }
}
