// The start-up logo played by initgraph: the window shows the white
// background and the logo's colours, ends black, and the requested manual
// render mode holds afterwards.
// Depends on: logo_support.h and the headless display.

#include "graphics/state.h"
#include "logo_support.h"

using namespace frond;

namespace {

TEST(Logo, PlaysDuringInitgraphAndEndsBlack) {
  logo_test::ScreenWatcher watcher;
  frond_test::open_window(640, 360, INITMODE_LOGO | INITMODE_MANUAL_RENDER);
  watcher.stop();
  EXPECT_TRUE(watcher.saw_white());
  EXPECT_TRUE(watcher.saw_colour());
  EXPECT_EQ(logo_test::on_screen(320, 180), 0x000000u);
  EXPECT_EQ(getbkcolor(), 0xFF000000u);
  EXPECT_EQ(state().manual_render.load(), 1);
}

}  // namespace
