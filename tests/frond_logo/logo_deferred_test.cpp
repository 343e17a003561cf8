// The logo of a window created hidden: initgraph returns at once, the first
// showwindow plays it over black and then brings back what was drawn
// meanwhile, keeping the background colour.
// Depends on: logo_support.h and the headless display.

#include "graphics/state.h"
#include "logo_support.h"

using namespace frond;

namespace {

TEST(DeferredLogo, FirstShowwindowPlaysItAndRestoresThePicture) {
  frond_test::open_window(640, 360, INITMODE_LOGO | INITMODE_HIDDEN);
  EXPECT_FALSE(platform_test::headless_window_state(getwindowhandle()).visible);

  setbkcolor(0xFF102030);  // what the program drew while the window was hidden
  cleardevice();
  logo_test::ScreenWatcher watcher;
  showwindow();
  watcher.stop();
  EXPECT_TRUE(platform_test::headless_window_state(getwindowhandle()).visible);
  EXPECT_TRUE(watcher.saw_white());
  EXPECT_TRUE(watcher.saw_colour());
  EXPECT_EQ(getbkcolor(), 0xFF102030u);
  EXPECT_EQ(getbuffer()[0], 0xFF102030u);
  EXPECT_EQ(logo_test::on_screen(320, 180), 0x102030u);

  // Only the first showwindow plays it.
  hidewindow();
  logo_test::ScreenWatcher second;
  showwindow();
  second.stop();
  EXPECT_FALSE(second.saw_white());
}

}  // namespace
