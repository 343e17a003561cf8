// The backend of this process, chosen on first use: X11 when DISPLAY is set,
// else headless. Tests may force headless.
// Depends on: the two backends' entry points (backends.h).
// Knows no backend's state and compares no backend names.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "display/backends.h"
#include "display/display.h"
#include "platform/test_seams.h"
#include "platform/windowing.h"

namespace platform::display {
namespace {

std::atomic<bool> headless_forced{false};

// A display that is named but cannot be used: no windows open on it (so the
// program's window creation fails as on any failure); the rest is headless.
class UnusableDisplay final : public Backend {
 public:
  explicit UnusableDisplay(std::unique_ptr<Backend> rest) : rest_(std::move(rest)) {}
  // Its screen is the headless one.
  const char* name() const override { return rest_->name(); }
  std::unique_ptr<NativeWindow> create_window(const NativeWindowParams&) override { return nullptr; }
  int bits_per_pixel() override { return rest_->bits_per_pixel(); }
  SIZE screen_size() override { return rest_->screen_size(); }
  POINT cursor_position() override { return rest_->cursor_position(); }
  bool read_screen(int x, int y, const Surface& destination) override {
    return rest_->read_screen(x, y, destination);
  }
  const Surface& screen() override { return rest_->screen(); }
  bool show_message_box(const std::wstring&, const std::wstring&) override { return false; }

 private:
  std::unique_ptr<Backend> rest_;
};

// X11 when DISPLAY is set, headless when it is not (or tests ask for it).
std::unique_ptr<Backend> choose() {
  if (headless_forced) return headless::open();
  std::string why;
  if (std::unique_ptr<Backend> x11 = x11::try_open(&why)) return x11;
  if (why.empty()) return headless::open();
  std::fprintf(stderr, "The X display \"%s\" cannot be used: %s.\n", std::getenv("DISPLAY"), why.c_str());
  return std::make_unique<UnusableDisplay>(headless::open());
}

}  // namespace

Backend& backend() {
  static const std::unique_ptr<Backend> chosen = choose();
  return *chosen;
}

}  // namespace platform::display

void platform_test::use_headless_display() { platform::display::headless_forced = true; }
