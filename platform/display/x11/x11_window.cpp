// Top-level windows: creation with their ICCCM/EWMH properties, and the
// changes the window manager asks for.
// Depends on: the connection, properties and framebuffer. Sends nothing to
// the window manager (events arrive through the event thread).
#include "display/x11/x11_window.h"

#include "display/x11/x11_properties.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace platform::display::x11 {
namespace {

constexpr long kInputEvents = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                              PointerMotionMask | ExposureMask | StructureNotifyMask | FocusChangeMask;

// EWMH _NET_WM_STATE actions and the source indication of a normal application.
constexpr long kStateRemove = 0;
constexpr long kStateAdd = 1;
constexpr long kSourceApplication = 1;

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status; the
// flag says the decorations field is set, and it asks for none.
constexpr long kMotifHintsDecorations = 1L << 1;

unsigned dimension(LONG from, LONG to) { return to > from ? static_cast<unsigned>(to - from) : 1u; }

void set_atom_property(Display* display, Window window, Atom property, const Atom* atoms, int count) {
  XChangeProperty(display, window, property, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms), count);
}

}  // namespace

X11Window::X11Window(std::shared_ptr<Connection> connection, const NativeWindowParams& params)
    : connection_(std::move(connection)),
      display_(connection_->display()),
      window_(0),
      input_context_(nullptr),
      resizable_(params.resizable),
      topmost_(params.topmost) {
  const Atoms& atoms = connection_->atoms();
  DisplayLock lock(*connection_);
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = BlackPixel(display_, connection_->screen());
  attributes.bit_gravity = NorthWestGravity;
  attributes.event_mask = kInputEvents;
  window_ = XCreateWindow(display_, connection_->root(), params.client.left, params.client.top,
                          dimension(params.client.left, params.client.right),
                          dimension(params.client.top, params.client.bottom), 0, connection_->depth(),
                          InputOutput, connection_->visual(), CWBackPixel | CWBitGravity | CWEventMask, &attributes);

  Atom protocols[] = {atoms.wm_delete_window};
  XSetWMProtocols(display_, window_, protocols, 1);
  XWMHints* wm_hints = XAllocWMHints();
  wm_hints->flags = InputHint | StateHint;
  wm_hints->input = True;
  wm_hints->initial_state = NormalState;
  XSetWMHints(display_, window_, wm_hints);
  XFree(wm_hints);
  set_normal_hints(display_, window_, params.client, !resizable_, params.position_set);
  set_program_identity(display_, window_);
  x11::set_title(display_, atoms, window_, params.title);
  set_atom_property(display_, window_, atoms.net_wm_window_type, &atoms.net_wm_window_type_normal, 1);
  if (params.popup) {
    const long motif_hints[5] = {kMotifHintsDecorations, 0, 0, 0, 0};
    XChangeProperty(display_, window_, atoms.motif_wm_hints, atoms.motif_wm_hints, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(motif_hints), 5);
  }
  write_initial_state();

  if (XIM input_method = connection_->input_method()) {
    // Composition over the spot the program names when the input method
    // offers it, else wherever the input method likes.
    constexpr XIMStyle kAtSpot = XIMPreeditPosition | XIMStatusNothing;
    XIMStyles* styles = nullptr;
    if (XGetIMValues(input_method, XNQueryInputStyle, &styles, nullptr) == nullptr && styles != nullptr) {
      for (unsigned i = 0; i < styles->count_styles; ++i) input_spot_ |= styles->supported_styles[i] == kAtSpot;
      XFree(styles);
    }
    if (input_spot_) {
      XPoint spot = {0, 0};
      XVaNestedList preedit = XVaCreateNestedList(0, XNSpotLocation, &spot, nullptr);
      input_context_ = XCreateIC(input_method, XNInputStyle, kAtSpot, XNClientWindow, window_, XNFocusWindow, window_,
                                 XNPreeditAttributes, preedit, nullptr);
      XFree(preedit);
    }
    if (input_context_ == nullptr) {
      input_spot_ = false;
      input_context_ = XCreateIC(input_method, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow,
                                 window_, XNFocusWindow, window_, nullptr);
    }
  }
  framebuffer_ = std::make_unique<Framebuffer>(*connection_, window_);
  connection_->windows().add(window_, WindowEntry{params.hwnd, input_context_});
  XFlush(display_);
}

