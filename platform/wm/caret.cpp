// Carets: one per thread, belonging to the window that made it. A shown
// caret is drawn by inverting its rectangle in the window's client area, so
// drawing it twice takes it away again; it blinks on a timer of its window
// (GetCaretBlinkTime), which tests can switch off to keep pixels steady.
// Does not: draw bitmap carets (a bitmap argument gives a solid caret).
// Depends on: wm_state, timers, GetDC (drawing by inversion).
#include <atomic>

#include "platform/kernel32.h"
#include "platform/test_seams.h"
#include "platform/user32.h"
#include "wm/wm_state.h"

namespace {

constexpr UINT_PTR kBlinkTimer = 0xCA7E;
constexpr UINT kBlinkMs = 530;

std::atomic<bool> blinking{true};

struct Caret {
  HWND window = nullptr;
  int width = 0;
  int height = 0;
  POINT position = {0, 0};
  int hide_count = 1;  // shown while 0
  bool drawn = false;  // the inversion is on the screen
};

thread_local Caret caret;

void invert() {
  if (HDC dc = GetDC(caret.window)) {
    PatBlt(dc, caret.position.x, caret.position.y, caret.width, caret.height, DSTINVERT);
    ReleaseDC(caret.window, dc);
  }
  caret.drawn = !caret.drawn;
}

void erase() {
  if (caret.drawn) invert();
}

void draw() {
  if (!caret.drawn && caret.hide_count == 0) invert();
}

void CALLBACK blink(HWND, UINT, UINT_PTR, DWORD) {
  if (caret.window == nullptr || caret.hide_count != 0) return;
  if (blinking.load())
    invert();
  else
    draw();
}

bool owns(HWND window) { return caret.window != nullptr && (window == nullptr || window == caret.window); }

}  // namespace

BOOL CreateCaret(HWND window, HBITMAP, int width, int height) {
  if (!platform::wm::window_exists(window)) return FALSE;
  DestroyCaret();
  caret.window = window;
  caret.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  caret.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  caret.position = {0, 0};
  caret.hide_count = 1;
  caret.drawn = false;
  SetTimer(window, kBlinkTimer, GetCaretBlinkTime(), blink);
  return TRUE;
}

BOOL DestroyCaret() {
  if (caret.window == nullptr) return FALSE;
  erase();
  KillTimer(caret.window, kBlinkTimer);
  caret = Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND window) {
  if (!owns(window) || caret.hide_count == 0) return FALSE;
  if (--caret.hide_count == 0) draw();
  return TRUE;
}

BOOL HideCaret(HWND window) {
  if (!owns(window)) return FALSE;
  erase();
  ++caret.hide_count;
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  if (caret.window == nullptr) return FALSE;
  erase();
  caret.position = {x, y};
  draw();
  return TRUE;
}

UINT GetCaretBlinkTime() { return kBlinkMs; }

namespace platform_test {
void set_caret_blink(bool blink_on) { blinking = blink_on; }
}  // namespace platform_test
