// The client's shared state and its spin-lock. Everything here exists before
// main: the partner's picture is made with the library before any window.
// Depends on: Frond (newimage, sleep_ms). Reads no settings and starts no threads.

#include "Client/client_state.h"

#include <chrono>
#include <csignal>

namespace quillfern {

client_settings settings;

std::atomic<int32_t> window_alpha{255};
int32_t window_width = 640;
int32_t window_height = 360;

std::atomic<uint8_t> hold_mode{0};
std::atomic<uint8_t> chat_mode{0};
std::atomic<uint8_t> topmost_mode{0};
std::atomic<uint8_t> network_error{0};
std::atomic<uint8_t> file_invalid{0};
std::atomic<uint8_t> user_not_found{0};
std::atomic<uint8_t> new_chat{0};
std::atomic<uint8_t> refresh_ended{0};
std::atomic<uint8_t> notification_ended{0};
std::atomic<uint8_t> input_ended{0};

namespace {

std::atomic<uint8_t> state_lock{0};

uint64_t steady_nanoseconds() {
  return uint64_t(
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

}  // namespace

std::string chat_text;
frond::IMAGE* received_image = frond::newimage();
std::mt19937_64 token_engine(steady_nanoseconds());
std::ofstream log_file;

void lock_state() {
  uint8_t expected = 0;
  while (!state_lock.compare_exchange_strong(expected, 1)) {
    expected = 0;
    frond::sleep_ms(5);
  }
}

void unlock_state() {
  state_lock.store(0);
  std::atomic_thread_fence(std::memory_order_seq_cst);
}

}  // namespace quillfern
