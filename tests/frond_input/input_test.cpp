// The input rings and their readers, fed directly the way the window thread
// feeds them (no window needed for the readers that do not wait).
// Depends on: graphics/input_queue.h and the graphics fixture.

#include <vector>

#include "graphics/input_queue.h"
#include "platform/test_seams.h"
#include "support/graphics_fixture.h"

using namespace frond;

namespace {

HWND const fake_window = reinterpret_cast<HWND>(0x1000);
constexpr LPARAM repeat_bit = LPARAM(1) << 30;

class InputTest : public frond_test::GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    state().key_queue = &key_ring;
    state().mouse_queue = &mouse_ring;
  }
  void TearDown() override {
    state().key_queue = nullptr;
    state().mouse_queue = nullptr;
    for (auto& key : state().keystate) key = 0;
    GraphicsTest::TearDown();
  }

  void key(UINT message, WPARAM code, LPARAM lparam = 0) { key_ring.push(fake_window, message, code, lparam, 0); }
  void mouse(UINT message, WPARAM wparam, LPARAM lparam, uint32_t buttons = 0) {
    mouse_ring.push(fake_window, message, wparam, uint64_t(lparam), buttons);
  }

  input_queue key_ring, mouse_ring;
};

// Before the window thread has made the rings, every reader answers "nothing"
// and the input box returns an empty line.
using NoWindowTest = frond_test::GraphicsTest;

TEST_F(NoWindowTest, ReadersBeforeTheWindowAnswerEmpty) {
  ASSERT_EQ(state().key_queue, nullptr);
  EXPECT_EQ(keypending(), 0);
  EXPECT_EQ(peekkey(3), 0);
  EXPECT_EQ(popkey(), 0);
  EXPECT_EQ(charpending(), 0);
  EXPECT_EQ(waitchar(), 0);
  EXPECT_EQ(getkey().kind, 0u);
  flushkey();
  EXPECT_EQ(drainchars(), 0);
  EXPECT_EQ(mousepending(), 0);
  EXPECT_EQ(getmouse().kind, 0u);
  EXPECT_EQ(getmouserecord().message, 0u);
  flushmouse();
  wchar_t wide[8] = L"###";  // the input box: an empty line at once
  EXPECT_EQ(inputbox_getline(L"t", L"p", wide, 8), 0);
  EXPECT_EQ(wide[0], L'\0');
  char narrow[8] = "###";
  EXPECT_EQ(inputbox_getline("t", "p", narrow, 8), 0);
  EXPECT_EQ(narrow[0], '\0');
}

TEST_F(InputTest, FullRingKeepsTheNewest1023) {
  for (int i = 0; i < 1100; ++i) key(WM_KEYDOWN, WPARAM(i));
  int count = 0;
  int first = popkey();
  EXPECT_EQ(first & 0xFFFF, 77);  // the 78th press
  EXPECT_EQ(first & 0xF0000, 0x10000 | 0x80000);
  for (++count; popkey() != 0; ++count) {
  }
  EXPECT_EQ(count, 1023);
}

TEST_F(InputTest, KeypendingAndPeekkeyPeekAndPopkeyPacksTheMessage) {
  EXPECT_EQ(keypending(), 0);
  key(WM_KEYUP, 'A');
  key(WM_CHAR, 'a');
  EXPECT_EQ(keypending(), 'A' | 0x20000);  // a peek: the pop below still finds it
  EXPECT_EQ(popkey(), 'A' | 0x20000);
  EXPECT_EQ(popkey(), 'a' | 0x40000);
  EXPECT_EQ(popkey(), 0);  // (a repeated press carries no first-press bit: frond_window)

  // peekkey filters and drops what it skips.
  key(WM_KEYDOWN, 'B');
  key(WM_CHAR, 'b');
  EXPECT_EQ(peekkey(2), 'b' | 0x40000);
  EXPECT_EQ(popkey(), 'b' | 0x40000);  // the press was dropped
  EXPECT_EQ(popkey(), 0);
}

TEST_F(InputTest, PeekcharSkipsPressesThatTypeCharacters) {
  key(WM_KEYDOWN, 'A');
  key(WM_CHAR, 'a');
  EXPECT_EQ(peekchar(), 'a' | 0x40000);
  EXPECT_EQ(popkey(), 'a' | 0x40000);

  key(WM_KEYDOWN, VK_F5);
  EXPECT_EQ(peekchar(), (VK_F5 + 0x100) | 0x10000);
  popkey();
  key(WM_KEYUP, VK_LEFT);
  key(WM_KEYDOWN, VK_LEFT);
  EXPECT_EQ(peekchar(), VK_LEFT | 0x10000);
  popkey();
  key(WM_KEYDOWN, VK_SHIFT);
  key(WM_KEYDOWN, VK_OEM_1);
  EXPECT_EQ(peekchar(), 0);
}

