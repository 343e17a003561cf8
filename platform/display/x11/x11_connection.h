// The connection to the X server that the backend's windows, presents and
// event thread share: the display, its screen and visual, the atoms we use,
// what the server offers (MIT-SHM, an input method), the window table, and
// the pipe that wakes the event thread.
//
// Xlib is used from several threads: XInitThreads makes single calls safe,
// and every sequence of calls runs under a DisplayLock.
// Depends on: Xlib, the pixel format and the window table. Makes no windows
// and reads no events.
#pragma once

#include <memory>
#include <string>

#include "display/x11/x11_pixel_format.h"
#include "display/x11/x11_window_table.h"

#include <X11/Xlib.h>

namespace platform::display::x11 {

struct Atoms {
  Atom wm_protocols;
  Atom wm_delete_window;
  Atom utf8_string;
  Atom net_wm_name;
  Atom net_wm_window_type;
  Atom net_wm_window_type_normal;
  Atom net_wm_window_type_dialog;
  Atom motif_wm_hints;
  Atom net_wm_state;
  Atom net_wm_state_above;
  Atom net_active_window;
  Atom net_wm_window_opacity;
};

// Interns every atom of Atoms in one round trip. Atoms are the server's, so
// the result holds for any connection to the same server.
Atoms intern_atoms(Display* display);

class Connection {
 public:
  // Null when DISPLAY is unset (with *why empty), or when the display does not
  // open or its default visual's pixels cannot be served (with the reason).
  static std::shared_ptr<Connection> open(std::string* why);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  Display* display() const { return display_; }
  int screen() const { return screen_; }
  Window root() const { return root_; }
  Visual* visual() const { return visual_; }
  int depth() const { return depth_; }
  const PixelFormat& pixels() const { return pixels_; }
  const Atoms& atoms() const { return atoms_; }
  // The server has MIT-SHM (attaching may still fail, e.g. over a network).
  bool has_shm() const { return has_shm_; }
  // Null when no input method opened: key text then comes from XLookupString.
  XIM input_method() const { return input_method_; }
  WindowTable& windows() { return windows_; }

  // A blank cursor, made on first use. Call with the display locked.
  Cursor invisible_cursor();

  // The read end of the wake pipe, and a wake-up of whoever polls it.
  int wake_fd() const { return wake_pipe_[0]; }
  void wake() const;

 private:
  Connection(Display* display, const PixelFormat& pixels, const int wake_pipe[2]);

  Display* display_;
  int screen_;
  Window root_;
  Visual* visual_;
  int depth_;
  PixelFormat pixels_;
  Atoms atoms_;
  bool has_shm_;
  XIM input_method_;
  Cursor invisible_cursor_ = 0;
  WindowTable windows_;
  int wake_pipe_[2];
};

// Holds the display lock for a sequence of Xlib calls. Calls made under it may
// read events into Xlib's queue while the event thread sleeps in poll on the
// socket; on release it wakes that thread when they did.
class DisplayLock {
 public:
  explicit DisplayLock(const Connection& connection);
  ~DisplayLock();
  DisplayLock(const DisplayLock&) = delete;
  DisplayLock& operator=(const DisplayLock&) = delete;

 private:
  const Connection& connection_;
};

}  // namespace platform::display::x11
