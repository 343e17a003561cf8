// Keyboard and pointer input entering where the display backend enters, as
// the window procedure sees it after GetMessage and TranslateMessage.
// Depends on: wm_test_support and the input seams of the headless display.
#include "platform/test_seams.h"
#include "wm_test_support.h"

namespace wm_test {
namespace {

constexpr DWORD kPopup = WS_POPUP | WS_VISIBLE;

class InputTest : public WmTest {
 protected:
  void SetUp() override {
    WmTest::SetUp();
    window_ = make(kPopup, 200, 100, 300, 200);
    SetFocus(window_);
    pump();
    clear_log();
  }
  // Takes the next input-related message, translating keys as a message loop does.
  MSG next() {
    MSG msg = {};
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return msg;
  }
  std::vector<WPARAM> chars() {
    std::vector<WPARAM> out;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE)) out.push_back(msg.wParam);
    return out;
  }

  HWND window_ = nullptr;
};

// Keys as the backend delivers them: lParam holds the scan code, bit 30 for a
// repeat and bit 31 for a release. The backend decides what a key types
// (control codes included); TranslateMessage posts one WM_CHAR per unit.
TEST_F(InputTest, KeysCarryScanCodeRepeatAndReleaseAndTypeTheirTextUnitByUnit) {
  const struct {
    UINT vk;
    bool down, repeat;
    std::u16string typed;
    DWORD lparam;
    std::vector<WPARAM> chars;
  } keys[] = {
      {'A', true, false, u"a", 0x001E0001u, {'a'}},
      {'A', true, true, u"a", 0x401E0001u, {'a'}},
      {'A', false, false, u"", 0xC01E0001u, {}},
      {VK_DELETE, true, false, u"", 0x00530001u, {}},
      {VK_BACK, true, false, u"\b", 0x000E0001u, {8}},
      {'X', true, false, u"\U0001F600", 0x002D0001u, {0xD83D, 0xDE00}},  // a surrogate pair
  };
  for (const auto& k : keys) {
    SCOPED_TRACE(testing::Message() << "key " << k.vk << (k.down ? " down" : " up"));
    platform_test::inject_key(window_, k.vk, k.down, k.repeat, k.typed);
    MSG msg = {};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(k.down ? WM_KEYDOWN : WM_KEYUP));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(k.vk));
    EXPECT_EQ(static_cast<DWORD>(msg.lParam), k.lparam);
    EXPECT_TRUE(TranslateMessage(&msg));  // a key message, even when it types nothing
    EXPECT_EQ(chars(), k.chars);
  }
}

void click(int button, int x, int y) {
  platform_test::inject_button(button, true, x, y);
  platform_test::inject_button(button, false, x, y);
}

TEST_F(InputTest, PointerMessagesUseClientCoordinatesAndAskForTheCursor) {
  platform_test::inject_pointer(210, 120);
  pump();
  static const std::vector<Expected> kMove = {{WM_NCHITTEST, kSent | kLparam, 0, MAKELPARAM(210, 120)},
                                              {WM_SETCURSOR, kSent | kLparam, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
                                              {WM_MOUSEMOVE, kPosted | kWparam | kLparam, 0, MAKELPARAM(10, 20)}};
  expect_sequence(kMove, window_, "move");
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ((std::vector<LONG>{p.x, p.y}), (std::vector<LONG>{210, 120}));

  // Held keys show in the button messages; the left Control key counts as Control.
  platform_test::inject_key(window_, VK_SHIFT, true);
  platform_test::inject_key(window_, VK_LCONTROL, true);
  click(0, 215, 125);
  platform_test::inject_key(window_, VK_SHIFT, false);
  platform_test::inject_key(window_, VK_LCONTROL, false);
  click(1, 215, 125);
  pump();
  static const std::vector<Expected> kClick = {
      {WM_KEYDOWN, kPosted | kWparam, VK_SHIFT},
      {WM_KEYDOWN, kPosted | kWparam, VK_LCONTROL},
      {WM_NCHITTEST, kSent},
      {WM_SETCURSOR, kSent | kLparam, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
      {WM_LBUTTONDOWN, kPosted | kWparam | kLparam, MK_LBUTTON | MK_SHIFT | MK_CONTROL, MAKELPARAM(15, 25)},
      {WM_LBUTTONUP, kPosted | kWparam | kLparam, MK_SHIFT | MK_CONTROL, MAKELPARAM(15, 25)},
      {WM_KEYUP, kPosted | kWparam, VK_SHIFT},
      {WM_KEYUP, kPosted | kWparam, VK_LCONTROL},
      {WM_NCHITTEST, kSent},
      {WM_SETCURSOR, kSent},
      {WM_RBUTTONDOWN, kPosted | kWparam, MK_RBUTTON},  // nothing held any more
      {WM_RBUTTONUP, kPosted | kWparam, 0}};
  expect_sequence(kClick, window_, "click");
}

TEST_F(InputTest, WheelDeltaIsSignedAndPositionOnScreen) {
  platform_test::inject_wheel(-120, 250, 150);
  const MSG wheel = next();
  EXPECT_EQ(wheel.message, static_cast<UINT>(WM_MOUSEWHEEL));
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel.wParam), -120);
  EXPECT_EQ(wheel.lParam, MAKELPARAM(250, 150));
}