TEST_F(InputTest, GetkeyBuildsRecordsWithModifiersAtReadingTime) {
  key(WM_KEYDOWN, 'C', repeat_bit);
  state().keystate[VK_CONTROL] = 1;
  key_message record = getkey();
  EXPECT_EQ((std::vector<uint32_t>{record.kind, record.keycode, record.flags}),
            (std::vector<uint32_t>{KEYMSG_PRESS, 'C', KEYFLAG_CTRL}));

  key(WM_CHAR, 0x263A);
  state().keystate[VK_CONTROL] = 0;
  state().keystate[VK_SHIFT] = 1;
  record = getkey();
  EXPECT_EQ((std::vector<uint32_t>{record.kind, record.keycode, record.flags}),
            (std::vector<uint32_t>{KEYMSG_CHAR, 0x263A, KEYFLAG_SHIFT}));
  key(WM_KEYUP, 'C');
  EXPECT_EQ(getkey().kind, uint32_t(KEYMSG_RELEASE));
  key(WM_KEYDOWN, 'D');
  EXPECT_EQ(getkey().flags, uint32_t(KEYFLAG_FIRST_PRESS | KEYFLAG_SHIFT));

  default_close_handler();  // closed and empty: a zero record at once
  record = getkey();
  EXPECT_EQ(record.kind, 0u);
  EXPECT_EQ(keypending(), 0);
  state().stop_flags = graphics_state::window_destroyed_bit;
  EXPECT_EQ(keypending(), -1);
  EXPECT_EQ(charpending(), -1);
}

TEST_F(InputTest, WaitcharSkipsStaleEntriesAndMarksSpecialKeys) {
  key(WM_KEYDOWN, VK_LEFT);
  EXPECT_EQ(waitchar(), 0x125);

  platform_test::set_tick_count(0xFFFFFF00u);  // entries from just before the wrap
  key(WM_CHAR, 'x');
  platform_test::set_tick_count(0xFFFFFF00u + 1500);
  key(WM_CHAR, 'y');
  EXPECT_EQ(waitchar(), 'y');
}

TEST_F(InputTest, FlushDrainAndKeyStates) {
  key(WM_CHAR, 'p');
  key(WM_KEYDOWN, 'Q');
  key(WM_CHAR, 'q');
  key(WM_KEYUP, 'Q');
  EXPECT_EQ(drainchars(), 'q');
  EXPECT_EQ(popkey(), 0);
  key(WM_KEYDOWN, 'Z');
  flushkey();
  EXPECT_EQ(keypending(), 0);
  state().keystate[65] = 1;
  EXPECT_EQ((std::vector<int>{getkeystate(65), getkeystate(256), getkeystate(-1)}), (std::vector<int>{1, -1, -1}));
}

TEST_F(InputTest, MouseRecords) {
  const auto packed = [](int x, int y) { return LPARAM(int32_t(uint32_t(uint16_t(x)) | uint32_t(uint16_t(y)) << 16)); };
  mouse(WM_MOUSEWHEEL, WPARAM(uint16_t(-120)) << 16 | MK_CONTROL, packed(-5, 40));
  mouse(WM_RBUTTONDBLCLK, MK_RBUTTON, packed(3, 4), 2);
  mouse(WM_LBUTTONUP, MK_SHIFT, packed(7, 8));
  EXPECT_EQ(mousepending(), 1);

  const mouse_message m = getmouse();
  EXPECT_EQ((std::vector<int>{int(m.kind), m.wheel_delta, m.x, m.y, int(m.flags)}),
            (std::vector<int>{MOUSEMSG_WHEEL, -120, -5, 40, MOUSEFLAG_CTRL}));
  EXPECT_EQ(getmouse().kind, uint32_t(MOUSEMSG_MOVE));  // double clicks read as moves
  const mouse_record r = getmouserecord();
  EXPECT_EQ((std::vector<int>{int(r.message), r.shift, r.x, r.y}), (std::vector<int>{WM_LBUTTONUP, 1, 7, 8}));
  EXPECT_EQ(mousepending(), 0);

  state().stop_flags = graphics_state::window_destroyed_bit;
  mouse(WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(mousepending(), 0);
  EXPECT_EQ(getmouse().kind, 0u);
}

TEST_F(InputTest, UndispatchedEntriesAreTakenOnce) {
  key(WM_KEYDOWN, 'A');
  key(WM_CHAR, 'a');
  queued_message taken[4];
  EXPECT_EQ(key_ring.take_undispatched(taken, 4), 2);
  EXPECT_EQ(key_ring.take_undispatched(taken, 4), 0);
  key(WM_KEYUP, 'A');
  EXPECT_EQ(key_ring.take_undispatched(taken, 4), 1);
  EXPECT_EQ(taken[0].message, uint32_t(WM_KEYUP));
  EXPECT_EQ(popkey(), 'A' | 0x10000 | 0x80000);  // readers ignore the mark
}

}  // namespace
