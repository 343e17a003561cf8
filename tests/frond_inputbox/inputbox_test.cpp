// The line input box against the headless display: the box runs on a worker
// thread, as a program's drawing thread would, while this thread types
// through the input seam into the focused field. One window per process, so
// the close request comes last.
// Depends on: the window fixture (headless display, input seam).

#include <cwchar>
#include <functional>
#include <thread>
#include <vector>

#include "graphics/state.h"
#include "support/graphics_fixture.h"
#include "support/window_fixture.h"

using namespace frond;
using frond_test::key;
using frond_test::window;

namespace {

// Waits until the box's field has the focus; returns it. Generous: on a
// loaded machine under the sanitizers the box can take seconds to open, and
// typing before it has the focus would leave the box waiting for ever.
HWND wait_for_field() {
  for (int i = 0; i < 6000; ++i) {
    HWND focus = GetFocus();
    if (focus != nullptr && focus != window() && GetParent(focus) == window()) return focus;
    Sleep(5);
  }
  return nullptr;
}

// Presses and releases a key for each character ("\r" is Return).
void type(const std::u16string& text) {
  for (char16_t c : text) {
    const UINT vk = c >= u'a' && c <= u'z' ? UINT(c - 32) : UINT(c);
    key(vk, true, std::u16string(1, c));
    key(vk, false);
  }
}

struct Outcome {
  std::wstring line;
  int result;
  HWND field;
};

// Runs the wide box with `len` while `user` acts on its field.
Outcome wide_box(int len, const std::function<void(HWND field)>& user) {
  std::vector<wchar_t> buf(size_t(std::max(len, 1)), L'#');
  int result = -1;
  std::thread box([&] { result = inputbox_getline(L"Title", L"Type a line", buf.data(), len); });
  const HWND field = wait_for_field();
  user(field);
  box.join();
  return {std::wstring(buf.data()), result, field};
}

const bool steady_caret = (platform_test::set_caret_blink(false), true);
const auto* const environment = frond_test::window_for_all_tests(640, 360, INITMODE_MANUAL_RENDER);

TEST(InputBox, TypingAndEnterInBothForms) {
  struct Case {
    const char16_t* typed;
    int len;
    const wchar_t* line;
    int result;
  } cases[] = {
      {u"abc", 64, L"abc", 3},
      {u"", 64, L"", 0},
      {u"abcdef", 5, L"abcd", 4},  // the field keeps len - 1
  };
  for (const Case& c : cases) {
    const Outcome out = wide_box(c.len, [&](HWND field) {
      type(c.typed);
      frond_test::settle();
      EXPECT_EQ(SendMessageW(field, WM_GETTEXTLENGTH, 0, 0), LRESULT(std::wcslen(c.line)));  // nothing lost later
      type(u"\r");
    });
    EXPECT_EQ(out.line, c.line);
    EXPECT_EQ(out.result, c.result);
  }
  char narrow[4] = "###";
  int result = -1;
  std::thread box([&] { result = inputbox_getline("Title", "Prompt", narrow, 4); });
  ASSERT_NE(wait_for_field(), nullptr);
  type(u"\u00e9\u00e9");  // two characters of two bytes each: only one fits with the terminator
  type(u"\r");
  box.join();
  EXPECT_EQ(std::string(narrow), "\xc3\xa9");
  EXPECT_EQ(result, 2);
}

// (Input-method text in the field: the platform's EDIT tests.)
TEST(InputBox, InnerLineBreaksStay) {
  const Outcome out = wide_box(64, [](HWND) {
    type(u"ab");
    key(VK_RETURN, true, u"\r");  // held: a line break, not yet the end
    type(u"cd");
    key(VK_RETURN, false);
  });
  EXPECT_EQ(out.line, L"ab\r\ncd");
  EXPECT_EQ(out.result, 6);
}

TEST(InputBox, AnEnterFromBeforeTheBoxDoesNotEndIt) {
  key(VK_RETURN, true, u"\r");
  key(VK_RETURN, false);
  key(VK_RETURN, true, u"\r");  // still held when the box opens
  frond_test::settle();
  const Outcome out = wide_box(64, [](HWND) {
    key(VK_RETURN, false);
    type(u"q");
    type(u"\r");
  });
  EXPECT_EQ(out.line, L"q");
}

TEST(InputBox, LeavesThePictureTheQueueAndNoWindowOrObjectBehind) {
  frond_test::paint_coordinates(state().pages[0]);
  const std::vector<argb_color> before = frond_test::pixels_of(state().pages[0]);
  const size_t objects = platform_test::gdi_object_count();
  const Outcome out = wide_box(64, [](HWND) {  // how the open box looks is the end-to-end test's
    type(u"x");
    type(u"\r");
  });
  EXPECT_EQ(out.line, L"x");
  EXPECT_EQ(frond_test::pixels_of(state().pages[0]), before);
  EXPECT_EQ(keypending(), 0);
  EXPECT_FALSE(IsWindow(out.field));
  EXPECT_EQ(platform_test::gdi_object_count(), objects);
}

// Runs the box on the window thread, from inside the window procedure.
WNDPROC graphics_proc = nullptr;
int on_window_thread = -1;
LRESULT CALLBACK box_calling_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_APP + 7) return CallWindowProcW(graphics_proc, hwnd, message, wparam, lparam);
  wchar_t buf[4] = L"##";
  on_window_thread = inputbox_getline(L"t", L"p", buf, 4) + (buf[0] == L'\0' ? 0 : 100);
  return 0;
}

TEST(InputBox, RefusesBadBuffersAndTheWindowThread) {
  graphics_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(box_calling_proc)));
  SendMessageW(window(), WM_APP + 7, 0, 0);  // would never return if the box waited there
  SetWindowLongPtrW(window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(graphics_proc));
  EXPECT_EQ(on_window_thread, 0);
  wchar_t buf[2] = {L'#', L'#'};
  EXPECT_EQ(inputbox_getline(L"t", L"p", buf, 0), 0);
  EXPECT_EQ(buf[0], L'#');
  EXPECT_EQ(inputbox_getline(L"t", L"p", nullptr, 2), 0);
  char narrow[2] = {'#', '#'};
  EXPECT_EQ(inputbox_getline("t", "p", narrow, -1), 0);
  EXPECT_EQ(narrow[0], '#');
}

TEST(InputBox, ClosingTheWindowReturnsWhatWasTyped) {
  const Outcome out = wide_box(64, [](HWND) {
    type(u"xy");
    frond_test::settle();
    platform_test::inject_close(window());
  });
  EXPECT_EQ(out.line, L"xy");
  EXPECT_EQ(out.result, 2);
  EXPECT_FALSE(IsWindow(out.field));
  wchar_t buf[4] = L"##";
  EXPECT_EQ(inputbox_getline(L"t", L"p", buf, 4), 0);  // the window is closed: no box
  EXPECT_EQ(buf[0], L'\0');
}

}  // namespace
