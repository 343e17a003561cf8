// Time and frame pacing: sleeps at 1 ms timer resolution, delay_ms (present
// now, or keep the window alive for a while), delay_fps and delay_fps_skip
// (a steady frame rate), the seconds clocks and the frame-rate counters.
// Depends on: frames (present, control walks), system libraries (winmm).

#include <cmath>
#include <mutex>

#include "graphics/controls.h"
#include "graphics/frame.h"
#include "graphics/pacing.h"
#include "graphics/system_libraries.h"

namespace frond {
namespace {

// The high-resolution clock, started on first use.
struct clock_origin {
  int64_t start;
  int64_t frequency;
};

// Milliseconds on the high-resolution clock; 0.0 on its first use.
double now_ms() {
  bool first_use = false;
  static const clock_origin origin = [&first_use] {
    first_use = true;
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return clock_origin{count.QuadPart, frequency.QuadPart};
  }();
  if (first_use) return 0.0;
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return double(count.QuadPart - origin.start) / double(origin.frequency) * 1000.0;
}

// The time at which the last paced frame was due, shared by delay_fps and delay_fps_skip.
struct frame_reference {
  bool set = false;
  double ms = 0.0;
};
frame_reference fps_reference;

struct frame_counters {
  std::mutex lock;
  uint32_t frames = 0;
  uint32_t skipped = 0;
  double last_update = 0.0;
  float rate = 0.0f;
  float previous_rate = 0.0f;
  float shown_rate = 0.0f;

  // Recomputes the rates once half a second has passed since the last time.
  void refresh(double t) {
    const double d = t - last_update;
    if (d < 0.5) return;
    previous_rate = rate;
    rate = float(frames / d);
    shown_rate = float((frames - skipped) / d);
    frames = skipped = 0;
    last_update = t;
  }
};
frame_counters counters;

void draw_controls() {
  if (frondControlBase* root = state().root_control) root->dispatchdraw(nullptr);
}

// Period of a frame rate, or false for a rate that gives no usable period.
bool frame_period(double fps, double* period) {
  *period = 1000.0 / fps;
  return fps > 0 && std::isfinite(*period);
}

// Steps 1 to 4 of a paced frame: the time the frame is due.
double paced_target(double period) {
  const double now1 = now_ms();
  if (!fps_reference.set) {
    fps_reference = {true, now1};
  }
  const double base = now1 < fps_reference.ms + 11 * period ? fps_reference.ms : now1;
  draw_controls();
  return base + period;
}

void advance_reference(double period, double later) {
  if (later >= fps_reference.ms + 11 * period || later < fps_reference.ms)
    fps_reference.ms = later;
  else
    fps_reference.ms += period;
}

// A rate that cannot be paced presents once.
void present_once() {
  graphics_state& s = state();
  present_if_due(&s, true);
  dispatch_to_controls(&s);
  s.timer_refresh_off = 0;
}

}  // namespace

void sleep_ms(int ms) {
  if (ms < 0) return;
  dll_timeBeginPeriod(1);
  Sleep(DWORD(ms));
  dll_timeEndPeriod(1);
}

void timer_sleep(int ms) {
  // Each call waits on its own: no timer shared between threads.
  dll_timeBeginPeriod(1);
  Sleep(DWORD(ms));
  dll_timeEndPeriod(1);
}

void pause_ms(int ms) {
  if (ms >= 1) timer_sleep(ms);
}

void delay_ms(int ms) {
  graphics_state& s = state();
  s.timer_refresh_off = 1;
  if (ms == 0) {
    present_now();
    now_ms();
    s.timer_refresh_off = 0;
    return;
  }
  now_ms();
  const double target = now_ms() + ms;
  int budget = ms < 50 ? 100 : 0;
  draw_controls();
  for (double now = now_ms(); target >= now; now = now_ms()) {
    if (budget != 0 && s.update_counter.load() > 254) {
      const int remaining = int(target - now);
      if (remaining >= 1) {
        --budget;  // only rounds that sleep spend the budget
        timer_sleep(remaining);
      }
    } else {
      present_if_due(&s, true);
      budget = 255;
    }
  }
  present_if_due(&s, true);
  now_ms();
  dispatch_to_controls(&s);
  s.timer_refresh_off = 0;
}

void delay_fps(double fps) {
  graphics_state& s = state();
  s.timer_refresh_off = 1;
  double period;
  if (!frame_period(fps, &period)) return present_once();
  const double target = paced_target(period);
  for (double now = now_ms(); !(target < now); now = now_ms()) {
    const int remaining = int(target - now);
    if (remaining > 0) timer_sleep(remaining);
  }
  present_if_due(&s, true);
  const double later = now_ms();
  dispatch_to_controls(&s);
  advance_reference(period, later);
  s.timer_refresh_off = 0;
}

void delay_fps(int fps) { delay_fps(double(fps)); }

void delay_fps_skip(double fps) {
  graphics_state& s = state();
  s.timer_refresh_off = 1;
  double period;
  if (!frame_period(fps, &period)) return present_once();
  const double target = paced_target(period);
  bool on_time = false;
  for (double now = now_ms(); target >= now; now = now_ms()) {
    on_time = true;
    const int remaining = int(target - now);
    if (remaining >= 1) timer_sleep(remaining);
  }
  if (on_time)
    present_if_due(&s, true);
  else
    fps_tick(-256);
  const double later = now_ms();
  dispatch_to_controls(&s);
  advance_reference(period, later);
  s.timer_refresh_off = 0;
}

void delay_fps_skip(int fps) { delay_fps_skip(double(fps)); }

double clock_seconds() { return now_ms() / 1000.0; }

double elapsedseconds() {
  bool first_use = false;
  static const DWORD start_tick = [&first_use] {
    first_use = true;
    return GetTickCount();
  }();
  if (first_use) return 0.0;
  return double(DWORD(GetTickCount() - start_tick)) / 1000.0;  // wraps with the tick count
}

float fps_tick(int kind) {
  const double t = clock_seconds();
  std::lock_guard<std::mutex> guard(counters.lock);
  if (kind == 256) ++counters.frames;
  if (kind == -256) ++counters.frames, ++counters.skipped;
  counters.refresh(t);
  return kind < 1 ? counters.shown_rate : (counters.rate + counters.previous_rate) / 2;
}

float getfps() {
  const double t = clock_seconds();
  std::lock_guard<std::mutex> guard(counters.lock);
  counters.refresh(t);
  return counters.shown_rate;
}

}  // namespace frond
