// The platform's test seams: input injected where the X11 backend's enters
// the window manager, the headless screen and window state, GDI object counts,
// the tick count's origin, libraries made to look missing and the GDI+ glyph cache. Seen only by
// tests and test-only builds (CMake target platform_test_seams); the library
// implements them, the installed headers do not declare them.
// Depends on: windowing.h; each seam is defined where it reaches (display/, wm/, gdi/, gdiplus/,
// kernel/, syslibs/). Acts only when a test calls it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/windowing.h"

namespace platform_test {

// ---- window manager and display --------------------------------------------------------------------
// Uses the headless display even when DISPLAY is set; call before the first window.
void use_headless_display();
// `text` is what the press types (UTF-16 units), empty for keys that type nothing.
void inject_key(HWND window, UINT vk, bool down, bool repeat = false, const std::u16string& text = u"");
// Pointer and buttons in screen coordinates; button 0 left, 1 right, 2 middle.
void inject_pointer(int x, int y);
void inject_button(int button, bool down, int x, int y);
void inject_wheel(int delta, int x, int y);
void inject_close(HWND window);
// Text an input method committed (UTF-16 units): a VK_PROCESSKEY press that types it, and its release.
void inject_ime_text(HWND window, const std::u16string& text);
// Live GDI objects (DCs, bitmaps, pens, brushes, fonts, regions), stock objects included.
size_t gdi_object_count();
// Caret blinking on (the default) or off: off, a shown caret stays drawn, so that pixels are steady.
void set_caret_blink(bool blink);

// The headless screen (0xAARRGGBB words, rows top-down), readable and paintable.
struct ScreenPixels {
  uint32_t* pixels;
  int width;
  int height;
  int stride;  // pixels from one row to the next
};
ScreenPixels headless_screen();

// What the headless backend holds for a top-level window.
struct HeadlessWindowState {
  bool exists;
  std::wstring title;
  bool visible;
  RECT client;  // screen coordinates
  bool topmost;
  BYTE opacity;
  bool cursor_hidden;
  POINT input_spot;  // where an input method would show composition, client coordinates
};
HeadlessWindowState headless_window_state(HWND window);

// ---- GDI+ --------------------------------------------------------------------------------------------
// GdipDrawString through the glyph cache (the default), or every call's text rasterised whole.
void use_glyph_cache(bool use);

// ---- kernel ------------------------------------------------------------------------------------------
// Moves GetTickCount's origin so that it reads `value` now (to test the wrap).
void set_tick_count(DWORD value);

// ---- system libraries ----------------------------------------------------------------------------------
// Makes LoadLibrary fail for `library` (e.g. "msimg32.dll"), or, with an entry
// name, makes GetProcAddress fail for that entry only.
void mark_library_missing(const char* library);
void mark_entry_missing(const char* library, const char* entry);
// Makes everything loadable again.
void reset_missing_libraries();

}  // namespace platform_test
