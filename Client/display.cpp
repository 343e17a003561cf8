// Window display and refresh. Drawing on the window page and its present
// happen under the client's lock.
// Depends on: Frond, the bitmap font and the client's state.

#include "Client/display.h"

#include "Client/bitmap_font.h"
#include "Client/client_state.h"

namespace quillfern {
namespace {

// The picture over the whole window, the chat line on top, presented.
void draw_window_locked() {
  frond::putimage(0, 0, window_width, window_height, received_image, 0, 0, frond::getwidth(received_image),
                  frond::getheight(received_image), SRCCOPY);
  const std::string line = chat_text;
  draw_chat_line(nullptr, window_height, line, true);
  frond::delay_ms(0);
}

}  // namespace

std::string build_caption(const caption_flags& flags) {
  if (flags.network_error) return "Quillfern [NetworkError]";
  if (flags.file_invalid) return "Quillfern [FileInvalid]";
  if (flags.user_not_found) return "Quillfern [UserNotFound]";
  std::string tags;
  if (flags.chat) tags += "[Chat]";
  if (flags.hold) tags += "[Hold]";
  if (flags.top) tags += "[Top]";
  return tags.empty() ? "Quillfern" : "Quillfern " + tags;
}

void redraw_window() {
  lock_state();
  draw_window_locked();
  unlock_state();
}

void resize_and_redraw() {
  lock_state();
  frond::resizewindow(window_width, window_height);
  draw_window_locked();
  unlock_state();
}

void apply_window_alpha() {
  HWND window = frond::getwindowhandle();
  SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(window, 0, BYTE(window_alpha.load()), LWA_ALPHA);
}

void update_caption() {
  lock_state();
  const caption_flags flags = {network_error != 0, file_invalid != 0, user_not_found != 0,
                               chat_mode != 0,     hold_mode != 0,    topmost_mode != 0};
  frond::setcaption(build_caption(flags).c_str());
  unlock_state();
}

void refresh_thread() {
  while (frond::isrunning()) {
    lock_state();
    frond::delay_ms(0);
    unlock_state();
    frond::sleep_ms(50);
  }
  refresh_ended = 1;
}

}  // namespace quillfern
