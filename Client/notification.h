// The notification thread and its box: a partner's chat raises a small
// topmost box, at most one a minute.
// Depends on: the platform's window manager; the font fitting and the quiet
// minute are pure functions with their measures passed in.
#pragma once

#include <functional>
#include <string>

namespace quillfern {

// The largest font size from 40 down to 2 at which both lines are more than
// 20 pixels narrower than the client area; `measure(size)` gives the two
// lines' widths at that size. 0 when no size fits.
int fit_font_size(int client_width, const std::function<std::pair<int, int>(int size)>& measure);

// The quiet time after a box: up to 2399 sleeps of 25 ms while `running`.
void wait_quiet_minute(const std::function<bool()>& running, const std::function<void(int ms)>& sleep);

// Shows the box with `text` and returns when the user has closed it.
void show_notification_box(const std::string& text);

void notification_thread();

}  // namespace quillfern
