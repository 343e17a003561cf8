// The backend of this process, chosen on first use from an ordered list: X11
// when a display opens, else headless. Tests may force headless first.
#include <atomic>

#include "display/display.h"
#include "display/headless/headless_backend.h"
#include "display/x11/x11_backend.h"
#include "platform/windowing.h"

namespace platform::display {
namespace {

std::atomic<bool> headless_forced{false};

std::unique_ptr<Backend> choose() {
  using Opener = std::unique_ptr<Backend> (*)();
  static constexpr Opener kOrder[] = {x11::try_open, headless::open};
  for (const Opener open : kOrder) {
    if (headless_forced && open != headless::open) continue;
    if (std::unique_ptr<Backend> backend = open()) return backend;
  }
  return nullptr;  // not reached: headless always opens
}

}  // namespace

Backend& backend() {
  static const std::unique_ptr<Backend> chosen = choose();
  return *chosen;
}

}  // namespace platform::display

void platform_test::use_headless_display() { platform::display::headless_forced = true; }
