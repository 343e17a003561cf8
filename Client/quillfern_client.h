// What a program that runs the Quillfern client needs, and all it needs:
// preparing the run in its folder, the worker threads, the swap cycle (with
// how long its steps took) and the end of the run. The client's main and the
// cycle benchmark use it. Depends on: Frond's window being open first.
#pragma once

namespace quillfern {

// Prepares the run in the working directory, the run folder: files made from
// now on readable by the user alone, the folder's parts checked, the log
// opened, "settings.txt" read. False when the run must end (the log and the
// terminal say why).
bool prepare_run();
// Plays the start-up animation when the settings ask for it.
void play_startup_animation_if_enabled();
// Starts the input, notification and refresh threads and makes the exchange
// client for the configured server.
void start_run();
// One swap cycle: photograph, send, show the partner's picture, wait out the
// period. False once the window has closed.
bool run_swap_cycle();
// How long the steps of the last cycle took, in seconds; the exchange
// includes decrypting the partner's picture, decode is loading it.
struct cycle_step_seconds {
  double capture, scale, save, pngslim, encfile, exchange, decode, display;
};
cycle_step_seconds last_cycle_steps();
// Once the window has closed: waits for the worker threads, drops the
// exchange client and removes the temporary pictures.
void end_run();

}  // namespace quillfern
