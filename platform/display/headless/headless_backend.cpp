// The headless backend: native windows in memory over the GDI's virtual
// screen; no message boxes.
#include "display/headless/headless_backend.h"

#include <cstring>
#include <mutex>

#include "display/headless/headless_window.h"
#include "display/screen_read.h"
#include "gdi/screen.h"

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

  SIZE screen_size() override { return SIZE{gdi::kScreenWidth, gdi::kScreenHeight}; }

  POINT cursor_position() override {
    std::lock_guard<std::mutex> lock(pointer_mutex);
    return pointer;
  }

  bool read_screen(int x, int y, const gdi::Surface& destination) override {
    if (destination.bits == nullptr || (destination.bits_per_pixel != 32 && destination.bits_per_pixel != 24))
      return false;
    const gdi::Surface& screen = gdi::screen_surface();
    if (destination.bits == screen.bits) return true;  // the screen is this buffer
    const RECT part = on_screen_part(x, y, screen_size(), destination);
    for (LONG row = part.top; row < part.bottom; ++row)
      write_words(destination, static_cast<int>(part.left - x), static_cast<int>(row - y),
                  screen.row32(static_cast<int>(row)) + part.left, static_cast<int>(part.right - part.left));
    return true;
  }

  bool show_message_box(const std::wstring&, const std::wstring&) override { return false; }
};

}  // namespace

std::unique_ptr<Backend> open() { return std::make_unique<HeadlessBackend>(); }

void set_pointer(POINT position) {
  std::lock_guard<std::mutex> lock(pointer_mutex);
  pointer = position;
}

}  // namespace platform::display::headless
