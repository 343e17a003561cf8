// The client's shared state: settings, mode and error flags, window size and
// opacity, the chat line, the partner's picture, the worker threads' ended
// flags and the cycle-token generator, with the one spin-lock that guards
// drawing on the window and the picture, the chat text, the token generator,
// the window size and the caption. The lock is not re-entrant.
// Depends on: Frond's public header (images, colours). Owns no threads; callers take the lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>

#include "graphics/frond.h"

namespace quillfern {

constexpr int EXCHANGE_PORT = 26001;
// The exchange host used when the settings name none.
constexpr const char* default_server = "localhost";

// What "settings.txt" sets.
struct client_settings {
  std::string server = default_server;
  std::string user;
  std::string key;            // 48 lower-case hexadecimal characters once accepted
  int interval = 1;           // cycle period = interval x 5 s
  int resolution = 1;         // 1: 1600x900, 2: 1280x720, 3: 960x540
  bool animation_enabled = false;
  frond::argb_color chat_color = 0xFF5BFE4B;
};

extern client_settings settings;

extern std::atomic<int32_t> window_alpha;
extern int32_t window_width;   // under the lock
extern int32_t window_height;  // under the lock

extern std::atomic<uint8_t> hold_mode;
extern std::atomic<uint8_t> chat_mode;  // changed under the lock
extern std::atomic<uint8_t> topmost_mode;
extern std::atomic<uint8_t> network_error;
extern std::atomic<uint8_t> file_invalid;
extern std::atomic<uint8_t> user_not_found;
extern std::atomic<uint8_t> new_chat;
extern std::atomic<uint8_t> refresh_ended;
extern std::atomic<uint8_t> notification_ended;
extern std::atomic<uint8_t> input_ended;

extern std::string chat_text;            // under the lock; at most 32 bytes
extern frond::IMAGE* received_image;     // under the lock
extern std::mt19937_64 token_engine;     // under the lock
extern std::ofstream log_file;

// Takes the spin-lock, sleeping 5 ms between tries.
void lock_state();
// Releases it: a store, then a full fence.
void unlock_state();

}  // namespace quillfern
