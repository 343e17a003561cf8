// The server's log on standard output: one line per answered request, plus
// start-up and shutdown lines.
// Depends on: std::thread and poll(2). Parses nothing: the server hands it each request's method, target
// and status.
//
// Serving never waits for the log. Lines go into a bounded queue that one
// writer thread empties onto the descriptor; when the reader of that
// descriptor falls behind (a full pipe nobody reads), new lines are dropped
// and counted, and the count is written as a line of its own as soon as the
// writer gets through again. The writer never blocks for more than a short
// poll, so stopping it is prompt whatever the reader does.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

class RequestLog {
 public:
  // Starts the writer on `fd` (left open at the end).
  explicit RequestLog(int fd, std::size_t capacity = 4096);
  ~RequestLog() { finish(); }

  // Writes what it can of the queue within about half a second and stops
  // the writer; later lines are ignored.
  void finish();
  RequestLog(const RequestLog&) = delete;
  RequestLog& operator=(const RequestLog&) = delete;

  // "<local time> <text>"; never blocks on the descriptor.
  void line(const std::string& text);

  // "<method> <target> <status> in=<request body bytes> out=<reply body bytes>",
  // the status "closed" for a request whose connection ended unanswered.
  // Bytes of the method or target outside printable ASCII are written as %XX
  // so that one request is always one line; each is cut at 200 bytes.
  void request(const std::string& method, const std::string& target, int status, std::size_t in_bytes,
               std::size_t out_bytes);

 private:
  void write_lines();
  // Writes all of `text`, waiting for the descriptor in short polls; false
  // once stopping and the descriptor stays full.
  bool write_out(const std::string& text);

  const int fd_;
  const std::size_t capacity_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::string> queue_;
  std::size_t dropped_ = 0;
  bool stopping_ = false;
  std::thread writer_;
};
