// The window: the partner's picture stretched over it with the chat line on
// top, its caption, opacity and size, and a thread that presents it every
// 50 ms.
// Depends on: the client's state, the bitmap font and Frond (in display.cpp). Reads no input (input.h)
// and takes no picture of the screen.
#pragma once

#include <string>

namespace quillfern {

struct caption_flags {
  bool network_error, file_invalid, user_not_found, chat, hold, top;
};
std::string build_caption(const caption_flags& flags);

void redraw_window();
void resize_and_redraw();
void apply_window_alpha();
void update_caption();
void refresh_thread();

}  // namespace quillfern
