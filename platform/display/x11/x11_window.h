// A top-level X window standing for a top-level window of the window
// manager: its properties (title, size hints, type, state, opacity), its
// visibility, place and stacking, and its presents.
// Depends on: display.h, the framebuffer. Reads no events.
#pragma once

#include <memory>

#include "display/display.h"
#include "display/x11/x11_framebuffer.h"

namespace platform::display::x11 {

class X11Window final : public NativeWindow {
 public:
  X11Window(std::shared_ptr<Connection> connection, const NativeWindowParams& params);
  ~X11Window() override;

  void set_title(const std::wstring& title) override;
  void set_visible(bool visible) override;
  void set_client_rect(const RECT& client) override;
  void set_topmost(bool topmost) override;
  void set_opacity(BYTE alpha) override;
  void raise_and_focus() override;
  void set_cursor_hidden(bool hidden) override;
  void set_input_spot(POINT spot) override;
  void present(const Surface& client, const RECT& area) override;

 private:
  // With the display locked: _NET_WM_STATE as the window starts in, which
  // EWMH wants set before mapping.
  void write_initial_state();
  // With the display locked: a client message to the root window, where the
  // desktop's window manager listens.
  void send_to_window_manager(Atom type, long l0, long l1, long l2, long l3);

  std::shared_ptr<Connection> connection_;  // outlives everything below
  Display* display_;
  Window window_;
  XIC input_context_;
  bool input_spot_ = false;  // the input context places composition at a spot
  bool resizable_;
  // Changed only with the display locked.
  bool mapped_ = false;
  bool topmost_;
  std::unique_ptr<Framebuffer> framebuffer_;
};

}  // namespace platform::display::x11
