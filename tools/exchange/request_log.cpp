#include "request_log.h"

#include <cstdio>
#include <ctime>
#include <mutex>

namespace {

std::mutex log_mutex;

constexpr std::size_t kMaxShown = 200;

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

void log_line(const std::string& text) {
  std::lock_guard<std::mutex> lock(log_mutex);
  std::fprintf(stdout, "%s %s\n", timestamp().c_str(), text.c_str());
  std::fflush(stdout);
}

void log_request(const std::string& method, const std::string& target, int status, std::size_t in_bytes,
                 std::size_t out_bytes) {
  log_line(printable(method) + " " + printable(target) + " " + std::to_string(status) +
           " in=" + std::to_string(in_bytes) + " out=" + std::to_string(out_bytes));
}
