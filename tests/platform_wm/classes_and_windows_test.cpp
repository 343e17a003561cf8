// Classes, creation and destruction sequences, closing (also by SIGINT),
// window longs, text, icons and subclassing, as the window procedure sees
// them. Depends on: wm_test_support; sends SIGINT to this process itself.
#include <signal.h>

#include "platform/test_seams.h"
#include "wm_test_support.h"

namespace wm_test {
namespace {

constexpr DWORD kVisibleCaptioned = 0x12CA0000;  // visible, clip children, caption, system menu, minimise box

using WindowsTest = WmTest;

TEST_F(WindowsTest, SecondRegistrationFailsAndTheClassStaysUsable) {
  WNDCLASSEXW cls = {};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = recording_proc;
  cls.lpszClassName = kClassName;
  SetLastError(0);
  EXPECT_EQ(RegisterClassExW(&cls), 0);
  EXPECT_EQ(GetLastError(), 1410u);
  cls.cbSize = 0;
  cls.lpszClassName = L"WmUnsized";
  EXPECT_EQ(RegisterClassExW(&cls), 0);  // the record's size is checked
  WNDCLASSA upper = {};
  upper.lpfnWndProc = recording_proc;
  upper.lpszClassName = "WMTESTWINDOW";  // class names ignore case
  EXPECT_EQ(RegisterClassA(&upper), 0);
  EXPECT_NE(make(WS_POPUP, 0, 0, 10, 10), nullptr);
}

TEST_F(WindowsTest, CreatingAVisibleCaptionedWindowSendsTheDocumentedSequence) {
  const HWND hwnd = make(kVisibleCaptioned, 100, 50, 400, 300);
  static const std::vector<Expected> kCreate = {
      {WM_NCCREATE, kSent},
      {WM_CREATE, kSent},
      {WM_SIZE, kSent | kWparam | kLparam, SIZE_RESTORED, MAKELPARAM(392, 269)},
      {WM_MOVE, kSent | kLparam, 0, MAKELPARAM(104, 77)},
      {WM_SHOWWINDOW, kSent | kWparam, TRUE},
      {WM_WINDOWPOSCHANGING, kSent},
      {WM_ACTIVATE, kSent | kWparam, WA_ACTIVE},
      {WM_SETFOCUS, kSent},
      {WM_WINDOWPOSCHANGED, kSent},
  };
  expect_sequence(kCreate, hwnd, "create");
  // Overlapped windows also get WS_CLIPSIBLINGS, as on Windows.
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)), kVisibleCaptioned | WS_CLIPSIBLINGS);
  EXPECT_EQ(GetActiveWindow(), hwnd);
  EXPECT_EQ(GetFocus(), hwnd);
  EXPECT_TRUE(platform_test::headless_window_state(hwnd).visible);
  EXPECT_EQ(platform_test::headless_window_state(hwnd).title, L"test");
}

