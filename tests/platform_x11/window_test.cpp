// Windows of the X11 backend as another client of the server sees them:
// properties, hints, geometry and the messages meant for a window manager.
// Depends on: x11_fixture (an Xvfb per test).
#include <algorithm>
#include <cstdlib>
#include <future>

#include "x11_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace x11_test {
namespace {

constexpr RECT kClient = {100, 50, 420, 230};  // 320x180


class X11WindowTest : public X11Test {
 protected:
  // x, y (on the root), width and height.
  std::vector<long> geometry(Window window) {
    Window root = None, child = None;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(probe_, window, &root, &x, &y, &width, &height, &border, &depth);
    XTranslateCoordinates(probe_, window, root, 0, 0, &x, &y, &child);
    return {x, y, long(width), long(height)};
  }

  int map_state(Window window) {
    XWindowAttributes attributes;
    XGetWindowAttributes(probe_, window, &attributes);
    return attributes.map_state;
  }

  void close_message_box(XEvent closing);

  // Fixed windows have their client size as both limits; resizable ones (width 0) have none.
  void expect_size_hints(Window window, int width, int height) {
    XSizeHints hints = {};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(probe_, window, &hints, &supplied));
    const long always = PWinGravity | USPosition, limits = width > 0 ? PMinSize | PMaxSize : 0;
    EXPECT_EQ(hints.flags & (PMinSize | PMaxSize | always), limits | always);
    EXPECT_EQ(hints.win_gravity, StaticGravity);
    if (width == 0) return;
    EXPECT_EQ((std::vector<int>{hints.min_width, hints.max_width, hints.min_height, hints.max_height}),
              (std::vector<int>{width, width, height, height}));
  }

  // Client messages sent to the root window, where a window manager would
  // take them; the first one of `type` that comes within some seconds.
  bool next_root_message(Atom type, XClientMessageEvent* out) {
    return wait_until([&] {
      while (XPending(probe_) > 0) {
        XEvent event;
        XNextEvent(probe_, &event);
        if (event.type == ClientMessage && event.xclient.message_type == type) {
          *out = event.xclient;
          return true;
        }
      }
      return false;
    });
  }
};

// Without a display the backend declines quietly; a display that is named
// but cannot be used is declined with the reason.
TEST(X11TryOpen, DeclinesWithoutADisplayAndSaysWhyWhenOneIsUnusable) {
  XvfbServer deep;
  const bool have_deep = deep.start("640x480x30");
  const struct {
    const char* display;
    const char* why;
  } cases[] = {
      {nullptr, ""}, {"", ""}, {":4093", "it does not open"},
      {have_deep ? deep.display().c_str() : nullptr, have_deep ? "30-bit TrueColor" : ""},
  };
  for (const auto& c : cases) {
    if (c.display == nullptr)
      unsetenv("DISPLAY");
    else
      setenv("DISPLAY", c.display, 1);
    std::string why = "unchanged";
    EXPECT_EQ(platform::display::x11::try_open(&why), nullptr);
    EXPECT_NE(why.find(c.why), std::string::npos) << why;
    EXPECT_EQ(why.empty(), *c.why == '\0') << why;
  }
  unsetenv("DISPLAY");
}

