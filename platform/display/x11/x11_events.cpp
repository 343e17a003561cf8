// X events -> window manager calls.
// Depends on: the connection, the keyboard tables, the kernel's UTF-8
// decoding and the display's event sink. Posts no window message itself.
#include "display/x11/x11_events.h"

#include <poll.h>
#include <unistd.h>

#include "display/event_sink.h"
#include "display/x11/x11_keyboard.h"
#include "kernel/codepage_convert.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>

namespace platform::display::x11 {
namespace {

constexpr int kWheelDelta = 120;

// The code points a key press types according to the input method (or,
// without one, XLookupString's Latin-1), and the keysym after modifiers.
std::u32string look_up_text(XKeyEvent* event, XIC input_context, KeySym* resolved) {
  char buffer[64];
  std::u32string text;
  if (input_context != nullptr) {
    Status status = 0;
    const int length = Xutf8LookupString(input_context, event, buffer, sizeof buffer, resolved, &status);
    if (status == XLookupChars || status == XLookupBoth) {
      kernel::decode_utf8(buffer, static_cast<size_t>(length), false, &text);
    }
    if (status != XLookupKeySym && status != XLookupBoth) *resolved = NoSymbol;
    return text;
  }
  const int length = XLookupString(event, buffer, sizeof buffer, resolved, nullptr);
  for (int i = 0; i < length; ++i) text.push_back(static_cast<unsigned char>(buffer[i]));
  return text;
}

}  // namespace

EventThread::EventThread(std::shared_ptr<Connection> connection) : connection_(std::move(connection)) {
  {
    DisplayLock lock(*connection_);
    XkbSetDetectableAutoRepeat(connection_->display(), True, nullptr);
  }
  thread_ = std::thread([this] { run(); });
}

EventThread::~EventThread() {
  stopping_ = true;
  connection_->wake();
  thread_.join();
}

void EventThread::run() {
  pollfd fds[2] = {{ConnectionNumber(connection_->display()), POLLIN, 0}, {connection_->wake_fd(), POLLIN, 0}};
  std::vector<Call> calls;
  while (!stopping_) {
    {
      DisplayLock lock(*connection_);
      read_events(&calls);
    }
    for (const Call& call : calls) call();
    calls.clear();
    if (poll(fds, 2, -1) > 0 && (fds[1].revents & POLLIN) != 0) {
      char drain[64];
      while (read(fds[1].fd, drain, sizeof drain) > 0) {
      }
    }
  }
}

void EventThread::read_events(std::vector<Call>* calls) {
  Display* display = connection_->display();
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    // The input method sees every event first; what it takes (parts of a
    // compose sequence) is not ours.
    if (XFilterEvent(&event, None)) continue;
    translate(&event, calls);
  }
}