LRESULT CALLBACK refusing_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  recording_proc(hwnd, message, wparam, lparam);
  if (message == WM_CREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    return *static_cast<int*>(cs->lpCreateParams) == 1 ? -1 : 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

TEST_F(WindowsTest, CreateParamsPassThroughAndMinusOneFromWmCreateFailsCreation) {
  ASSERT_TRUE(register_once(L"WmRefusing", refusing_proc));
  int refuse = 1;
  EXPECT_EQ(CreateWindowExW(0, L"WmRefusing", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, &refuse), nullptr);
  static const std::vector<Expected> kRefused = {
      {WM_NCCREATE, kSent}, {WM_CREATE, kSent}, {WM_DESTROY, kSent}, {WM_NCDESTROY, kSent}};
  expect_sequence(kRefused, nullptr, "refused");
  int accept = 0;
  const HWND hwnd = CreateWindowExW(0, L"WmRefusing", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, &accept);
  EXPECT_NE(hwnd, nullptr);
  windows_.push_back(hwnd);
}

// A child needs a parent, knows it and its id, and goes with it: WM_DESTROY
// parent first, WM_NCDESTROY children first.
TEST_F(WindowsTest, AChildNeedsAParentAndIsDestroyedWithIt) {
  EXPECT_EQ(CreateWindowExW(0, kClassName, L"", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), 1406u);
  const HWND parent = make(kVisibleCaptioned, 0, 0, 300, 200);
  const HWND child = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent,
                                     reinterpret_cast<HMENU>(42), nullptr, nullptr);
  EXPECT_EQ(GetParent(child), parent);
  EXPECT_EQ(GetWindowLongPtrW(child, GWLP_ID), 42);
  EXPECT_EQ(GetParent(parent), nullptr);
  EXPECT_TRUE(IsChild(parent, child));
  SetCapture(child);
  clear_log();
  ASSERT_TRUE(DestroyWindow(parent));
  const std::vector<std::pair<HWND, UINT>> expected = {
      {parent, WM_WINDOWPOSCHANGING}, {parent, WM_WINDOWPOSCHANGED}, {parent, WM_KILLFOCUS}, {parent, WM_ACTIVATE},
      {parent, WM_DESTROY},           {child, WM_DESTROY},           {child, WM_NCDESTROY},  {parent, WM_NCDESTROY}};
  std::vector<std::pair<HWND, UINT>> seen;
  for (const Recorded& r : take_log()) seen.emplace_back(r.hwnd, r.message);
  EXPECT_EQ(seen, expected);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_FALSE(platform_test::headless_window_state(parent).exists);
}

// The close button and SIGINT post WM_CLOSE; DefWindowProc destroys the window.
TEST_F(WindowsTest, TheCloseButtonAndSigintPostWmCloseToTopLevelWindows) {
  const HWND closed_by_user = make(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  platform_test::inject_close(closed_by_user);
  EXPECT_TRUE(IsWindow(closed_by_user));
  pump();
  EXPECT_FALSE(IsWindow(closed_by_user));

  platform::wm::install_close_on_signals();
  platform::wm::install_close_on_signals();  // a second call changes nothing
  const HWND hwnd = make(WS_POPUP, 0, 0, 10, 10);
  const HWND child = make(WS_CHILD, 0, 0, 5, 5, hwnd);
  ASSERT_EQ(raise(SIGINT), 0);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, hwnd, WM_CLOSE, WM_CLOSE), TRUE);
  EXPECT_EQ(msg.hwnd, hwnd);  // the child gets no WM_CLOSE of its own
  DispatchMessageW(&msg);
  EXPECT_FALSE(IsWindow(child));
  struct sigaction action = {};
  sigaction(SIGPIPE, nullptr, &action);
  EXPECT_EQ(action.sa_handler, SIG_IGN);
}

TEST_F(WindowsTest, WindowLongsAndExtraBytes) {
  const HWND hwnd = make(WS_POPUP, 0, 0, 10, 10, nullptr, WS_EX_TOOLWINDOW);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)), static_cast<DWORD>(WS_POPUP));
  EXPECT_EQ(SetWindowLongPtrW(hwnd, 8, -5), 0);  // extra bytes start zeroed
  EXPECT_EQ(GetWindowLongPtrW(hwnd, 8), -5);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, 9), 0);  // would run past the 16 extra bytes
  EXPECT_EQ(GetLastError(), 1413u);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(recording_proc));
  clear_log();
  SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_BORDER));
  static const std::vector<Expected> kStyle = {{WM_STYLECHANGING, kSent | kWparam, static_cast<WPARAM>(GWL_STYLE)},
                                               {WM_STYLECHANGED, kSent | kWparam, static_cast<WPARAM>(GWL_STYLE)}};
  expect_sequence(kStyle, hwnd, "style");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)), static_cast<DWORD>(WS_POPUP | WS_BORDER));
  // The topmost bit only changes through SetWindowPos.
  SetWindowLongW(hwnd, GWL_EXSTYLE, WS_EX_TOPMOST);
  EXPECT_EQ(GetWindowLongW(hwnd, GWL_EXSTYLE), 0);  // and the tool-window bit went
}

