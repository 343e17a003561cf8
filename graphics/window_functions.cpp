// Window functions: caption, icon, visibility, position, size and parent of
// the graphics window, its class and its creation. A caption or icon given
// before the window exists is kept and applied when it is made.
// Depends on: frames (pages, window viewport), images, text (mb_to_wide).

#include "graphics/frame.h"
#include "graphics/window.h"

namespace frond {

void setcaption(const char* text) { setcaption(mb_to_wide(text).c_str()); }

void setcaption(const wchar_t* text) {
  graphics_state& s = state();
  s.caption = text != nullptr ? text : L"";
  if (s.window_ready.load()) {
    HWND window = s.window.load();
    SetWindowTextW(window, s.caption.c_str());
    UpdateWindow(window);
  }
}

void seticon(int id) {
  graphics_state& s = state();
  HICON icon = id != 0 ? static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id & 0xFFFF),
                                                       IMAGE_ICON, 0, 0, LR_DEFAULTSIZE))
                       : LoadIconW(nullptr, IDI_APPLICATION);
  if (icon == nullptr) return;
  s.icon = icon;
  if (s.window_ready.load()) SetClassLongPtrW(s.window.load(), GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

void load_window_icon() {
  graphics_state& s = state();
  if (s.icon == nullptr) s.icon = LoadIconW(nullptr, IDI_APPLICATION);
}

namespace {

void show_on_top(HWND window) {
  ShowWindow(window, SW_SHOWNORMAL);
  BringWindowToTop(window);
  SetForegroundWindow(window);
}

}  // namespace

void showwindow() {
  graphics_state& s = state();
  HWND window = s.window.load();
  const argb_color background = getbkcolor();
  const bool first = s.init_done != 0;
  s.init_done = 0;
  if (!first || (window_globals().init_mode & (INITMODE_LOGO | INITMODE_HIDDEN)) != (INITMODE_LOGO | INITMODE_HIDDEN)) {
    show_on_top(window);
    return;
  }
  // The logo that the hidden window deferred: played over a black picture,
  // after which the picture drawn meanwhile comes back.
  IMAGE* target = resolve_image(nullptr);
  if (target == nullptr) return show_on_top(window);
  IMAGE* saved = new IMAGE(*target);
  const bool was_manual = s.manual_render.load() != 0;
  setbkcolor_norepaint(0xFF000000);
  cleardevice();
  show_on_top(window);
  show_logo();
  setbkcolor_norepaint(background);
  putimage(0, 0, saved, SRCCOPY);
  if (s.window_ready.load()) flushwindow();
  delete saved;
  // The logo leaves automatic mode; a program that had chosen manual mode keeps it.
  if (was_manual) setrendermode(1);
}

void hidewindow() { ShowWindow(state().window.load(), SW_HIDE); }

void movewindow(int x, int y, bool redraw) {
  MoveWindow(state().window.load(), x, y, getwidth(nullptr), getheight(nullptr), redraw ? TRUE : FALSE);
}

void flushwindow() {
  graphics_state& s = state();
  if (!s.window_ready.load()) return;
  s.timer_refresh_off = 1;
  blit_visual_page();
  s.timer_refresh_off = 0;
}

void resizewindow(int width, int height) {
  graphics_state& s = state();
  int reference_width, reference_height;
  getparentsize(&reference_width, &reference_height);
  if (width < 1) width = reference_width;
  if (height < 1) height = reference_height;
  // Compared with the window's drawing size, whatever the current target is.
  if (width == s.width && height == s.height) return;
  const int old_width = s.width, old_height = s.height;
  width = int16_t(width);
  height = int16_t(height);
  s.width = width < 0 ? reference_width : width;
  s.height = height < 0 ? reference_height : height;
  for (IMAGE* page : s.pages) {
    if (page == nullptr) continue;
    const bool whole = page->viewport.left == 0 && page->viewport.top == 0 && page->viewport.right == old_width &&
                       page->viewport.bottom == old_height;
    const auto narrowed = page->viewport;
    page->resize(s.width, s.height);
    // A viewport that covered the page grows with it; a narrowed one is kept.
    if (whole)
      setviewport(0, 0, s.width, s.height, narrowed.clip, page);
    else
      setviewport(narrowed.left, narrowed.top, narrowed.right, narrowed.bottom, narrowed.clip, page);
  }
  setwindowviewport(s.window_viewport.x, s.window_viewport.y, s.width, s.height);
}

int setparentwindow(HWND parent) {
  window_globals().parent = parent;
  return 0;
}

HWND getparentwindow() { return window_globals().parent; }

void getparentsize(int* width, int* height) {
  RECT rect = {};
  if (HWND parent = window_globals().parent)
    GetClientRect(parent, &rect);
  else
    GetWindowRect(GetDesktopWindow(), &rect);
  *width = rect.right - rect.left;
  *height = rect.bottom - rect.top;
}

void register_window_class(graphics_state* s, HINSTANCE instance) {
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = graph_wndproc;
  window_class.hInstance = instance;
  window_class.hIcon = s->icon;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(uintptr_t(COLOR_WINDOW + 1));
  window_class.lpszClassName = L"Frond Graphics Window";
  RegisterClassExW(&window_class);
}

HWND create_window(HWND parent, const wchar_t* title, uint32_t style, uint32_t exstyle, int x, int y, int width,
                   int height) {
  return CreateWindowExW(exstyle, L"Frond Graphics Window", title, style & ~WS_VISIBLE, x, y, width, height, parent,
                         nullptr, state().instance, nullptr);
}

}  // namespace frond
