// A headless native window: the state a real one would show, kept for tests,
// and presents copied onto the virtual screen while the window is shown.
// Depends on: display.h, the test seams' window-state record. No X11, no
// window manager calls.
#pragma once

#include <mutex>

#include "display/display.h"
#include "platform/test_seams.h"
#include "platform/windowing.h"

namespace platform::display::headless {

class HeadlessWindow : public NativeWindow {
 public:
  explicit HeadlessWindow(const NativeWindowParams& params);
  ~HeadlessWindow() override;

  void set_title(const std::wstring& title) override;
  void set_visible(bool visible) override;
  void set_client_rect(const RECT& client) override;
  void set_topmost(bool topmost) override;
  void set_opacity(BYTE alpha) override;
  void raise_and_focus() override;
  void set_cursor_hidden(bool hidden) override;
  void set_input_spot(POINT spot) override;
  void present(const Surface& client, const RECT& area) override;

  platform_test::HeadlessWindowState snapshot();

 private:
  const HWND hwnd_;
  std::mutex mutex_;
  platform_test::HeadlessWindowState state_;
};

}  // namespace platform::display::headless
