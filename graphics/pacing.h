// Sleeps and frame counting shared by the frame functions. Internal.
// Depends on: the platform clock. Presents nothing.
#pragma once

namespace frond {

// Sleeps ms (at least 1) milliseconds on a wait of this call's own.
void timer_sleep(int ms);
// Counts a presented (256) or skipped (-256) frame; returns a frame rate.
float fps_tick(int kind);

}  // namespace frond
