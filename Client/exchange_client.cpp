// The bounded exchange client: a counting stream around the library's
// socket stream, and a watchdog that stops an exchange past its deadline or
// when the program closes.
// Depends on: cpp-httplib and the standard threads; knows nothing of swaps.

#include "Client/exchange_client.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace quillfern {
namespace {

// Hands the library's reads and writes through, counting what is read: the
// reply's head (up to its first empty line) may hold `head_limit` bytes, the
// whole reply `reply_limit`, and so may any one line the library reads after
// the head (a chunk size, a trailer). The library reads lines a byte at a
// time and bodies in larger reads, so a run of one-byte reads without a
// line end is a line. Past any bound, reads fail.
class counting_stream : public httplib::Stream {
 public:
  counting_stream(httplib::Stream& inner, const exchange_limits& limits) : inner_(inner), limits_(limits) {}

  bool is_readable() const override { return inner_.is_readable(); }
  bool is_writable() const override { return inner_.is_writable(); }
  ssize_t write(const char* ptr, size_t size) override { return inner_.write(ptr, size); }
  void get_remote_ip_and_port(std::string& ip, int& port) const override { inner_.get_remote_ip_and_port(ip, port); }
  void get_local_ip_and_port(std::string& ip, int& port) const override { inner_.get_local_ip_and_port(ip, port); }
  socket_t socket() const override { return inner_.socket(); }

  ssize_t read(char* ptr, size_t size) override {
    if (over_) return -1;
    const ssize_t n = inner_.read(ptr, size);
    if (n <= 0) return n;
    total_ += size_t(n);
    for (ssize_t i = 0; i < n && !head_done_; ++i) {
      ++head_bytes_;
      // "\n\n" or "\n\r\n" ends the head.
      if (ptr[i] == '\n') head_done_ = head_line_ == 0 || (head_line_ == 1 && last_ == '\r');
      head_line_ = ptr[i] == '\n' ? 0 : head_line_ + 1;
      last_ = ptr[i];
    }
    line_run_ = size == 1 && ptr[0] != '\n' ? line_run_ + 1 : 0;
    over_ = (!head_done_ && head_bytes_ > limits_.head_limit) || line_run_ > limits_.head_limit ||
            total_ > limits_.reply_limit;
    return over_ ? -1 : n;
  }

 private:
  httplib::Stream& inner_;
  const exchange_limits& limits_;
  size_t total_ = 0;
  size_t head_bytes_ = 0;
  size_t head_line_ = 0;
  size_t line_run_ = 0;
  char last_ = 0;
  bool head_done_ = false;
  bool over_ = false;
};

constexpr auto watch_period = std::chrono::milliseconds(50);

// Stops the client's exchange once `deadline` passes or `keep_going` turns
// false; joined when the exchange is over.
class exchange_watchdog {
 public:
  exchange_watchdog(httplib::ClientImpl& client, std::chrono::steady_clock::time_point deadline,
                    const std::function<bool()>& keep_going)
      : thread_([this, &client, deadline, &keep_going] {
          std::unique_lock<std::mutex> lock(mutex_);
          bool stopping = false;
          while (!wake_.wait_for(lock, watch_period, [this] { return done_; })) {
            // Once stopping, again each round: a stop() that came before the
            // library opened its socket had nothing to stop.
            stopping = stopping || std::chrono::steady_clock::now() >= deadline || !keep_going();
            if (stopping) client.stop();
          }
        }) {}

  ~exchange_watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;  // last: starts once the rest is ready
};

}  // namespace

exchange_client::exchange_client(const std::string& host, int port, exchange_limits limits,
                                 std::function<bool()> keep_going)
    : httplib::ClientImpl(host, port), limits_(limits), keep_going_(std::move(keep_going)) {
  set_connection_timeout(0, 5000000);
  set_read_timeout(5, 0);
  set_write_timeout(5, 0);
  set_tcp_nodelay(true);
  set_url_encode(false);  // the path is encoded already
}

httplib::Result exchange_client::send_bounded(httplib::Request& request) {
  exchange_watchdog watchdog(*this, std::chrono::steady_clock::now() + limits_.deadline, keep_going_);
  return send(request);
}

bool exchange_client::process_socket(const Socket& socket, std::function<bool(httplib::Stream&)> callback) {
  return httplib::detail::process_client_socket(socket.sock, read_timeout_sec_, read_timeout_usec_,
                                                write_timeout_sec_, write_timeout_usec_,
                                                [&](httplib::Stream& stream) {
                                                  counting_stream counted(stream, limits_);
                                                  return callback(counted);
                                                });
}

}  // namespace quillfern