X11Window::~X11Window() {
  // Out of the table first: the event thread drops what is still queued.
  connection_->windows().remove(window_);
  DisplayLock lock(*connection_);
  framebuffer_.reset();
  if (input_context_ != nullptr) XDestroyIC(input_context_);
  XDestroyWindow(display_, window_);
  XFlush(display_);
}

void X11Window::write_initial_state() {
  const Atoms& atoms = connection_->atoms();
  if (topmost_) {
    set_atom_property(display_, window_, atoms.net_wm_state, &atoms.net_wm_state_above, 1);
  } else {
    XDeleteProperty(display_, window_, atoms.net_wm_state);
  }
}

void X11Window::send_to_window_manager(Atom type, long l0, long l1, long l2, long l3) {
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window_;
  event.xclient.message_type = type;
  event.xclient.format = 32;
  event.xclient.data.l[0] = l0;
  event.xclient.data.l[1] = l1;
  event.xclient.data.l[2] = l2;
  event.xclient.data.l[3] = l3;
  XSendEvent(display_, connection_->root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void X11Window::set_title(const std::wstring& title) {
  DisplayLock lock(*connection_);
  x11::set_title(display_, connection_->atoms(), window_, title);
  XFlush(display_);
}

void X11Window::set_visible(bool visible) {
  DisplayLock lock(*connection_);
  if (visible == mapped_) return;
  if (visible) {
    // A window manager drops _NET_WM_STATE when a window is withdrawn.
    write_initial_state();
    XMapWindow(display_, window_);
  } else {
    XWithdrawWindow(display_, window_, connection_->screen());
  }
  mapped_ = visible;
  XFlush(display_);
}

void X11Window::set_client_rect(const RECT& client) {
  DisplayLock lock(*connection_);
  // A fixed-size window's hints must allow the new size before it is asked for.
  set_normal_hints(display_, window_, client, !resizable_);
  XMoveResizeWindow(display_, window_, client.left, client.top, dimension(client.left, client.right),
                    dimension(client.top, client.bottom));
  XFlush(display_);
}

void X11Window::set_topmost(bool topmost) {
  DisplayLock lock(*connection_);
  topmost_ = topmost;
  if (mapped_) {
    send_to_window_manager(connection_->atoms().net_wm_state, topmost ? kStateAdd : kStateRemove,
                           static_cast<long>(connection_->atoms().net_wm_state_above), 0, kSourceApplication);
  } else {
    write_initial_state();
  }
  XFlush(display_);
}

void X11Window::set_opacity(BYTE alpha) {
  DisplayLock lock(*connection_);
  const Atom opacity = connection_->atoms().net_wm_window_opacity;
  if (alpha == 255) {
    XDeleteProperty(display_, window_, opacity);
  } else {
    // A 32-bit property travels as longs; 0xFFFFFFFF would be fully opaque.
    const long value = static_cast<long>(alpha * 0x01010101UL);
    XChangeProperty(display_, window_, opacity, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&value), 1);
  }
  XFlush(display_);
}

void X11Window::raise_and_focus() {
  DisplayLock lock(*connection_);
  send_to_window_manager(connection_->atoms().net_active_window, kSourceApplication, CurrentTime, 0, 0);
  XRaiseWindow(display_, window_);
  XFlush(display_);
}

void X11Window::set_cursor_hidden(bool hidden) {
  DisplayLock lock(*connection_);
  if (hidden) {
    XDefineCursor(display_, window_, connection_->invisible_cursor());
  } else {
    XUndefineCursor(display_, window_);
  }
  XFlush(display_);
}

void X11Window::set_input_spot(POINT spot) {
  if (!input_spot_) return;
  DisplayLock lock(*connection_);
  XPoint at = {static_cast<short>(spot.x), static_cast<short>(spot.y)};
  XVaNestedList preedit = XVaCreateNestedList(0, XNSpotLocation, &at, nullptr);
  XSetICValues(input_context_, XNPreeditAttributes, preedit, nullptr);
  XFree(preedit);
  XFlush(display_);
}

void X11Window::present(const Surface& client, const RECT& area) {
  DisplayLock lock(*connection_);
  framebuffer_->present(client, area);
}

}  // namespace platform::display::x11
