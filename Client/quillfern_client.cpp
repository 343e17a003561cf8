// The run of the client as its main and the benchmarks drive it: start-up in
// the run folder, the worker threads, the exchange client, the shutdown.
// Depends on: the client's other parts. Opens no window itself.
#include "Client/quillfern_client.h"

#include <malloc.h>

#include <memory>
#include <system_error>
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

namespace quillfern {
namespace {

std::unique_ptr<exchange_client> client;

// Starts a worker thread; one that cannot be started counts as ended, so
// that shutdown does not wait for it.
void start_worker(void (*body)(), std::atomic<uint8_t>& ended) {
  try {
    std::thread(body).detach();
  } catch (const std::system_error&) {
    ended = 1;
  }
}

// A cycle makes and frees some 50 MB of pictures. By default glibc maps
// each large block anew and returns it when freed, so every page of every
// picture is faulted in and zeroed by the kernel again each cycle (a fifth of
// the client's CPU time); kept in the heap, the blocks are reused.
void keep_picture_memory() {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

}  // namespace

bool prepare_run() {
  keep_picture_memory();
  keep_new_files_private();
  check_run_folder();
  open_log();
  return load_settings();
}

void play_startup_animation_if_enabled() {
  if (settings.animation_enabled) play_startup_animation();
}

void start_run() {
  start_worker(input_thread, input_ended);
  start_worker(notification_thread, notification_ended);
  start_worker(refresh_thread, refresh_ended);
  client = make_http_client();
}

bool run_swap_cycle() { return swap_cycle(*client); }

void end_run() {
  while (!input_ended || !notification_ended || !refresh_ended) frond::sleep_ms(25);
  frond::sleep_ms(25);
  client.reset();
  remove_temporary_pictures();
}

}  // namespace quillfern
