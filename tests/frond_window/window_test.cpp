// The graphics window against the headless display: initgraph in the
// client's mode (manual render, keep on close), presenting frames, pages and
// viewports, real input entering where the X11 backend enters, and the close
// button. One window per process, so the tests run in order and the close
// request comes last.
// Depends on: the window fixture (headless display, input seam).

#include "support/graphics_fixture.h"
#include "support/window_fixture.h"

using namespace frond;
using namespace frond_test;

namespace {

const auto* const environment = window_for_all_tests(640, 360, INITMODE_MANUAL_RENDER, "Frond window test");

TEST(Window, OpensWithCaptionAndClientSize) {
  ASSERT_TRUE(iswindowready());
  ASSERT_NE(window(), nullptr);
  EXPECT_TRUE(isrunning());
  const platform_test::HeadlessWindowState shown = platform_test::headless_window_state(window());
  EXPECT_EQ(shown.title, L"Frond window test");
  EXPECT_EQ((std::vector<long>{shown.exists, shown.visible, shown.client.right - shown.client.left,
                               shown.client.bottom - shown.client.top, getwidth(), getheight()}),
            (std::vector<long>{true, true, 640, 360, 640, 360}));
  EXPECT_EQ(showmouse(1), 1);  // initgraph ends with the cursor shown
  EXPECT_EQ(GetWindowLongW(window(), GWL_STYLE) & WS_THICKFRAME, 0);
}

TEST(Window, CaptionChangesReachTheWindow) {
  setcaption(L"Renamed");
  EXPECT_EQ(platform_test::headless_window_state(window()).title, L"Renamed");
  setcaption("Frond window test");
}

TEST(Window, AnIconIdWithoutAResourceChangesNothing) {
  const LONG_PTR before = GetClassLongPtrA(window(), GCLP_HICON);
  seticon(123);
  EXPECT_EQ(GetClassLongPtrA(window(), GCLP_HICON), before);
  EXPECT_EQ(state().icon, reinterpret_cast<HICON>(before));
}

TEST(Window, ViewportIsClampedToThePage) {
  setviewport(-10, -10, 5000, 5000, 1);
  EXPECT_EQ(viewport_of(), (std::vector<int>{0, 0, 640, 360, 1}));
}

TEST(Window, PresentShowsOnlyCountedChanges) {
  delay_ms(0);
  setrendermode(1);  // already manual: returns at once
  paint_page(0xFF00FF00);
  delay_ms(0);  // nothing counted since the last present: the window is untouched
  EXPECT_NE(on_screen(10, 10), 0x00FF00u);

  setbkcolor_norepaint(getbkcolor());  // a counted call
  delay_ms(0);
  EXPECT_EQ(on_screen(10, 10), 0x00FF00u);
  EXPECT_EQ(on_screen(639, 359), 0x00FF00u);
  EXPECT_EQ(state().update_counter.load(), 255);
}

TEST(Window, PagesAndTheVisualPage) {
  setactivepage(1);
  setbkcolor(0xFF0000FF);
  cleardevice();
  setvisualpage(1);
  delay_ms(0);
  EXPECT_EQ(on_screen(100, 100), 0x0000FFu);
  swappage();  // shows page 1, draws on page 0
  EXPECT_EQ(getvisualpage(), 1);
  EXPECT_EQ(getactivepage(), 0);
  setvisualpage(0);
  setactivepage(0);
  delay_ms(0);
  EXPECT_EQ(on_screen(100, 100), 0x00FF00u);
}

TEST(Window, OnlyAutomaticModeRefreshesOnTheTimer) {
  paint_page(0xFF102030);
  setvisualpage(0);  // a refresh is due, but manual mode has no timer
  Sleep(250);
  EXPECT_NE(on_screen(10, 10), 0x102030u);

  setrendermode(0);  // presents now and restarts the timer on the window thread
  EXPECT_EQ(on_screen(10, 10), 0x102030u);
  paint_page(0xFF405060);
  setvisualpage(0);
  for (int i = 0; i < 100 && on_screen(10, 10) != 0x405060u; ++i) Sleep(5);
  EXPECT_EQ(on_screen(10, 10), 0x405060u);
  setrendermode(1);
}

// Presses, characters and releases queued as the window receives them (how
// getkey turns them into records is frond_input's).
TEST(Window, CharactersOutsideTheBasicPlaneBecomeCodePageBytes) {
  flushkey();
  setcodepage(65001);
  key('X', true, u"\U0001F600");
  key('X', false);
  platform_test::inject_key(window(), 'X', true, true, u"");  // held: auto-repeat, no first press
  settle();
  EXPECT_EQ(popkey(), 'X' | 0x10000 | 0x80000);
  int bytes[4];
  for (int& b : bytes) b = popkey();
  EXPECT_EQ(bytes[0], 0xF0 | 0x40000);
  EXPECT_EQ(bytes[1], 0x9F | 0x40000);
  EXPECT_EQ(bytes[2], 0x98 | 0x40000);
  EXPECT_EQ(bytes[3], 0x80 | 0x40000);
  EXPECT_EQ(popkey() & 0xFFFF, 'X');  // the release, unchanged
  EXPECT_EQ(popkey(), 'X' | 0x10000);
  setcodepage(0);
}

TEST(Window, MouseButtonsWheelAndMoves) {
  flushmouse();
  const RECT client = client_on_screen();
  platform_test::inject_button(1, true, client.left + 20, client.top + 30);
  platform_test::inject_button(1, false, client.left + 20, client.top + 30);
  platform_test::inject_pointer(client.left + 20, client.top + 30);  // where it was released: not queued
  platform_test::inject_pointer(client.left + 21, client.top + 30);
  platform_test::inject_wheel(-120, client.left + 5, client.top + 6);
  settle();

  // Kind, button, x, y, wheel.
  const std::vector<int> expected[] = {{MOUSEMSG_PRESS, MOUSEFLAG_RIGHT, 20, 30, 0},
                                       {MOUSEMSG_RELEASE, MOUSEFLAG_RIGHT, 20, 30, 0},
                                       {MOUSEMSG_MOVE, 0, 21, 30, 0},
                                       {MOUSEMSG_WHEEL, 0, 5, 6, -120}};
  for (const std::vector<int>& e : expected) {
    const mouse_message m = getmouse();
    EXPECT_EQ((std::vector<int>{int(m.kind), int(m.flags & 7), m.x, m.y, m.wheel_delta}), e);
  }
  EXPECT_EQ(mousepending(), 0);

  // A record carries the buttons held when it was queued: the right one here.
  platform_test::inject_button(1, true, client.left + 20, client.top + 30);
  platform_test::inject_button(1, false, client.left + 20, client.top + 30);
  Sleep(50);
  const mouse_record held = getmouserecord();
  EXPECT_EQ((std::vector<int>{held.left, held.right, held.middle}), (std::vector<int>{0, 1, 0}));
  flushmouse();
}

TEST(Window, ResizeFollowsTheDrawingSize) {
  resizewindow(320, 180);
  delay_ms(0);
  const RECT client = client_on_screen();
  EXPECT_EQ(client.right - client.left, 320);
  EXPECT_EQ(client.bottom - client.top, 180);
  EXPECT_EQ(getwidth(), 320);
  EXPECT_EQ(viewport_of(), (std::vector<int>{0, 0, 320, 180, 1}));
  resizewindow(640, 360);
}

TEST(Window, OlderInitgraphTakesTheModeHalvesAndKeepsTheSwitches) {
  const int bits = getinitmode();
  const int unplaced = int(0x80000000u);
  setinitmode(bits | INITMODE_UNICODE_CHARS, unplaced, unplaced);
  setunicodechars(false);
  int driver = 9, mode = 200 << 16 | 300;
  initgraph(&driver, &mode);
  delay_ms(0);
  const RECT client = client_on_screen();
  EXPECT_EQ(client.right - client.left, 300);
  EXPECT_EQ(client.bottom - client.top, 200);
  EXPECT_FALSE(getunicodechars());
  EXPECT_EQ(getinitmode(), bits | INITMODE_UNICODE_CHARS);
  setinitmode(bits, unplaced, unplaced);
  resizewindow(640, 360);
  delay_ms(0);
}

TEST(Window, CloseButtonOnlyRequestsClosing) {
  platform_test::inject_close(window());
  for (int i = 0; i < 200 && isrunning(); ++i) Sleep(5);
  EXPECT_FALSE(isrunning());
  EXPECT_TRUE(IsWindow(window()));
  EXPECT_EQ(keypending(), 0);  // not -1: the window still exists (readers when closed are frond_input's)
}

}  // namespace
