// Quillfern: shows two people each other's screens through an exchange
// server. Opens the window, then runs the client until it is closed.
// Depends on: Frond and the client library's public header.

#include "Client/quillfern_client.h"
#include "graphics/frond.h"

using namespace quillfern;

int main() {
  platform::wm::install_close_on_signals();  // Ctrl+C closes the window like its close button
  frond::setcaption("Quillfern");
  frond::initgraph(640, 360, frond::INITMODE_MANUAL_RENDER | frond::INITMODE_KEEP_ON_CLOSE);
  frond::setbkcolor(0xFF000000);
  if (!prepare_run()) return 0;
  frond::setbkmode(TRANSPARENT);
  play_startup_animation_if_enabled();
  if (!frond::isrunning()) return 0;

  start_run();
  while (run_swap_cycle()) {
  }
  end_run();
  return 0;
}
