// The X11 backend: the connection, its event thread, screen queries and
// captures (into a caller's surface, or the whole screen into a buffer of its
// own), and the factory of windows.
// Depends on: the X11 connection, events, images, windows and message box.
#include "display/backends.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "display/screen_read.h"
#include "display/x11/x11_events.h"
#include "display/x11/x11_image.h"
#include "display/x11/x11_message_box.h"
#include "display/x11/x11_window.h"

namespace platform::display::x11 {
namespace {

class X11Backend final : public Backend {
 public:
  explicit X11Backend(std::shared_ptr<Connection> connection)
      : connection_(std::move(connection)), events_(connection_) {}

  ~X11Backend() override {
    std::lock_guard<std::mutex> capture_lock(capture_mutex_);
    DisplayLock lock(*connection_);
    capture_.reset();
  }

  const char* name() const override { return "x11"; }

  std::unique_ptr<NativeWindow> create_window(const NativeWindowParams& params) override {
    return std::make_unique<X11Window>(connection_, params);
  }

  int bits_per_pixel() override { return connection_->pixels().bits_per_pixel(); }

  SIZE screen_size() override {
    Display* display = connection_->display();
    return SIZE{DisplayWidth(display, connection_->screen()), DisplayHeight(display, connection_->screen())};
  }

  POINT cursor_position() override {
    Window root = None;
    Window child = None;
    int root_x = 0;
    int root_y = 0;
    int window_x = 0;
    int window_y = 0;
    unsigned buttons = 0;
    DisplayLock lock(*connection_);
    XQueryPointer(connection_->display(), connection_->root(), &root, &child, &root_x, &root_y, &window_x,
                  &window_y, &buttons);
    return POINT{root_x, root_y};
  }

  bool read_screen(int x, int y, const Surface& destination) override {
    if (destination.bits == nullptr || (destination.bits_per_pixel != 32 && destination.bits_per_pixel != 24))
      return false;
    const RECT part = on_screen_part(x, y, screen_size(), destination);
    if (part.left >= part.right) return true;
    const int width = static_cast<int>(part.right - part.left), height = static_cast<int>(part.bottom - part.top);

    std::lock_guard<std::mutex> capture_lock(capture_mutex_);
    DisplayLock lock(*connection_);
    if (!capture_ || capture_->width() != width || capture_->height() != height) {
      capture_.reset();
      capture_ = Image::create(*connection_, width, height);
    }
    if (!capture_ || !capture_->get(connection_->root(), part.left, part.top)) return false;
    for (int row = 0; row < height; ++row)
      connection_->pixels().decode(capture_->row(row), destination, part.left - x, part.top - y + row, width);
    return true;
  }

  const Surface& screen() override {
    std::lock_guard<std::mutex> lock(screen_mutex_);
    if (screen_pixels_.empty()) {
      const SIZE size = screen_size();
      screen_.width = std::max<int>(size.cx, 1);
      screen_.height = std::max<int>(size.cy, 1);
      screen_.stride = ptrdiff_t{screen_.width} * 4;
      screen_.bits_per_pixel = 32;
      screen_pixels_.assign(size_t(screen_.width) * size_t(screen_.height), 0u);
      screen_.bits = reinterpret_cast<uint8_t*>(screen_pixels_.data());
    }
    read_screen(0, 0, screen_);
    return screen_;
  }

  bool show_message_box(const std::wstring& caption, const std::wstring& text) override {
    return x11::show_message_box(DisplayString(connection_->display()), caption, text);
  }

 private:
  std::shared_ptr<Connection> connection_;
  EventThread events_;
  std::mutex capture_mutex_;
  std::unique_ptr<Image> capture_;  // reused while captures keep their size
  std::mutex screen_mutex_;
  std::vector<uint32_t> screen_pixels_;  // the last whole-screen read, made on first use
  Surface screen_;
};

}  // namespace

std::unique_ptr<Backend> try_open(std::string* why) {
  std::shared_ptr<Connection> connection = Connection::open(why);
  if (!connection) return nullptr;
  return std::make_unique<X11Backend>(std::move(connection));
}

}  // namespace platform::display::x11
