// The event thread: waits on the connection's socket and a wake pipe, reads
// X events under the display lock, and hands what they mean to the window
// manager through display/event_sink.h (outside the lock, so that the window
// manager may call back into the backend).
// Depends on: the connection. Knows nothing of the window manager but the sink.
#pragma once

#include <atomic>
#include <bitset>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "display/x11/x11_connection.h"

namespace platform::display::x11 {

class EventThread {
 public:
  // Starts the thread. Held keys then repeat as presses without releases
  // between them (detectable auto-repeat).
  explicit EventThread(std::shared_ptr<Connection> connection);
  // Stops and joins the thread.
  ~EventThread();
  EventThread(const EventThread&) = delete;
  EventThread& operator=(const EventThread&) = delete;

 private:
  using Call = std::function<void()>;

  void run();
  // Reads every queued event and turns it into calls; with the display locked.
  void read_events(std::vector<Call>* calls);
  void translate(XEvent* event, std::vector<Call>* calls);
  void translate_key(XKeyEvent* event, const WindowEntry& entry, std::vector<Call>* calls);
  void translate_configure(const XConfigureEvent& event, HWND hwnd, std::vector<Call>* calls);

  std::shared_ptr<Connection> connection_;
  std::bitset<256> keys_down_;  // by keycode, to tell auto-repeats from presses
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace platform::display::x11
