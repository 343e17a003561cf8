// The headless backend: native windows in memory over the GDI's virtual
// screen; no message boxes.
#include "display/headless/headless_backend.h"

#include <cstring>
#include <mutex>

#include "display/headless/headless_window.h"
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
    const gdi::Surface& screen = gdi::screen_surface();
    if (destination.bits_per_pixel != 32 || x < 0 || y < 0 || x + destination.width > screen.width ||
        y + destination.height > screen.height) {
      return false;
    }
    for (int row = 0; row < destination.height; ++row) {
      std::memcpy(destination.row32(row), screen.row32(y + row) + x, static_cast<size_t>(destination.width) * 4);
    }
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
