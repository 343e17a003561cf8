// Sleeps, presents and frame pacing against the headless display: what is
// presented when, and the render-mode switch. Presents of counted changes and
// the automatic mode's timer are frond_window's; speeds are benchmarks'.
// Depends on: graphics/state.h and the window fixture.

#include <cmath>
#include <limits>

#include "graphics/state.h"
#include "support/window_fixture.h"

using namespace frond;

namespace {

using frond_test::on_screen;

// Paints the active page without counting a change.
void paint_page(argb_color color) {
  argb_color* page = getbuffer();
  for (int i = 0; i < getwidth() * getheight(); ++i) page[i] = color;
}

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
  EXPECT_EQ(state().timer_refresh_off.load(), 1);
  setrendermode(1);  // already manual
  EXPECT_EQ(state().switch_pending.load(), 0);
}

TEST(Pacing, NegativeDelayPresentsOnce) {
  paint_page(0xFFFF0000);
  delay_ms(-5);
  EXPECT_EQ(on_screen(5, 5), 0xFF0000u);
}

TEST(Pacing, WaitingDelayPresentsAtTheEnd) {
  paint_page(0xFF123456);
  delay_ms(30);
  EXPECT_EQ(on_screen(5, 5), 0x123456u);
}

TEST(Pacing, RatesThatCannotBePacedPresentOnce) {
  for (double fps : {0.0, -30.0, std::numeric_limits<double>::quiet_NaN(), 1e-320}) {
    paint_page(0xFF000000 | uint32_t(std::isnan(fps) ? 7 : int(fps) & 0xFF));
    delay_fps(fps);
    EXPECT_EQ(on_screen(5, 5), getbuffer()[0] & 0x00FFFFFF) << fps;
    delay_fps_skip(fps);
  }
}

TEST(Pacing, PacedFramesPresent) {
  for (int i = 0; i < 3; ++i) {
    paint_page(0xFF000010u + i);
    delay_fps(200);
    EXPECT_EQ(on_screen(5, 5), 0x10u + i);
  }
  delay_fps_skip(200);
  EXPECT_GE(getfps(), 0.0f);
}

}  // namespace