std::vector<UINT> button_messages() {
  std::vector<UINT> out;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_LBUTTONDOWN, WM_MBUTTONDBLCLK, PM_REMOVE)) out.push_back(msg.message);
  pump();
  return out;
}

TEST_F(InputTest, DoubleClicksNeedTheClassStyleAndTheSmallBox) {
  click(0, 220, 130);
  click(0, 221, 131);
  click(0, 222, 131);  // a third press starts over
  EXPECT_EQ(button_messages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                                  WM_LBUTTONDOWN, WM_LBUTTONUP}));
  click(1, 300, 130);
  click(1, 306, 130);  // outside the 4-pixel box
  click(1, 306, 136);  // and in height
  click(0, 240, 130);
  click(1, 240, 130);  // another button
  EXPECT_EQ(button_messages(), (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP,
                                                  WM_RBUTTONDOWN, WM_RBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                                  WM_RBUTTONDOWN, WM_RBUTTONUP}));

  const HWND plain = make(kPopup, 600, 100, 50, 50, nullptr, 0, kPlainClassName);
  pump();
  click(0, 610, 110);
  click(0, 610, 110);
  EXPECT_EQ(button_messages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
  DestroyWindow(plain);
}

TEST_F(InputTest, CaptureRoutesThePointerToTheCapturingWindow) {
  const HWND other = make(kPopup, 600, 100, 100, 100);
  pump();
  EXPECT_EQ(SetCapture(window_), nullptr);
  EXPECT_EQ(GetCapture(), window_);
  clear_log();
  platform_test::inject_pointer(650, 90);   // over nothing of ours, above `other`
  platform_test::inject_pointer(650, 150);  // over `other`
  pump();
  static const std::vector<Expected> kCaptured = {
      {WM_MOUSEMOVE, kPosted | kLparam, 0, MAKELPARAM(450, 50)}};  // moves coalesce; no WM_SETCURSOR under capture
  expect_sequence(kCaptured, nullptr, "captured");
  platform_test::inject_pointer(150, 90);  // left of and above the window: negative client coordinates
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
  EXPECT_EQ(GET_X_LPARAM(msg.lParam), -50);
  EXPECT_EQ(GET_Y_LPARAM(msg.lParam), -10);
  EXPECT_TRUE(ReleaseCapture());
  expect_sequence({{WM_CAPTURECHANGED, kSent}}, window_, "released");
  platform_test::inject_pointer(650, 150);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, other);
  EXPECT_EQ(msg.lParam, MAKELPARAM(50, 50));
}

TEST_F(InputTest, ANullCursorHidesThePointer) {
  const HCURSOR previous = SetCursor(nullptr);
  EXPECT_TRUE(platform_test::headless_window_state(window_).cursor_hidden);
  EXPECT_EQ(SetCursor(previous), nullptr);
  EXPECT_FALSE(platform_test::headless_window_state(window_).cursor_hidden);
  EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(1)), nullptr);
}

}  // namespace
}  // namespace wm_test
