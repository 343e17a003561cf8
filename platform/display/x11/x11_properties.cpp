// Title, size-hint and program-identity properties.
// Depends on: Xlib, the kernel's UTF-8 conversion. Makes no windows.
#include "display/x11/x11_properties.h"

#include "platform/kernel32.h"

#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cctype>
#include <cerrno>  // program_invocation_short_name

namespace platform::display::x11 {

void set_title(Display* display, const Atoms& atoms, Window window, const std::wstring& title) {
  std::string utf8 = wide_to_multibyte(CP_UTF8, title.data(), static_cast<int>(title.size()));
  XChangeProperty(display, window, atoms.net_wm_name, atoms.utf8_string, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
  char* list[] = {utf8.data()};
  XTextProperty name = {};
  // A positive result counts characters the encoding lacks (they become a
  // default character); only a negative one means no property was made.
  if (Xutf8TextListToTextProperty(display, list, 1, XStdICCTextStyle, &name) >= 0) {
    XSetWMName(display, window, &name);
    XFree(name.value);
  }
}

void set_normal_hints(Display* display, Window window, const RECT& client, bool fixed_size, bool position) {
  XSizeHints* hints = XAllocSizeHints();
  const int width = static_cast<int>(client.right - client.left);
  const int height = static_cast<int>(client.bottom - client.top);
  hints->flags = (position ? USPosition : 0) | USSize | PWinGravity;
  hints->x = static_cast<int>(client.left);
  hints->y = static_cast<int>(client.top);
  hints->width = width;
  hints->height = height;
  hints->win_gravity = StaticGravity;
  if (fixed_size) {
    hints->flags |= PMinSize | PMaxSize;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
  }
  XSetWMNormalHints(display, window, hints);
  XFree(hints);
}

void set_program_identity(Display* display, Window window) {
  std::string name = program_invocation_short_name;
  std::string class_name = name;
  if (!class_name.empty()) class_name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(class_name[0])));
  XClassHint class_hint = {name.data(), class_name.data()};
  XSetClassHint(display, window, &class_hint);

  const long pid = static_cast<long>(getpid());
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  char host[256] = {};
  if (gethostname(host, sizeof(host) - 1) == 0) {
    char* hosts[] = {host};
    XTextProperty machine = {};
    if (XStringListToTextProperty(hosts, 1, &machine) != 0) {
      XSetWMClientMachine(display, window, &machine);
      XFree(machine.value);
    }
  }
}

}  // namespace platform::display::x11
