// A whole-request deadline for every connection of the server.
//
// The HTTP library's own time-out is an idle time-out, restarted by every
// byte, so a peer that dribbles one byte every few seconds would hold its
// connection for ever. Here each connection's clock starts when it opens
// and restarts when one of its requests has been answered; a watcher thread
// shuts down the socket of a connection whose clock passes the limit, and
// the library then closes it as it would a connection the peer dropped.
// Depends on: the standard threads and clock; knows nothing of HTTP.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

class ConnectionDeadlines {
 public:
  struct Entry;

  explicit ConnectionDeadlines(std::chrono::milliseconds limit);
  ~ConnectionDeadlines();
  ConnectionDeadlines(const ConnectionDeadlines&) = delete;
  ConnectionDeadlines& operator=(const ConnectionDeadlines&) = delete;

  // A connection on socket `fd` opened; the handle goes to the calls below.
  Entry* opened(int fd);
  // One of its requests was answered: its clock starts again.
  void restart(Entry* entry);
  // It was closed (before its socket is): the watcher forgets it.
  void closed(Entry* entry);

 private:
  void watch();

  const std::chrono::milliseconds limit_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::set<Entry*> entries_;
  bool stopping_ = false;
  std::thread watcher_;
};
