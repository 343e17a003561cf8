// Input bindings. The queues are drained every 25 ms; chat text, chat mode
// and the window size change under the client's lock.
// Depends on: Frond's input queues, the display and the client's state.

#include "Client/input.h"

#include <algorithm>

#include "Client/client_state.h"
#include "Client/display.h"

namespace quillfern {
namespace {

constexpr int opacity_ladder[] = {255, 224, 192, 160, 128, 96, 64, 32};
constexpr int ladder_size = 8;
constexpr size_t chat_line_limit = 32;

int ladder_index(int alpha) {
  for (int i = 0; i < ladder_size; ++i)
    if (opacity_ladder[i] == alpha) return i;
  return 0;
}

void handle_mouse(const frond::mouse_message& m) {
  if (m.kind == frond::MOUSEMSG_PRESS) {
    if (m.flags & frond::MOUSEFLAG_RIGHT) {
      window_alpha = opacity_step_down(window_alpha);
      apply_window_alpha();
    }
    if (m.flags & frond::MOUSEFLAG_LEFT) {
      window_alpha = opacity_step_up(window_alpha);
      apply_window_alpha();
    }
  } else if (m.kind == frond::MOUSEMSG_WHEEL && m.wheel_delta != 0) {
    lock_state();
    const int width = width_after_wheel(window_width, m.wheel_delta);
    const bool changed = width != window_width;
    window_height += (width - window_width) / 320 * 180;
    window_width = width;
    unlock_state();
    if (changed) resize_and_redraw();
  }
}

void handle_chat_char(unsigned code) {
  lock_state();
  const chat_edit edit = edit_chat_line(chat_text, code);
  if (edit == chat_edit::leave_chat) chat_mode = 0;
  unlock_state();
  if (edit == chat_edit::leave_chat) update_caption();
  if (edit != chat_edit::ignored) redraw_window();
}

void handle_mode_char(unsigned code) {
  switch (mode_key_of(code)) {
    case mode_key::hold:
      hold_mode = hold_mode ? 0 : 1;
      update_caption();
      break;
    case mode_key::topmost:
      topmost_mode = topmost_mode ? 0 : 1;
      SetWindowPos(frond::getwindowhandle(), topmost_mode ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE);
      update_caption();
      break;
    case mode_key::chat:
      lock_state();
      chat_mode = 1;
      chat_text.clear();
      unlock_state();
      update_caption();
      redraw_window();
      break;
    case mode_key::none:
      break;
  }
}

}  // namespace

int opacity_step_down(int alpha) { return opacity_ladder[std::min(ladder_index(alpha) + 1, ladder_size - 1)]; }

int opacity_step_up(int alpha) { return opacity_ladder[std::max(ladder_index(alpha) - 1, 0)]; }

int width_after_wheel(int width, int wheel_delta) {
  const int step = wheel_delta > 0 ? -1 : 1;  // away from the user: smaller
  const bool at_end = step < 0 ? width == 320 : width == 1600;
  return at_end ? width : width + step * 320;
}

mode_key mode_key_of(unsigned code) {
  switch (code & ~0x20u) {
    case 'H': return mode_key::hold;
    case 'T': return mode_key::topmost;
    case 'C': return mode_key::chat;
    default: return mode_key::none;
  }
}

chat_edit edit_chat_line(std::string& line, unsigned code) {
  switch (code) {
    case 9:
    case 13:
      return chat_edit::ignored;
    case 27:
      line.clear();
      return chat_edit::leave_chat;
    case 8:
      if (!line.empty()) line.pop_back();
      return chat_edit::erased;  // redrawn even when there was nothing to erase
    default:
      if (line.size() >= chat_line_limit) return chat_edit::ignored;
      line += char(code & 0xFF);
      return chat_edit::appended;
  }
}

void input_thread() {
  while (frond::isrunning()) {
    // Loop on a positive count: the readers answer -1 once the window is gone.
    while (frond::mousepending() > 0) handle_mouse(frond::getmouse());
    while (frond::keypending() > 0) {
      const frond::key_message key = frond::getkey();
      if (key.kind != frond::KEYMSG_CHAR) continue;
      if (chat_mode)
        handle_chat_char(key.keycode);
      else
        handle_mode_char(key.keycode);
    }
    frond::sleep_ms(25);
  }
  input_ended = 1;
}

}  // namespace quillfern
