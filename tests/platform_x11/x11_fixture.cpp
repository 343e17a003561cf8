// The X11 test fixture: a server per test, the backend on it, and a look at it from outside.
// Depends on: support/xvfb_server.h, the X11 backend, Xlib.
#include "x11_fixture.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include <X11/Xutil.h>

namespace x11_test {

void X11Test::SetUp() {
  if (!server_.start(screen(), server_arguments())) GTEST_SKIP() << "no Xvfb could be started";
  setenv("DISPLAY", server_.display().c_str(), 1);
  std::string why;
  backend_ = platform::display::x11::try_open(&why);
  ASSERT_NE(backend_, nullptr) << why;
  probe_ = XOpenDisplay(server_.display().c_str());
  ASSERT_NE(probe_, nullptr);
}

void X11Test::TearDown() {
  backend_.reset();
  if (probe_ != nullptr) XCloseDisplay(probe_);
  unsetenv("DISPLAY");
  server_.stop();
}

platform::display::NativeWindowParams X11Test::params(const std::wstring& title, const RECT& client) const {
  platform::display::NativeWindowParams result;
  // The window manager's handle only travels back in events.
  result.hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x5150));
  result.client = client;
  result.title = title;
  return result;
}

Atom X11Test::atom(const char* name) { return XInternAtom(probe_, name, False); }

Property X11Test::property(Window window, const char* name) {
  Property result;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(probe_, window, atom(name), 0, 1 << 16, False, AnyPropertyType, &type, &format, &count,
                         &remaining, &data) != Success) {
    return result;
  }
  result.exists = type != None;
  result.type = type;
  result.format = format;
  if (format == 8) result.bytes.assign(data, data + count);
  if (format == 32) result.values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
  if (data != nullptr) XFree(data);
  return result;
}

std::vector<Window> X11Test::top_levels() {
  Window root = None;
  Window parent = None;
  Window* children = nullptr;
  unsigned count = 0;
  XQueryTree(probe_, DefaultRootWindow(probe_), &root, &parent, &children, &count);
  std::vector<Window> result(children, children + count);
  if (children != nullptr) XFree(children);
  return result;
}

Window X11Test::find_window(const std::string& title) {
  Window found = None;
  wait_until([&] {
    for (Window window : top_levels()) {
      const Property name = property(window, "_NET_WM_NAME");
      if (std::string(name.bytes.begin(), name.bytes.end()) == title) found = window;
    }
    return found != None;
  });
  return found;
}

bool X11Test::wait_until(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < deadline) {
    XSync(probe_, False);
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

}  // namespace x11_test
