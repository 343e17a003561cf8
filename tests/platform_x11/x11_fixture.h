// A fixture that gives each test its own Xvfb, an X11 backend on it (from
// try_open, not the process-wide backend), and a second connection of our
// own that looks at what the backend did, as a window manager would.
// Depends on: support/xvfb_server.h, the X11 backend, Xlib.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display/backends.h"
#include "support/xvfb_server.h"

#include <X11/Xlib.h>

namespace x11_test {

// A 32-bit top-down surface that owns its pixels.
struct OwnedSurface {
  OwnedSurface(int width, int height) : pixels(static_cast<size_t>(width) * height) {
    surface.bits = reinterpret_cast<uint8_t*>(pixels.data());
    surface.width = width;
    surface.height = height;
    surface.stride = static_cast<ptrdiff_t>(width) * 4;
    surface.bits_per_pixel = 32;
  }
  uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * surface.width + x]; }

  std::vector<uint32_t> pixels;
  platform::display::Surface surface;
};

// A property as the server holds it; `exists` is false when it is not set.
struct Property {
  bool exists = false;
  Atom type = None;
  int format = 0;
  std::vector<unsigned char> bytes;  // format 8
  std::vector<long> values;          // format 32, as Xlib hands them out (sign-extended)
};

class X11Test : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The screen as Xvfb's -screen takes it: size and depth.
  virtual std::string screen() const { return "1280x720x24"; }
  // Extra Xvfb arguments, e.g. to turn an extension off.
  virtual std::vector<std::string> server_arguments() const { return {}; }

  platform::display::NativeWindowParams params(const std::wstring& title, const RECT& client) const;
  // The root's children, bottom of the stacking order first.
  std::vector<Window> top_levels();
  // The top-level window whose _NET_WM_NAME is `title`, waiting for it to
  // appear; None when it never does.
  Window find_window(const std::string& title);
  Property property(Window window, const char* name);
  Atom atom(const char* name);
  // Polls (with XSync on our connection) until `done` holds or some seconds
  // have passed; the backend's requests travel on its own connection.
  bool wait_until(const std::function<bool()>& done);

  XvfbServer server_;
  std::unique_ptr<platform::display::Backend> backend_;
  Display* probe_ = nullptr;
};

}  // namespace x11_test
