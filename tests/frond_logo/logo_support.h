// Watching the headless screen while the start-up logo plays.
// Depends on: the window fixture's screen reads. Asserts nothing itself.
#pragma once

#include <atomic>
#include <thread>

#include "support/window_fixture.h"

namespace logo_test {

using frond_test::on_screen;

// Notes, until stopped, whether the window's centre ever showed white and
// ever showed something neither white, black nor grey (the logo's colours).
class ScreenWatcher {
 public:
  ScreenWatcher()
      : thread_([this] {
          while (!stop_) {
            if (frond::getwindowhandle() != nullptr && frond::iswindowready()) {
              const uint32_t centre = on_screen(320, 180);
              const int r = (centre >> 16) & 255, g = (centre >> 8) & 255, b = centre & 255;
              if (centre == 0xFFFFFF) saw_white_ = true;
              if (!(r == g && g == b)) saw_colour_ = true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
          }
        }) {}
  ~ScreenWatcher() { stop(); }
  void stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool saw_white() const { return saw_white_; }
  bool saw_colour() const { return saw_colour_; }

 private:
  std::atomic<bool> stop_{false}, saw_white_{false}, saw_colour_{false};
  std::thread thread_;
};

}  // namespace logo_test
