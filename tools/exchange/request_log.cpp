// The non-blocking request log: a bounded queue and its writer thread.
// Depends on: POSIX write to standard output and the standard threads.
#include "request_log.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <ctime>

namespace {

constexpr std::size_t kMaxShown = 200;
constexpr int kPollMilliseconds = 100;
constexpr auto kDrainTime = std::chrono::milliseconds(500);

std::string printable(const std::string& text) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < kMaxShown; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c > ' ' && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += digits[c >> 4];
      out += digits[c & 15];
    }
  }
  if (text.size() > kMaxShown) out += "...";
  return out.empty() ? "-" : out;
}

std::string timestamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

}  // namespace

RequestLog::RequestLog(int fd, std::size_t capacity) : fd_(fd), capacity_(capacity) {
  writer_ = std::thread([this] { write_lines(); });
}

void RequestLog::finish() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (writer_.joinable()) writer_.join();
}

void RequestLog::line(const std::string& text) {
  std::string entry = timestamp() + " " + text + "\n";
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_) return;
    if (queue_.size() >= capacity_) {
      ++dropped_;
      return;
    }
    queue_.push_back(std::move(entry));
  }
  wake_.notify_one();
}

void RequestLog::request(const std::string& method, const std::string& target, int status, std::size_t in_bytes,
                         std::size_t out_bytes) {
  line(printable(method) + " " + printable(target) + " " + (status != 0 ? std::to_string(status) : "closed") + " in=" +
       std::to_string(in_bytes) + " out=" + std::to_string(out_bytes));
}

bool RequestLog::write_out(const std::string& text) {
  const auto give_up = std::chrono::steady_clock::now() + kDrainTime;
  for (std::size_t done = 0; done < text.size();) {
    pollfd ready{fd_, POLLOUT, 0};
    if (poll(&ready, 1, kPollMilliseconds) <= 0) {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_ && std::chrono::steady_clock::now() > give_up) return false;
      continue;
    }
    // A line is far shorter than a pipe's atomic size, so a descriptor that
    // polls writable takes it without blocking.
    const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
    if (n < 0 && errno != EINTR && errno != EAGAIN) return false;
    if (n > 0) done += static_cast<std::size_t>(n);
  }
  return true;
}

void RequestLog::write_lines() {
  std::unique_lock<std::mutex> lock(mutex_);
  const auto stop_by = [this] { return std::chrono::steady_clock::now() + kDrainTime; };
  auto deadline = std::chrono::steady_clock::time_point::max();
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || !queue_.empty() || dropped_ != 0; });
    if (stopping_ && deadline == std::chrono::steady_clock::time_point::max()) deadline = stop_by();
    if (queue_.empty() && dropped_ == 0) return;  // stopping with nothing left
    std::string text;
    // The count of dropped lines follows the lines queued before them.
    if (queue_.empty()) {
      text = timestamp() + " " + std::to_string(dropped_) + " log lines dropped: the output was not read\n";
      dropped_ = 0;
    } else {
      text = std::move(queue_.front());
      queue_.pop_front();
    }
    lock.unlock();
    const bool written = write_out(text);
    lock.lock();
    if (!written || std::chrono::steady_clock::now() > deadline) return;
  }
}
