// The message box window and its little event loop.
// Depends on: the connection's properties (title) and Xlib. Touches no
// window of the window manager.
#include "display/x11/x11_message_box.h"

#include <algorithm>
#include <vector>

#include "display/x11/x11_connection.h"
#include "display/x11/x11_properties.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace platform::display::x11 {
namespace {

constexpr int kMargin = 20;
constexpr int kMinWidth = 200;

// Lines of the text in the Latin-1 that XDrawString draws ('?' for anything
// beyond it); "\r\n" and "\n" both end a line.
std::vector<std::string> latin1_lines(const std::wstring& text) {
  std::vector<std::string> lines(1);
  for (const wchar_t c : text) {
    if (c == L'\n') {
      lines.emplace_back();
    } else if (c != L'\r') {
      lines.back().push_back(static_cast<unsigned>(c) <= 0xFF ? static_cast<char>(c) : '?');
    }
  }
  return lines;
}

bool run_box(Display* display, const std::wstring& caption, const std::wstring& text) {
  const int screen = DefaultScreen(display);
  const Atoms atoms = intern_atoms(display);
  GC gc = DefaultGC(display, screen);
  XFontStruct* font = XQueryFont(display, XGContextFromGC(gc));
  if (font == nullptr) return false;
  const std::vector<std::string> lines = latin1_lines(text);
  const int line_height = font->ascent + font->descent;
  int text_width = 0;
  for (const std::string& line : lines) {
    text_width = std::max(text_width, XTextWidth(font, line.data(), static_cast<int>(line.size())));
  }
  const int width = std::max(kMinWidth, text_width + 2 * kMargin);
  const int height = static_cast<int>(lines.size()) * line_height + 2 * kMargin;
  const int left = (DisplayWidth(display, screen) - width) / 2;
  const int top = (DisplayHeight(display, screen) - height) / 2;
  const RECT client = {left, top, left + width, top + height};

  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), client.left, client.top,
                                            static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                            BlackPixel(display, screen), WhitePixel(display, screen));
  XSelectInput(display, window, ExposureMask | KeyPressMask | ButtonPressMask);
  Atom protocols[] = {atoms.wm_delete_window};
  XSetWMProtocols(display, window, protocols, 1);
  set_title(display, atoms, window, caption);
  set_normal_hints(display, window, client, true);
  XChangeProperty(display, window, atoms.net_wm_window_type, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&atoms.net_wm_window_type_dialog), 1);
  XMapRaised(display, window);

  for (bool open = true; open;) {
    XEvent event;
    XNextEvent(display, &event);
    switch (event.type) {
      case Expose:
        if (event.xexpose.count != 0) break;
        for (size_t i = 0; i < lines.size(); ++i) {
          XDrawString(display, window, gc, kMargin, kMargin + font->ascent + static_cast<int>(i) * line_height,
                      lines[i].data(), static_cast<int>(lines[i].size()));
        }
        break;
      case KeyPress:
      case ButtonPress:
        open = false;
        break;
      case ClientMessage:
        open = event.xclient.message_type != atoms.wm_protocols ||
               static_cast<Atom>(event.xclient.data.l[0]) != atoms.wm_delete_window;
        break;
      default:
        break;
    }
  }
  XFreeFontInfo(nullptr, font, 1);
  XDestroyWindow(display, window);
  return true;
}

}  // namespace

bool show_message_box(const char* display_name, const std::wstring& caption, const std::wstring& text) {
  Display* display = XOpenDisplay(display_name);
  if (display == nullptr) return false;
  const bool shown = run_box(display, caption, text);
  XCloseDisplay(display);
  return shown;
}

}  // namespace platform::display::x11
