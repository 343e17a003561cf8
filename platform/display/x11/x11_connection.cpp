// Opening and closing the X connection, the atoms, and the display lock.
// Depends on: Xlib, MIT-SHM, the pixel format and window table. Makes no windows.
#include "display/x11/x11_connection.h"

#include <fcntl.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace platform::display::x11 {
namespace {

// The X server went away: the windows are gone with it. End the process at
// once, as a display connection error must not return into Xlib, and running
// the program's exit handlers from whichever thread noticed could deadlock.
int connection_lost(Display*) {
  std::fflush(nullptr);
  std::fputs("X connection lost\n", stderr);
  _exit(1);
}

}  // namespace

Atoms intern_atoms(Display* display) {
  char* names[] = {
      const_cast<char*>("WM_PROTOCOLS"),
      const_cast<char*>("WM_DELETE_WINDOW"),
      const_cast<char*>("UTF8_STRING"),
      const_cast<char*>("_NET_WM_NAME"),
      const_cast<char*>("_NET_WM_WINDOW_TYPE"),
      const_cast<char*>("_NET_WM_WINDOW_TYPE_NORMAL"),
      const_cast<char*>("_NET_WM_WINDOW_TYPE_DIALOG"),
      const_cast<char*>("_MOTIF_WM_HINTS"),
      const_cast<char*>("_NET_WM_STATE"),
      const_cast<char*>("_NET_WM_STATE_ABOVE"),
      const_cast<char*>("_NET_ACTIVE_WINDOW"),
      const_cast<char*>("_NET_WM_WINDOW_OPACITY"),
  };
  Atom values[std::size(names)];
  XInternAtoms(display, names, static_cast<int>(std::size(names)), False, values);
  Atoms atoms;
  atoms.wm_protocols = values[0];
  atoms.wm_delete_window = values[1];
  atoms.utf8_string = values[2];
  atoms.net_wm_name = values[3];
  atoms.net_wm_window_type = values[4];
  atoms.net_wm_window_type_normal = values[5];
  atoms.net_wm_window_type_dialog = values[6];
  atoms.motif_wm_hints = values[7];
  atoms.net_wm_state = values[8];
  atoms.net_wm_state_above = values[9];
  atoms.net_active_window = values[10];
  atoms.net_wm_window_opacity = values[11];
  return atoms;
}

std::shared_ptr<Connection> Connection::open(std::string* why) {
  why->clear();
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return nullptr;
  XInitThreads();
  XSetIOErrorHandler(connection_lost);
  Display* display = XOpenDisplay(name);
  if (display == nullptr) {
    *why = "it does not open";
    return nullptr;
  }
  const std::optional<PixelFormat> pixels = PixelFormat::of_screen(display, DefaultScreen(display), why);
  int wake_pipe[2];
  if (!pixels || pipe2(wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    if (pixels) *why = "no pipe could be made";
    XCloseDisplay(display);
    return nullptr;
  }
  return std::shared_ptr<Connection>(new Connection(display, *pixels, wake_pipe));
}

namespace {

// The input method the user's locale and XMODIFIERS name; without one, Xlib's
// own, which still composes (dead keys, the Compose key) from the locale's
// compose table. The character classification locale must be the user's
// for either to know its text.
XIM open_input_method(Display* display) {
  if (std::setlocale(LC_CTYPE, "") == nullptr || !XSupportsLocale()) std::setlocale(LC_CTYPE, "C.UTF-8");
  XSetLocaleModifiers("");
  if (XIM method = XOpenIM(display, nullptr, nullptr, nullptr)) return method;
  XSetLocaleModifiers("@im=none");
  return XOpenIM(display, nullptr, nullptr, nullptr);
}

}  // namespace

Connection::Connection(Display* display, const PixelFormat& pixels, const int wake_pipe[2])
    : display_(display),
      screen_(DefaultScreen(display)),
      root_(RootWindow(display, screen_)),
      visual_(DefaultVisual(display, screen_)),
      depth_(DefaultDepth(display, screen_)),
      pixels_(pixels),
      atoms_(intern_atoms(display)),
      has_shm_(XShmQueryExtension(display) == True),
      input_method_(open_input_method(display)),
      wake_pipe_{wake_pipe[0], wake_pipe[1]} {}

Connection::~Connection() {
  if (invisible_cursor_ != 0) XFreeCursor(display_, invisible_cursor_);
  if (input_method_ != nullptr) XCloseIM(input_method_);
  XCloseDisplay(display_);
  close(wake_pipe_[0]);
  close(wake_pipe_[1]);
}

Cursor Connection::invisible_cursor() {
  if (invisible_cursor_ == 0) {
    static const char empty_bits[1] = {0};
    const Pixmap blank = XCreateBitmapFromData(display_, root_, empty_bits, 1, 1);
    XColor black = {};
    invisible_cursor_ = XCreatePixmapCursor(display_, blank, blank, &black, &black, 0, 0);
    XFreePixmap(display_, blank);
  }
  return invisible_cursor_;
}

void Connection::wake() const {
  const char byte = 1;
  // A full pipe already holds a wake-up: a failed write loses nothing.
  const ssize_t written = write(wake_pipe_[1], &byte, 1);
  static_cast<void>(written);
}

DisplayLock::DisplayLock(const Connection& connection) : connection_(connection) {
  XLockDisplay(connection_.display());
}

DisplayLock::~DisplayLock() {
  const bool events_waiting = XQLength(connection_.display()) > 0;
  XUnlockDisplay(connection_.display());
  if (events_waiting) connection_.wake();
}

}  // namespace platform::display::x11