std::string last_ansi_text;

LRESULT CALLBACK ansi_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SETTEXT) last_ansi_text = reinterpret_cast<const char*>(lparam);
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

// Wide text reaches the native title; ANSI classes get it as UTF-8.
TEST_F(WindowsTest, TextThroughWmSetTextReachesTheNativeTitleAndAnsiClassesGetUtf8) {
  const HWND hwnd = make(WS_OVERLAPPED, 0, 0, 100, 100);
  EXPECT_TRUE(SetWindowTextW(hwnd, L"Gr\u00fc\u00dfe"));
  wchar_t wide[16];
  EXPECT_EQ(SendMessageW(hwnd, WM_GETTEXT, 3, reinterpret_cast<LPARAM>(wide)), 2);  // truncated to fit the terminator
  EXPECT_STREQ(wide, L"Gr");
  EXPECT_EQ(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0), 5);
  EXPECT_EQ(platform_test::headless_window_state(hwnd).title, L"Gr\u00fc\u00dfe");

  WNDCLASSA cls = {};
  cls.lpfnWndProc = ansi_proc;
  cls.lpszClassName = "WmAnsi";
  static const bool registered = RegisterClassA(&cls) != 0;
  ASSERT_TRUE(registered);
  const HWND ansi = CreateWindowExA(0, "WmAnsi", "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
  windows_.push_back(ansi);
  SetWindowTextW(ansi, L"\u00e9t\u00e9");
  EXPECT_EQ(last_ansi_text, "\xC3\xA9t\xC3\xA9");
  SendMessageW(ansi, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(wide));
  EXPECT_STREQ(wide, L"\u00e9t\u00e9");
}

WNDPROC original_proc = nullptr;

LRESULT CALLBACK subclass_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_USER) return CallWindowProcW(original_proc, hwnd, message, wparam, lparam) + 100;
  return CallWindowProcW(original_proc, hwnd, message, wparam, lparam);
}

TEST_F(WindowsTest, SubclassingChainsThroughCallWindowProc) {
  const HWND hwnd = make(WS_POPUP, 0, 0, 10, 10);
  clear_log();
  original_proc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass_proc)));
  EXPECT_EQ(original_proc, recording_proc);
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 3, 4), 100);  // DefWindowProc answers 0, the subclass adds 100
  static const std::vector<Expected> kSeen = {{WM_USER, kSent | kWparam | kLparam, 3, 4}};
  expect_sequence(kSeen, hwnd, "subclass");
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_proc));
}

// System icons load, the program's own ids fail (it has no icon resources),
// and a class icon set through one window is every window's.
TEST_F(WindowsTest, SystemIconsLoadTheProgramsOwnIdsFailAndAClassLongChangesForEveryWindow) {
  const HICON shared = LoadIconW(nullptr, IDI_APPLICATION);
  EXPECT_NE(shared, nullptr);
  EXPECT_EQ(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 0, 0, LR_SHARED), shared);
  EXPECT_NE(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE), shared);  // a handle of its own
  EXPECT_EQ(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE), nullptr);
  EXPECT_EQ(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)), nullptr);

  const HWND first = make(WS_POPUP, 0, 0, 10, 10), second = make(WS_POPUP, 0, 0, 10, 10);
  // SetClassLongPtr answers the previous value.
  EXPECT_EQ(SetClassLongPtrW(first, GCLP_HICON, reinterpret_cast<LONG_PTR>(shared)), 0u);
  EXPECT_EQ(GetClassLongPtrA(second, GCLP_HICON), reinterpret_cast<ULONG_PTR>(shared));
  EXPECT_EQ(GetClassLongPtrA(second, GCL_STYLE), static_cast<ULONG_PTR>(CS_DBLCLKS));
  SetClassLongPtrW(first, GCLP_HICON, 0);
}

}  // namespace
}  // namespace wm_test
