// Sleeps, presents and frame pacing against the headless display: what is
// presented when, and the render-mode switch. Presents of counted changes and
// the automatic mode's timer are frond_window's; speeds are benchmarks'.
// Depends on: graphics/state.h and the window fixture.

#include <functional>
#include <limits>

#include "graphics/state.h"
#include "support/window_fixture.h"

using namespace frond;

namespace {

using frond_test::on_screen;
using frond_test::paint_page;

const auto* const environment = frond_test::window_for_all_tests(320, 180, 0);  // automatic render mode at first

TEST(Pacing, ClocksStartAtZero) {
  EXPECT_EQ(elapsedseconds(), 0.0);
  EXPECT_EQ(clock_seconds(), 0.0);
  sleep_ms(20);
  EXPECT_GE(elapsedseconds(), 0.019);
  EXPECT_GE(clock_seconds(), 0.019);
}

TEST(Pacing, SwitchToManualModeCompletesOnTheLastTick) {
  setrendermode(1);
  EXPECT_EQ(state().manual_render.load(), 1);
  EXPECT_EQ(state().switch_pending.load(), 0);
  EXPECT_EQ(state().timer_refresh_off.load(), 1);  // (already manual returns at once: frond_window)
}

// Each delay presents the page, counted or not: at once where nothing can be
// paced (a negative delay, rates that are not positive or finite), else at
// the end of the wait.
TEST(Pacing, EveryDelayPresentsThePage) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* name;
    std::function<void()> delay;
  } rows[] = {
      {"delay_ms(-5)", [] { delay_ms(-5); }},          {"delay_ms(30)", [] { delay_ms(30); }},
      {"delay_fps(0)", [] { delay_fps(0.0); }},        {"delay_fps(-30)", [] { delay_fps(-30.0); }},
      {"delay_fps(NaN)", [&] { delay_fps(nan); }},     {"delay_fps(1e-320)", [] { delay_fps(1e-320); }},
      {"delay_fps(200)", [] { delay_fps(200); }},      {"delay_fps(200) again", [] { delay_fps(200); }},
      {"delay_fps_skip(0)", [] { delay_fps_skip(0.0); }},
      {"delay_fps_skip(NaN)", [&] { delay_fps_skip(nan); }},
  };
  argb_color colour = 0xFF000010;
  for (const auto& row : rows) {
    paint_page(++colour);
    row.delay();
    EXPECT_EQ(on_screen(5, 5), colour & 0x00FFFFFF) << row.name;
  }
  delay_fps_skip(200);
  EXPECT_GE(getfps(), 0.0f);
}

}  // namespace
