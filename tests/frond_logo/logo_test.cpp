// The start-up logo played by initgraph: the window shows the white
// background and the logo's colours, ends black, and the requested manual
// render mode holds afterwards.
// Depends on: logo_support.h and the headless display.

#include <gtest/gtest.h>

#include "graphics/state.h"
#include "logo_support.h"
#include "platform/test_seams.h"

using namespace frond;

namespace {

TEST(Logo, PlaysDuringInitgraphAndEndsBlack) {
  platform_test::use_headless_display();
  logo_test::ScreenWatcher watcher;
  initgraph(640, 360, INITMODE_LOGO | INITMODE_MANUAL_RENDER | INITMODE_KEEP_ON_CLOSE);
  watcher.stop();
  EXPECT_TRUE(watcher.saw_white());
  EXPECT_TRUE(watcher.saw_colour());
  EXPECT_EQ(logo_test::on_screen(320, 180), 0x000000u);
  EXPECT_EQ(getbkcolor(), 0xFF000000u);
  EXPECT_EQ(state().manual_render.load(), 1);
  EXPECT_EQ(showmouse(1), 1);
  EXPECT_TRUE(isrunning());
}

}  // namespace
