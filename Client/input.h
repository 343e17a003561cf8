// The input thread: mouse buttons change the opacity, the wheel the window
// size, and typed characters toggle the modes or edit the chat line.
// Depends on: Frond's queues; the ladder and key rules are pure functions.
#pragma once

#include <string>

namespace quillfern {

// One step down (darker, towards 32) or up (towards 255) the opacity ladder.
int opacity_step_down(int alpha);
int opacity_step_up(int alpha);

// The window width after one wheel step (delta > 0: away from the user,
// smaller): 320 pixels a step between 320 and 1600; the height follows 16:9.
int width_after_wheel(int width, int wheel_delta);

// What a typed character does outside chat mode.
enum class mode_key { none, hold, topmost, chat };
mode_key mode_key_of(unsigned code);

// What a typed character does to the chat line in chat mode.
enum class chat_edit { ignored, leave_chat, erased, appended };
// Applies character `code` to `line` (at most 32 bytes) and says what happened.
chat_edit edit_chat_line(std::string& line, unsigned code);

void input_thread();

}  // namespace quillfern