void EventThread::translate(XEvent* event, std::vector<Call>* calls) {
  if (event->type == MappingNotify) {
    XRefreshKeyboardMapping(&event->xmapping);
    return;
  }
  WindowEntry entry;
  if (!connection_->windows().find(event->xany.window, &entry)) return;
  const HWND hwnd = entry.hwnd;
  switch (event->type) {
    case KeyPress:
    case KeyRelease:
      translate_key(&event->xkey, entry, calls);
      break;
    case ButtonPress:
    case ButtonRelease: {
      const XButtonEvent& button = event->xbutton;
      const bool down = event->type == ButtonPress;
      const int x = button.x_root;
      const int y = button.y_root;
      if (button.button == Button4 || button.button == Button5) {
        // A wheel notch is a press and a release: the press is the turn.
        const int delta = button.button == Button4 ? kWheelDelta : -kWheelDelta;
        if (down) calls->push_back([=] { event_sink().wheel_event(hwnd, delta, x, y); });
      } else if (button.button == Button1 || button.button == Button2 || button.button == Button3) {
        const int index = button.button == Button1 ? 0 : button.button == Button3 ? 1 : 2;
        calls->push_back([=] { event_sink().button_event(hwnd, index, down, x, y); });
      }
      break;
    }
    case MotionNotify: {
      // Only the latest of a run of motions for the window matters.
      XEvent next;
      while (XEventsQueued(connection_->display(), QueuedAlready) > 0) {
        XPeekEvent(connection_->display(), &next);
        if (next.type != MotionNotify || next.xmotion.window != event->xmotion.window) break;
        XNextEvent(connection_->display(), event);
      }
      const int x = event->xmotion.x_root;
      const int y = event->xmotion.y_root;
      calls->push_back([=] { event_sink().pointer_moved(hwnd, x, y); });
      break;
    }
    case ClientMessage: {
      const XClientMessageEvent& message = event->xclient;
      if (message.message_type == connection_->atoms().wm_protocols && message.format == 32 &&
          static_cast<Atom>(message.data.l[0]) == connection_->atoms().wm_delete_window) {
        calls->push_back([=] { event_sink().close_requested(hwnd); });
      }
      break;
    }
    case ConfigureNotify:
      translate_configure(event->xconfigure, hwnd, calls);
      break;
    case Expose: {
      const XExposeEvent& expose = event->xexpose;
      const RECT area = {expose.x, expose.y, expose.x + expose.width, expose.y + expose.height};
      calls->push_back([=] { event_sink().needs_repaint(hwnd, area); });
      break;
    }
    case FocusIn:
    case FocusOut: {
      const XFocusChangeEvent& focus = event->xfocus;
      // Grabs (a window manager's key bindings) and moves within our own
      // window leave the focus where it was.
      if (focus.mode == NotifyGrab || focus.mode == NotifyUngrab || focus.detail == NotifyInferior ||
          focus.detail == NotifyPointer) {
        break;
      }
      const bool focused = event->type == FocusIn;
      if (entry.input_context != nullptr) {
        if (focused) {
          XSetICFocus(entry.input_context);
        } else {
          XUnsetICFocus(entry.input_context);
        }
      }
      // Keys released while another window had the focus never reach us.
      if (!focused) keys_down_.reset();
      calls->push_back([=] { event_sink().focus_changed(hwnd, focused); });
      break;
    }
    default:
      break;
  }
}

void EventThread::translate_key(XKeyEvent* event, const WindowEntry& entry, std::vector<Call>* calls) {
  const bool down = event->type == KeyPress;
  const KeySym base = XLookupKeysym(event, 0);
  KeySym resolved = NoSymbol;
  std::u16string text;
  if (down) {
    const std::u32string looked_up = look_up_text(event, entry.input_context, &resolved);
    text = typed_text(resolved, (event->state & ControlMask) != 0, looked_up);
  } else {
    // No text on release: the keysym alone, for the keypad's NumLock state.
    char ignored[8];
    XLookupString(event, ignored, sizeof ignored, &resolved, nullptr);
  }
  const UINT vk = virtual_key(base, resolved);
  const unsigned keycode = event->keycode & 0xFF;
  const HWND hwnd = entry.hwnd;
  // A release ends the key's press whatever it maps to, so that the next
  // press of the key is a first press again.
  const bool repeat = down && keys_down_.test(keycode);
  if (keycode != 0) keys_down_.set(keycode, down);
  if (down && vk == 0 && !text.empty()) {
    // Text an input method composed (a dead key and a letter, a Compose
    // sequence), delivered by an event of no key of its own.
    calls->push_back([=] { event_sink().text_committed(hwnd, text); });
    return;
  }
  if (vk == 0 && text.empty()) return;
  // X keycodes are the kernel's key numbers plus 8; on the main block of a
  // PC keyboard those equal its set-1 scan codes.
  const UINT scan = keycode >= 8 ? keycode - 8 : 0;
  calls->push_back([=] { event_sink().key_event(hwnd, vk, scan, down, repeat, text); });
}

void EventThread::translate_configure(const XConfigureEvent& event, HWND hwnd, std::vector<Call>* calls) {
  int x = event.x;
  int y = event.y;
  // A window manager's synthetic notice is in root coordinates; the
  // server's real one is relative to the parent, which may be a frame.
  if (!event.send_event) {
    Window child = None;
    XTranslateCoordinates(connection_->display(), event.window, connection_->root(), 0, 0, &x, &y, &child);
  }
  const RECT client = {x, y, x + event.width, y + event.height};
  calls->push_back([=] { event_sink().client_rect_changed(hwnd, client); });
}

}  // namespace platform::display::x11
