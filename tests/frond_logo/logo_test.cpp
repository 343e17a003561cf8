// The start-up logo. Played by initgraph: the window shows the white
// background and the logo's colours, ends black, and the requested manual
// render mode holds afterwards. Of a window created hidden: initgraph returns
// at once, the first showwindow plays it over black and then brings back what
// was drawn meanwhile, keeping the background colour.
// One window per process: CTest runs each test in a process of its own.
// Depends on: the window fixture and the headless display.

#include <atomic>
#include <thread>

#include "graphics/state.h"
#include "support/window_fixture.h"

using namespace frond;
using frond_test::on_screen;

namespace {

// Notes, until stopped, whether the window's centre ever showed white and
// ever showed something neither white, black nor grey (the logo's colours).
class ScreenWatcher {
 public:
  ScreenWatcher()
      : thread_([this] {
          while (!stop_) {
            if (getwindowhandle() != nullptr && iswindowready()) {
              const uint32_t centre = on_screen(320, 180);
              const int r = (centre >> 16) & 255, g = (centre >> 8) & 255, b = centre & 255;
              if (centre == 0xFFFFFF) saw_white_ = true;
              if (!(r == g && g == b)) saw_colour_ = true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
          }
        }) {}
  ~ScreenWatcher() { stop(); }
  void stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool saw_white() const { return saw_white_; }
  bool saw_colour() const { return saw_colour_; }

 private:
  std::atomic<bool> stop_{false}, saw_white_{false}, saw_colour_{false};
  std::thread thread_;
};

TEST(Logo, PlaysDuringInitgraphAndEndsBlack) {
  ScreenWatcher watcher;
  frond_test::open_window(640, 360, INITMODE_LOGO | INITMODE_MANUAL_RENDER);
  watcher.stop();
  EXPECT_TRUE(watcher.saw_white());
  EXPECT_TRUE(watcher.saw_colour());
  EXPECT_EQ(on_screen(320, 180), 0x000000u);
  EXPECT_EQ(getbkcolor(), 0xFF000000u);
  EXPECT_EQ(state().manual_render.load(), 1);
}

TEST(DeferredLogo, FirstShowwindowPlaysItAndRestoresThePicture) {
  if (getwindowhandle() != nullptr) GTEST_SKIP() << "needs a process of its own (--gtest_filter=DeferredLogo.*)";
  frond_test::open_window(640, 360, INITMODE_LOGO | INITMODE_HIDDEN);
  EXPECT_FALSE(platform_test::headless_window_state(getwindowhandle()).visible);

  setbkcolor(0xFF102030);  // what the program drew while the window was hidden
  cleardevice();
  ScreenWatcher watcher;
  showwindow();
  watcher.stop();
  EXPECT_TRUE(platform_test::headless_window_state(getwindowhandle()).visible);
  EXPECT_TRUE(watcher.saw_white());
  EXPECT_TRUE(watcher.saw_colour());
  EXPECT_EQ(getbkcolor(), 0xFF102030u);
  EXPECT_EQ(getbuffer()[0], 0xFF102030u);
  EXPECT_EQ(on_screen(320, 180), 0x102030u);

  // Only the first showwindow plays it.
  hidewindow();
  ScreenWatcher second;
  showwindow();
  second.stop();
  EXPECT_FALSE(second.saw_white());
}

}  // namespace
