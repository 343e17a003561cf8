// A plain modal message box: the caption as title, the text in the server's
// default font, closed by any key, a click or the close button.
// Depends on nothing of the backend's state: the box has its own connection.
#pragma once

#include <string>

namespace platform::display::x11 {

// Shows the box on its own connection to `display_name` (so that the event
// thread never sees its events) and returns once it is closed. False when the
// display does not open or has no default font.
bool show_message_box(const char* display_name, const std::wstring& caption, const std::wstring& text);

}  // namespace platform::display::x11
