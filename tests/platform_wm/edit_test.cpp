// The built-in "EDIT" class in a window: its frame shrinks the client area,
// it keeps its text through the text and limit messages, takes typing and
// committed input-method text, paints with the parent's WM_CTLCOLOREDIT
// brush, is left alone by a WS_CLIPCHILDREN parent's drawing, shows a caret
// while it has the focus, and gets the focus back when its window is
// activated again. Depends on: wm_test_support, the headless screen, the GDI.
#include "gdi/objects.h"
#include "platform/syslibs.h"
#include "platform/test_seams.h"
#include "wm/input_events.h"
#include "wm_test_support.h"

namespace wm_test {
namespace {

constexpr COLORREF kFieldColour = RGB(0x20, 0x40, 0x60);
constexpr uint32_t kFieldPixel = 0x204060;  // as the screen holds it: 0x00RRGGBB

uint32_t pixel_of(COLORREF c) { return platform::gdi::colorref_word(c); }

LRESULT CALLBACK parent_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  static HBRUSH brush = CreateSolidBrush(kFieldColour);
  if (message == WM_CTLCOLOREDIT) {
    SetTextColor(reinterpret_cast<HDC>(wparam), RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(brush);
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

class EditTest : public WmTest {
 protected:
  void SetUp() override {
    WmTest::SetUp();
    ASSERT_TRUE(register_once(L"EditTestParent", parent_proc));
    platform_test::set_caret_blink(false);
    parent_ = make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 400, 200, nullptr, 0, L"EditTestParent");
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL |
                            ES_MULTILINE | ES_WANTRETURN, 31, 93, 338, 66, parent_, nullptr, nullptr, nullptr);
    ASSERT_NE(edit_, nullptr);
    SetFocus(edit_);
    pump();
  }
  void TearDown() override {
    platform_test::set_caret_blink(true);
    WmTest::TearDown();
  }
  std::wstring text() {
    wchar_t buffer[64];
    const LRESULT n = SendMessageW(edit_, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(buffer));
    return std::wstring(buffer, size_t(n));
  }
  void type(UINT vk, const std::u16string& typed) {
    platform_test::inject_key(parent_, vk, true, false, typed);
    platform_test::inject_key(parent_, vk, false);
    pump();
  }
  // What the headless screen shows at a point of the parent's client area (no alpha).
  uint32_t shown(int x, int y) {
    const auto screen = platform_test::headless_screen();
    const RECT client = platform_test::headless_window_state(parent_).client;
    return screen.pixels[size_t(client.top + y) * size_t(screen.stride) + size_t(client.left + x)] & 0xFFFFFF;
  }

  HWND parent_ = nullptr, edit_ = nullptr;
};

TEST_F(EditTest, FrameShrinksTheClientAreaAndIsDrawn) {
  RECT client;
  GetClientRect(edit_, &client);
  expect_rect(client, 0, 0, 338 - 3 - 3 - GetSystemMetrics(SM_CXVSCROLL), 66 - 3 - 3);
  EXPECT_EQ(shown(31, 93), pixel_of(GetSysColor(COLOR_WINDOWFRAME)));  // the one-pixel border
  EXPECT_EQ(shown(32, 94), pixel_of(GetSysColor(COLOR_BTNSHADOW)));    // the client edge
  EXPECT_EQ(shown(34, 96 + 20), kFieldPixel);  // the field in the parent's colour
}

// The text rules themselves are edit_text_test's; here the keys, the input
// method's text and the text messages reach them.
TEST_F(EditTest, TypingInputMethodTextAndTheTextMessages) {
  type('A', u"a");
  type(VK_RETURN, u"\r");  // ES_WANTRETURN: a line break
  type('B', u"b");
  type(VK_BACK, u"\b");
  type(VK_LEFT, u"");
  platform_test::inject_ime_text(parent_, u"\u6F22\u5B57x");
  pump();
  type(VK_HOME, u"");
  type(VK_DELETE, u"");
  EXPECT_EQ(text(), L"\u6F22\u5B57x\r\n");  // Left stepped over the whole CR LF
  wchar_t small[4];
  EXPECT_EQ(SendMessageW(edit_, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(small)), 3);  // no terminator counted
  EXPECT_EQ(std::wstring(small), L"\u6F22\u5B57x");
  SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  SendMessageW(edit_, EM_LIMITTEXT, 4, 0);
  for (char c : std::string("abcdef")) type(UINT(c - 32), std::u16string(1, char16_t(c)));
  EXPECT_EQ(text(), L"abcd");
}

TEST_F(EditTest, ParentDrawingSparesTheFieldAndTheCaretInvertsItsPixels) {
  RECT all = {0, 0, 400, 200};
  HDC dc = GetDC(parent_);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ReleaseDC(parent_, dc);
  EXPECT_EQ(shown(10, 10), 0xFFFFFFu);
  EXPECT_EQ(shown(34 + 100, 96 + 30), kFieldPixel);  // under the field: not painted over
  // The caret, one pixel wide at the text's start, inverts the field colour.
  EXPECT_EQ(shown(34 + 1, 96 + 2), ~kFieldPixel & 0xFFFFFFu);
  SetFocus(parent_);  // the caret goes with the focus
  EXPECT_EQ(shown(34 + 1, 96 + 2), kFieldPixel);
}

TEST_F(EditTest, CompositionSpotReachesTheDisplayInTheWindowsClientArea) {
  const HMODULE imm32 = LoadLibraryA("imm32.dll");
  const auto set_window =
      reinterpret_cast<ImmSetCompositionWindow_fn>(GetProcAddress(imm32, "ImmSetCompositionWindow"));
  const auto get_context = reinterpret_cast<ImmGetContext_fn>(GetProcAddress(imm32, "ImmGetContext"));
  COMPOSITIONFORM form{CFS_POINT, {5, 6}, {0, 0, 0, 0}};
  EXPECT_TRUE(set_window(get_context(edit_), &form));
  const POINT spot = platform_test::headless_window_state(parent_).input_spot;
  EXPECT_EQ(spot.x, 31 + 3 + 5);  // the field's client origin inside its frame, plus the point
  EXPECT_EQ(spot.y, 93 + 3 + 6);
  FreeLibrary(imm32);
}

TEST_F(EditTest, FocusReturnsToTheFieldWhenTheWindowIsActivatedAgain) {
  ASSERT_EQ(GetFocus(), edit_);
  platform::wm::focus_changed(parent_, false);
  pump();
  EXPECT_EQ(GetFocus(), nullptr);
  platform::wm::focus_changed(parent_, true);
  pump();
  EXPECT_EQ(GetFocus(), edit_);
}

}  // namespace
}  // namespace wm_test
