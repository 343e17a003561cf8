// Expected message sequences: a window procedure records what it receives,
// and tests compare the record with static tables of the messages Windows
// sends, flagged as sent or posted and with the parameters that matter.
// Depends on: the headless display and its test seams.
#pragma once

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "platform/windows.h"

namespace wm_test {

enum Flags : unsigned {
  kSent = 0x1,    // reached the procedure by a send
  kPosted = 0x2,  // reached the procedure through DispatchMessage
  kWparam = 0x4,  // wparam must match
  kLparam = 0x8,  // lparam must match
};

struct Expected {
  UINT message;
  unsigned flags;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
};

struct Recorded {
  HWND hwnd;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  bool posted;
};

// Every message the recording procedure saw, in order (all threads).
std::vector<Recorded> take_log();
void clear_log();
// Compares the log with `expected` (messages of `hwnd` only when it is not null).
void expect_sequence(const std::vector<Expected>& expected, HWND hwnd = nullptr, const char* context = "");

// Records, then hands the message to DefWindowProcW.
LRESULT CALLBACK recording_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Registers a class of `proc` (16 extra bytes, arrow cursor) once per process; false when that failed.
bool register_once(const wchar_t* name, WNDPROC proc, UINT style = 0);
void expect_rect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom);

// Takes every waiting message off the calling thread's queue and dispatches it.
void pump();

extern const wchar_t kClassName[];       // recording_proc, CS_DBLCLKS, arrow cursor
extern const wchar_t kPlainClassName[];  // recording_proc, no double clicks

// The update rectangle, read (and validated) through BeginPaint; empty when nothing needs painting.
RECT update_rect(HWND hwnd);

// Headless display, both classes registered, an empty log; windows made through
// make() are destroyed afterwards and the queue drained.
class WmTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND make(DWORD style, int x, int y, int width, int height, HWND parent = nullptr, DWORD ex_style = 0,
            const wchar_t* cls = kClassName);

  std::vector<HWND> windows_;
};

}  // namespace wm_test
