// Quillfern: shows two people each other's screens through an exchange
// server. Start-up, the swap loop and shutdown.

#include <httplib.h>

#include <thread>

#include "Client/animation.h"
#include "Client/client_state.h"
#include "Client/cycle.h"
#include "Client/display.h"
#include "Client/exchange.h"
#include "Client/input.h"
#include "Client/notification.h"
#include "Client/run_folder.h"
#include "Client/run_log.h"
#include "Client/settings.h"

using namespace quillfern;

namespace {

// Starts a worker thread; one that cannot be started counts as ended, so
// that shutdown does not wait for it.
void start_worker(void (*body)(), std::atomic<uint8_t>& ended) {
  try {
    std::thread(body).detach();
  } catch (const std::system_error&) {
    ended = 1;
  }
}

}  // namespace

int main() {
  platform::wm::install_close_on_signals();  // Ctrl+C closes the window like its close button
  frond::setcaption("Quillfern");
  frond::initgraph(640, 360, frond::INITMODE_MANUAL_RENDER | frond::INITMODE_KEEP_ON_CLOSE);
  frond::setbkcolor(0xFF000000);
  keep_new_files_private();
  check_run_folder();
  open_log();
  if (!load_settings()) return 0;
  frond::setbkmode(TRANSPARENT);
  if (settings.animation_enabled) play_startup_animation();
  if (!frond::isrunning()) return 0;

  start_worker(input_thread, input_ended);
  start_worker(notification_thread, notification_ended);
  start_worker(refresh_thread, refresh_ended);
  std::unique_ptr<exchange_client> client = make_http_client();

  while (swap_cycle(*client)) {
  }

  while (!input_ended || !notification_ended || !refresh_ended) frond::sleep_ms(25);
  frond::sleep_ms(25);
  client.reset();
  remove_temporary_pictures();
  return 0;
}
