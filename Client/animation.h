// The start-up animation: a four-second title sequence before the first cycle.
// Depends on: the graphics window being open. Touches no file of the cycle.
#pragma once

namespace quillfern {

// Plays the sequence on the window's target; stops early when the window is closed.
void play_startup_animation();

}  // namespace quillfern
