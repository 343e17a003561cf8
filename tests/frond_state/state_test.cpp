// The graphics state record: defaults before any window, the close request,
// the image selector rule (pages, indexes past them, the target), settarget
// keeping its argument, cleardevice. Depends on: the graphics fixture.

#include "support/graphics_fixture.h"

using namespace frond;
using namespace frond_test;

namespace {

class StateTest : public GraphicsTest {};

TEST_F(StateTest, DefaultsBeforeAnyWindow) {
  EXPECT_TRUE(isrunning());
  EXPECT_FALSE(iswindowready());
  EXPECT_EQ(getwindowhandle(), nullptr);
  EXPECT_EQ(state().caption, L"Frond Graphics 1.0");
  EXPECT_EQ(getversion(), 10000);
  EXPECT_EQ(gettarget(), nullptr);
}

TEST_F(StateTest, CloseRequestStopsRunningAndStays) {
  default_close_handler();
  EXPECT_FALSE(isrunning());
  default_close_handler();
  EXPECT_FALSE(isrunning());
  state().stop_flags = graphics_state::window_destroyed_bit;
  EXPECT_FALSE(isrunning());
}

TEST_F(StateTest, SelectorsNamePagesAndTheTarget) {
  IMAGE page0(4, 4), page2(6, 6), other(8, 8);
  state().pages[0] = &page0;
  state().pages[2] = &page2;
  state().draw_target = &page0;

  EXPECT_EQ(resolve_image(selector(16)), &page0);
  EXPECT_EQ(resolve_image(selector(2)), &page2);
  EXPECT_EQ(resolve_image(selector(18)), &page2);
  EXPECT_EQ(resolve_image(nullptr), &page0);
  EXPECT_EQ(resolve_image(&other), &other);
  EXPECT_EQ(resolve_image(selector(1)), nullptr);  // page 1 not made yet
  // Indexes past the four pages name no image, never memory beyond them.
  for (uintptr_t v : {4u, 5u, 15u, 20u, 31u}) EXPECT_EQ(resolve_image(selector(v)), nullptr) << v;
  EXPECT_EQ(getwidth(selector(18)), 6);
  EXPECT_EQ(getwidth(selector(7)), 0);
  EXPECT_EQ(getx(selector(7)), -1);
}

TEST_F(StateTest, SetTargetKeepsArgumentAndResolvesTarget) {
  IMAGE page2(3, 3), image(5, 5);
  state().pages[2] = &page2;
  state().active_page = 2;

  settarget(&image);
  EXPECT_EQ(resolve_image(nullptr), &image);
  settarget(nullptr);
  EXPECT_EQ(resolve_image(nullptr), &page2);

  // A selector is kept as given, but the target is what it names now.
  settarget(selector(18));
  EXPECT_EQ(gettarget(), selector(18));
  EXPECT_EQ(resolve_image(nullptr), &page2);
  settarget(selector(9));
  EXPECT_EQ(gettarget(), selector(9));
  EXPECT_EQ(resolve_image(nullptr), nullptr);
  EXPECT_EQ(getwidth(), 0);
}

TEST_F(StateTest, CleardeviceWritesTheBackgroundIncludingAlpha) {
  IMAGE image(3, 2);
  setbkcolor_norepaint(0x00123456, &image);
  cleardevice(&image);
  for (argb_color p : pixels_of(&image)) EXPECT_EQ(p, 0x00123456u);
}

}  // namespace
