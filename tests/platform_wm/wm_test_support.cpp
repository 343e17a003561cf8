// The recording window procedure, the expected-sequence check and the
// fixture of the window-manager tests. Depends on: the headless display.
#include "wm_test_support.h"

#include "platform/test_seams.h"

#include <sstream>

namespace wm_test {
namespace {

std::mutex log_mutex;
std::vector<Recorded> log_entries;
thread_local const MSG* dispatching = nullptr;
thread_local int depth = 0;

}  // namespace

const wchar_t kClassName[] = L"WmTestWindow";
const wchar_t kPlainClassName[] = L"WmTestPlainWindow";

std::vector<Recorded> take_log() {
  std::lock_guard<std::mutex> lock(log_mutex);
  std::vector<Recorded> out;
  out.swap(log_entries);
  return out;
}

void clear_log() { take_log(); }

namespace {

// A message as text, with what `flags` asks to be compared.
std::string describe(UINT message, bool posted, WPARAM wparam, LPARAM lparam, unsigned flags) {
  std::ostringstream out;
  out << std::hex << "0x" << message;
  if (flags & (kSent | kPosted)) out << (posted ? " posted" : " sent");
  if (flags & kWparam) out << " w=" << wparam;
  if (flags & kLparam) out << " l=" << lparam;
  return out.str();
}

}  // namespace

void expect_sequence(const std::vector<Expected>& expected, HWND hwnd, const char* context) {
  std::vector<std::string> want, seen;
  for (const Expected& e : expected) want.push_back(describe(e.message, e.flags & kPosted, e.wparam, e.lparam, e.flags));
  for (const Recorded& r : take_log()) {
    if (hwnd != nullptr && r.hwnd != hwnd) continue;
    const unsigned flags = seen.size() < expected.size() ? expected[seen.size()].flags : 0;
    seen.push_back(describe(r.message, r.posted, r.wparam, r.lparam, flags));
  }
  EXPECT_EQ(seen, want) << context;
}

LRESULT CALLBACK recording_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ++depth;
  const bool posted =
      depth == 1 && dispatching != nullptr && dispatching->hwnd == hwnd && dispatching->message == message;
  {
    std::lock_guard<std::mutex> lock(log_mutex);
    log_entries.push_back(Recorded{hwnd, message, wparam, lparam, posted});
  }
  const LRESULT result = DefWindowProcW(hwnd, message, wparam, lparam);
  --depth;
  return result;
}

bool register_once(const wchar_t* name, WNDPROC proc, UINT style) {
  WNDCLASSEXW cls = {};
  cls.cbSize = sizeof cls;
  cls.style = style;
  cls.lpfnWndProc = proc;
  cls.cbWndExtra = 16;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = name;
  return RegisterClassExW(&cls) != 0 || GetLastError() == 1410u;  // already registered by an earlier test
}

void expect_rect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
            (std::vector<LONG>{left, top, right, bottom}));
}

RECT update_rect(HWND hwnd) {
  MSG msg;
  if (!PeekMessageW(&msg, hwnd, WM_PAINT, WM_PAINT, PM_NOREMOVE)) return RECT{0, 0, 0, 0};
  PAINTSTRUCT paint;
  BeginPaint(hwnd, &paint);
  EndPaint(hwnd, &paint);
  return paint.rcPaint;
}

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    dispatching = &msg;
    DispatchMessageW(&msg);
    dispatching = nullptr;
  }
}

void WmTest::SetUp() {
  platform_test::use_headless_display();
  ASSERT_TRUE(register_once(kClassName, recording_proc, CS_DBLCLKS));
  ASSERT_TRUE(register_once(kPlainClassName, recording_proc));
  pump();
  clear_log();
}

void WmTest::TearDown() {
  for (HWND hwnd : windows_) {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
  ReleaseCapture();
  pump();
  clear_log();
}

HWND WmTest::make(DWORD style, int x, int y, int width, int height, HWND parent, DWORD ex_style, const wchar_t* cls) {
  const HWND hwnd =
      CreateWindowExW(ex_style, cls, L"test", style, x, y, width, height, parent, nullptr, nullptr, nullptr);
  EXPECT_NE(hwnd, nullptr);
  windows_.push_back(hwnd);
  return hwnd;
}

}  // namespace wm_test
