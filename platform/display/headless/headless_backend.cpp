// The headless backend: native windows in memory over its own virtual
// screen (headless_screen.h), the pointer where the test seams last put it;
// no message boxes.
// Depends on: the headless windows and screen, screen_read.h. No X11.
#include "display/headless/headless_backend.h"

#include <mutex>

#include "display/backends.h"
#include "display/headless/headless_screen.h"
#include "display/headless/headless_window.h"
#include "display/screen_read.h"

namespace platform::display::headless {
namespace {

std::mutex pointer_mutex;
POINT pointer = {0, 0};

class HeadlessBackend : public Backend {
 public:
  const char* name() const override { return "headless"; }

  std::unique_ptr<NativeWindow> create_window(const NativeWindowParams& params) override {
    return std::make_unique<HeadlessWindow>(params);
  }

  int bits_per_pixel() override { return 32; }

  SIZE screen_size() override { return SIZE{kScreenWidth, kScreenHeight}; }

  POINT cursor_position() override {
    std::lock_guard<std::mutex> lock(pointer_mutex);
    return pointer;
  }

  bool read_screen(int x, int y, const Surface& destination) override {
    if (destination.bits == nullptr || (destination.bits_per_pixel != 32 && destination.bits_per_pixel != 24))
      return false;
    const Surface& screen = headless::screen();
    if (destination.bits == screen.bits) return true;  // the screen is this buffer
    const RECT part = on_screen_part(x, y, screen_size(), destination);
    for (LONG row = part.top; row < part.bottom; ++row)
      write_words(destination, static_cast<int>(part.left - x), static_cast<int>(row - y),
                  screen.row32(static_cast<int>(row)) + part.left, static_cast<int>(part.right - part.left));
    return true;
  }

  const Surface& screen() override { return headless::screen(); }

  bool show_message_box(const std::wstring&, const std::wstring&) override { return false; }
};

}  // namespace

std::unique_ptr<Backend> open() { return std::make_unique<HeadlessBackend>(); }

void set_pointer(POINT position) {
  std::lock_guard<std::mutex> lock(pointer_mutex);
  pointer = position;
}

}  // namespace platform::display::headless