TEST_F(X11WindowTest, AppearsWithItsTitleAndGeometry) {
  auto window = backend_->create_window(params(L"Quillfern \u00FC\u4E2D\U0001F600", kClient));
  window->set_visible(true);
  const Window id = find_window("Quillfern \xC3\xBC\xE4\xB8\xAD\xF0\x9F\x98\x80");
  ASSERT_NE(id, None);
  EXPECT_EQ(property(id, "_NET_WM_NAME").type, atom("UTF8_STRING"));
  ASSERT_TRUE(wait_until([&] { return map_state(id) == IsViewable; }));
  EXPECT_EQ(geometry(id), (std::vector<long>{100, 50, 320, 180}));

  // A new title reaches both name properties.
  window->set_title(L"Second");
  ASSERT_TRUE(wait_until([&] {
    const Property name = property(id, "_NET_WM_NAME");
    return std::string(name.bytes.begin(), name.bytes.end()) == "Second";
  }));
  const Property legacy = property(id, "WM_NAME");
  EXPECT_EQ(legacy.type, XA_STRING);
  EXPECT_EQ(std::string(legacy.bytes.begin(), legacy.bytes.end()), "Second");

  window->set_visible(false);
  EXPECT_TRUE(wait_until([&] { return map_state(id) == IsUnmapped; }));
  window.reset();
  EXPECT_TRUE(wait_until([&] {
    const std::vector<Window> windows = top_levels();
    return std::find(windows.begin(), windows.end(), id) == windows.end();
  }));
}

TEST_F(X11WindowTest, NormalPopupAndResizableWindowsAskForTheirHints) {
  auto normal = backend_->create_window(params(L"Normal", kClient));
  auto popup_params = params(L"Popup", kClient);
  popup_params.popup = true;
  auto popup = backend_->create_window(popup_params);
  auto resizable_params = params(L"Resizable", kClient);
  resizable_params.resizable = true;
  auto resizable = backend_->create_window(resizable_params);
  const Window normal_id = find_window("Normal"), popup_id = find_window("Popup");
  const Window resizable_id = find_window("Resizable");
  ASSERT_TRUE(normal_id != None && popup_id != None && resizable_id != None);
  // Close-button messages and a normal type; no decoration hints.
  EXPECT_EQ(property(normal_id, "WM_PROTOCOLS").values, std::vector<long>{static_cast<long>(atom("WM_DELETE_WINDOW"))});
  EXPECT_EQ(property(normal_id, "_NET_WM_WINDOW_TYPE").values,
            std::vector<long>{static_cast<long>(atom("_NET_WM_WINDOW_TYPE_NORMAL"))});
  EXPECT_FALSE(property(normal_id, "_MOTIF_WM_HINTS").exists);
  // Popups: flags = decorations given, functions, decorations = none, input mode, status.
  EXPECT_EQ(property(popup_id, "_MOTIF_WM_HINTS").values, (std::vector<long>{2, 0, 0, 0, 0}));
  expect_size_hints(normal_id, 320, 180);
  expect_size_hints(resizable_id, 0, 0);

  normal->set_client_rect(RECT{10, 20, 410, 320});
  EXPECT_TRUE(wait_until([&] { return geometry(normal_id) == std::vector<long>{10, 20, 400, 300}; }));
  expect_size_hints(normal_id, 400, 300);
}

TEST_F(X11WindowTest, OpacityIsACardinalThatOpaqueRemoves) {
  auto window = backend_->create_window(params(L"Opacity", kClient));
  const Window id = find_window("Opacity");
  ASSERT_NE(id, None);
  const auto opacity_becomes = [&](BYTE alpha, uint32_t cardinal) {
    window->set_opacity(alpha);
    return wait_until([&] {
      const Property value = property(id, "_NET_WM_WINDOW_OPACITY");
      return value.type == XA_CARDINAL && value.values.size() == 1 &&
             static_cast<uint32_t>(value.values[0]) == cardinal;
    });
  };
  EXPECT_TRUE(opacity_becomes(0x80, 0x80808080u));
  EXPECT_TRUE(opacity_becomes(0, 0));
  EXPECT_TRUE(opacity_becomes(254, 0xFEFEFEFEu));
  window->set_opacity(255);
  EXPECT_TRUE(wait_until([&] { return !property(id, "_NET_WM_WINDOW_OPACITY").exists; }));
}

