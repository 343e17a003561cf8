// The display interface under the window manager: what a backend does for a
// top-level window (show it, move it, set its title, opacity and z-order,
// present its client pixels) and what it tells the window manager (input,
// close requests, moves) through the event sink of display/event_sink.h.
//
// Two backends implement it: X11 (chosen when DISPLAY is set) and headless
// (chosen when it is not; its "screen" is a 1920x1080 framebuffer in memory,
// and tests inject input through platform_test:: functions that enter the
// window manager where the X11 backend does). A display that is named but
// cannot be used is reported once on stderr, and its windows fail to open.
//
// Backends run their own event thread where they need one; every call below
// may come from any thread.
// Depends on: the Surface type and the public Windows types. Draws nothing
// itself (the GDI draws into surfaces; backends only present them). Includes
// nothing of the GDI or the window manager: they call down into this layer,
// never the other way (the window manager registers the sinks it calls).
#pragma once

#include <memory>
#include <string>

#include "display/surface.h"
#include "platform/wintypes.h"

namespace platform::display {

struct NativeWindowParams {
  HWND hwnd = nullptr;        // the window manager's handle, passed back in events
  RECT client = {};           // client area in screen coordinates
  std::wstring title;
  bool resizable = false;     // fixed size hints unless the style has a sizing border
  bool topmost = false;
  bool popup = false;         // no caption or border (WS_POPUP without WS_CAPTION)
  bool position_set = true;   // false: the program left the position to the system
};

class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  virtual void set_title(const std::wstring& title) = 0;
  virtual void set_visible(bool visible) = 0;
  // New client rectangle in screen coordinates.
  virtual void set_client_rect(const RECT& client) = 0;
  virtual void set_topmost(bool topmost) = 0;
  // 255 = opaque.
  virtual void set_opacity(BYTE alpha) = 0;
  virtual void raise_and_focus() = 0;
  virtual void set_cursor_hidden(bool hidden) = 0;
  // Where an input method shows text being composed (client coordinates).
  virtual void set_input_spot(POINT spot) = 0;
  // Copies `area` (client coordinates) of the client pixels to the screen.
  virtual void present(const Surface& client, const RECT& area) = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual const char* name() const = 0;
  // Null when the backend cannot make windows.
  virtual std::unique_ptr<NativeWindow> create_window(const NativeWindowParams& params) = 0;
  // Bits of one screen pixel, as a display device context reports them (8, 16 or 32).
  virtual int bits_per_pixel() = 0;
  // Size of the primary screen in pixels.
  virtual SIZE screen_size() = 0;
  // Pointer position in screen coordinates.
  virtual POINT cursor_position() = 0;
  // Copies the screen's pixels at (x, y) into `destination` (32 bits a pixel
  // with alpha 0, or 24; either row order); what lies off the screen reads as
  // black. False when the destination is of another depth or the read failed.
  virtual bool read_screen(int x, int y, const Surface& destination) = 0;
  // What the screen shows now, as a 32-bit surface of screen_size(): the
  // headless backend's own framebuffer, or the real screen read into a buffer
  // the backend keeps (the whole screen, once per call). Valid for the life
  // of the process; a failed read leaves the last picture.
  virtual const Surface& screen() = 0;
  // Shows a modal message box when the backend can; false when it cannot.
  virtual bool show_message_box(const std::wstring& caption, const std::wstring& text) = 0;
};

// The backend of this process: X11 when DISPLAY is set, else headless.
Backend& backend();

}  // namespace platform::display