TEST_F(X11WindowTest, TopmostIsAStateBeforeMappingAndAMessageAfter) {
  auto topmost = params(L"Topmost", kClient);
  topmost.topmost = true;
  auto window = backend_->create_window(topmost);
  const Window id = find_window("Topmost");
  ASSERT_NE(id, None);
  const long above = static_cast<long>(atom("_NET_WM_STATE_ABOVE"));
  EXPECT_EQ(property(id, "_NET_WM_STATE").values, std::vector<long>{above});
  window->set_topmost(false);
  ASSERT_TRUE(wait_until([&] { return !property(id, "_NET_WM_STATE").exists; }));
  window->set_topmost(true);
  window->set_visible(true);
  ASSERT_TRUE(wait_until([&] { return property(id, "_NET_WM_STATE").values == std::vector<long>{above}; }));

  // Mapped, the window manager owns the state: ask it (remove, ABOVE, none, application).
  XSelectInput(probe_, DefaultRootWindow(probe_), SubstructureNotifyMask);
  XSync(probe_, False);
  window->set_topmost(false);
  XClientMessageEvent message = {};
  ASSERT_TRUE(next_root_message(atom("_NET_WM_STATE"), &message));
  EXPECT_EQ(message.window, id);
  EXPECT_EQ(message.format, 32);
  EXPECT_EQ(std::vector<long>(message.data.l, message.data.l + 4), (std::vector<long>{0, above, 0, 1}));
  window->set_topmost(true);
  ASSERT_TRUE(next_root_message(atom("_NET_WM_STATE"), &message));
  EXPECT_EQ(std::vector<long>(message.data.l, message.data.l + 2), (std::vector<long>{1, above}));
}

TEST_F(X11WindowTest, RaiseAndFocusAsksForTheActiveWindowAndRaises) {
  auto lower = backend_->create_window(params(L"Lower", kClient));
  auto upper = backend_->create_window(params(L"Upper", kClient));
  lower->set_visible(true);
  upper->set_visible(true);
  const Window lower_id = find_window("Lower");
  ASSERT_NE(lower_id, None);
  XSelectInput(probe_, DefaultRootWindow(probe_), SubstructureNotifyMask);
  XSync(probe_, False);
  lower->raise_and_focus();
  XClientMessageEvent message = {};
  ASSERT_TRUE(next_root_message(atom("_NET_ACTIVE_WINDOW"), &message));
  EXPECT_EQ(message.window, lower_id);
  EXPECT_EQ(message.data.l[0], 1);  // from an application
  EXPECT_TRUE(wait_until([&] { return top_levels().back() == lower_id; }));
}

// Shows a message box, checks its window, sends it `closing` (completed with
// the box's id) and expects the box to return true.
void X11WindowTest::close_message_box(XEvent closing) {
  auto shown = std::async(std::launch::async,
                          [&] { return backend_->show_message_box(L"Caption \u00E9", L"Line one\nLine two"); });
  const Window box = find_window("Caption \xC3\xA9");
  ASSERT_NE(box, None);
  EXPECT_EQ(property(box, "_NET_WM_WINDOW_TYPE").values,
            std::vector<long>{static_cast<long>(atom("_NET_WM_WINDOW_TYPE_DIALOG"))});
  EXPECT_EQ(property(box, "WM_PROTOCOLS").values, std::vector<long>{static_cast<long>(atom("WM_DELETE_WINDOW"))});
  closing.xany.window = box;
  // An empty event mask sends the event to the client that made the box.
  XSendEvent(probe_, box, False, 0, &closing);
  XFlush(probe_);
  EXPECT_TRUE(shown.get());
}

TEST_F(X11WindowTest, MessageBoxClosesOnAKeyOrItsCloseButton) {
  XEvent key = {};
  key.xkey.type = KeyPress;
  key.xkey.keycode = 36;
  close_message_box(key);
  XEvent close = {};
  close.xclient.type = ClientMessage;
  close.xclient.message_type = atom("WM_PROTOCOLS");
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(atom("WM_DELETE_WINDOW"));
  close_message_box(close);
}

}  // namespace
}  // namespace x11_test
