// The graphics window: initgraph opens it on a thread of its own, which
// creates it, makes the pages and input rings on first start, runs the
// refresh timer and pumps messages until the window is destroyed. Its
// procedure queues keyboard and mouse input, repaints from the visual page,
// answers the close button through the close handler and creates child
// windows for controls on request.
// Depends on: frames, input rings, window functions, controls, system libraries.

#include <atomic>
#include <cstdio>

#include "graphics/controls.h"
#include "graphics/frame.h"
#include "graphics/input_queue.h"
#include "graphics/internal.h"
#include "graphics/system_libraries.h"
#include "graphics/window.h"

namespace frond {
namespace {

// Only the window's own thread may start its timers.
constexpr UINT request_refresh_timer = WM_USER + 3;

// How the last start of the window thread went: 0 pending, 1 running, -1 failed.
std::atomic<int> window_start{0};

POINT point_of(LPARAM lparam) { return {int16_t(lparam & 0xFFFF), int16_t((lparam >> 16) & 0xFFFF)}; }

void set_stop_bit(uint64_t bit, bool on) {
  if (on)
    state().stop_flags.fetch_or(bit);
  else
    state().stop_flags.fetch_and(~bit);
}

void push_mouse_message(UINT message, WPARAM wparam, LPARAM lparam) {
  graphics_state& s = state();
  const uint32_t buttons = uint32_t(s.buttons[0].load() | s.buttons[2].load() << 1 | s.buttons[1].load() << 2);
  s.mouse_queue->push(s.window.load(), message, wparam, uint64_t(lparam), buttons);
}

void push_key_message(UINT message, uint32_t key, LPARAM lparam) {
  graphics_state& s = state();
  int kind = 0;
  if (message == WM_KEYDOWN && key < 256) {
    s.keystate[key] = 1;
    kind = 1;
  } else if (message == WM_KEYUP && key < 256) {
    s.keystate[key] = 0;
  } else if (message == WM_CHAR) {
    kind = 2;
  }
  if (key_hook_proc hook = s.key_hook.load())
    if (hook(s.key_hook_value.load(), kind, int(key)) == 0) return;
  s.key_queue->push(s.window.load(), message, key, uint64_t(lparam), 0);
}

// Character messages carry UTF-16 units: queued as they are, or converted
// (pairing surrogates) into code-page bytes. Key codes are queued unchanged.
void queue_key(UINT message, WPARAM wparam, LPARAM lparam) {
  graphics_state& s = state();
  if (message != WM_CHAR || s.unicode_chars.load()) {
    push_key_message(message, uint32_t(wparam), lparam);
    return;
  }
  static thread_local wchar_t pending_surrogate = 0;
  const wchar_t unit = wchar_t(wparam & 0xFFFF);
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    pending_surrogate = unit;
    return;
  }
  wchar_t units[2];
  int count = 0;
  if (unit >= 0xDC00 && unit <= 0xDFFF) units[count++] = pending_surrogate;
  units[count++] = unit;
  pending_surrogate = 0;
  for (const char byte : platform::wide_to_multibyte(s.code_page.load(), units, count))
    push_key_message(message, uint8_t(byte), lparam);
}

// Copies the visual page through the paint image onto `dc`.
void repaint_from_visual_page(HDC dc) {
  graphics_state& s = state();
  IMAGE* page = s.pages[s.visual_page];
  if (page == nullptr || s.paint_image == nullptr) return;
  s.paint_image->copyimage(page);
  const auto& viewport = s.window_viewport;
  BitBlt(dc, 0, 0, viewport.width, viewport.height, s.paint_image->dc, viewport.x - s.paint_image->viewport.left,
         viewport.y - s.paint_image->viewport.top, SRCCOPY);
}

void repaint_window(HWND window) {
  HDC dc = GetDC(window);
  if (dc == nullptr) return;
  repaint_from_visual_page(dc);
  ReleaseDC(window, dc);
}

void paint(HWND window) {
  graphics_state& s = state();
  if (s.manual_render.load()) {
    ValidateRect(window, nullptr);
    count_change();
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc != nullptr)
    repaint_from_visual_page(dc);
  else
    repaint_window(window);
  EndPaint(window, &ps);
}

void refresh_tick() {
  graphics_state& s = state();
  if (!s.timer_refresh_off.load() && s.update_counter.load() <= 0) {
    s.update_counter = 255;
    repaint_window(s.window.load());
  }
  // A switch to manual mode waits for this tick, whether it refreshed or not.
  if (s.switch_pending.load()) {
    s.timer_refresh_off = 1;
    s.switch_pending = 0;
  }
}

// Button state changes common to the graphics window and control windows.
void button_down(HWND window, int button, int vk, LPARAM lparam) {
  graphics_state& s = state();
  const POINT p = point_of(lparam);
  s.keystate[vk] = 1;
  s.last_press_pos[0] = p.x;
  s.last_press_pos[1] = p.y;
  SetCapture(window);
  s.buttons[button] = 1;
}

void button_up(int button, int vk, LPARAM lparam) {
  graphics_state& s = state();
  const POINT p = point_of(lparam);
  s.buttons[button] = 0;
  s.last_release_pos[0] = p.x;
  s.last_release_pos[1] = p.y;
  s.keystate[vk] = 0;
  if (!s.buttons[0].load() && !s.buttons[1].load() && !s.buttons[2].load()) ReleaseCapture();
}

bool set_cursor(HWND window) {
  graphics_state& s = state();
  if (s.cursor_shown.load() == 0) {
    POINT p;
    RECT client;
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    GetClientRect(window, &client);
    if (client.left <= p.x && p.x < client.right && client.top <= p.y && p.y <= client.bottom) {
      SetCursor(nullptr);
      return true;
    }
  }
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  return true;
}

void serve_child_request(HWND window, WPARAM create, control_window_request* request) {
  if (create)
    request->hwnd = CreateWindowExW(request->exstyle, request->class_name, L"", request->style, 0, 0, 0, 0, window,
                                    reinterpret_cast<HMENU>(request->id), state().instance, nullptr);
  else if (request->hwnd != nullptr)
    DestroyWindow(request->hwnd);
  if (request->done_event != nullptr) SetEvent(request->done_event);
}

// Input, input-method and request messages, common to the graphics window and
// control windows. True when handled; mouse input is queued for the graphics
// window only.
bool handle_input(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool graphics_window) {
  graphics_state& s = state();
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      queue_key(message, wparam, lparam);
      return true;
    case WM_MOUSEMOVE: {
      const POINT p = point_of(lparam);
      s.mouse_pos[0] = p.x;
      s.mouse_pos[1] = p.y;
      if (graphics_window && (p.x != s.last_release_pos[0] || p.y != s.last_release_pos[1]))
        push_mouse_message(message, wparam, lparam);
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
      const bool right = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK;
      button_down(window, left ? 0 : right ? 2 : 1, left ? 1 : right ? 2 : 4, lparam);
      if (graphics_window) push_mouse_message(message, wparam, lparam);
      return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const bool left = message == WM_LBUTTONUP, right = message == WM_RBUTTONUP;
      button_up(left ? 0 : right ? 2 : 1, left ? 1 : right ? 2 : 4, lparam);
      if (graphics_window) push_mouse_message(message, wparam, lparam);
      return true;
    }
    case WM_MOUSEWHEEL: {
      POINT p = point_of(lparam);
      ScreenToClient(s.window.load(), &p);
      s.mouse_pos[0] = p.x;
      s.mouse_pos[1] = p.y;
      const LPARAM client = LPARAM(int32_t(uint32_t(uint16_t(p.x)) | uint32_t(uint16_t(p.y)) << 16));
      if (graphics_window) push_mouse_message(message, wparam, client);
      return true;
    }
    case WM_IME_CONTROL:
      if (wparam == 0x10 && lparam != 0) {
        COMPOSITIONFORM form = {CFS_POINT, *reinterpret_cast<const POINT*>(lparam), {0, 0, 0, 0}};
        dll_ImmSetCompositionWindow(dll_ImmGetContext(window), &form);
      }
      return true;
    case request_child_window:
      serve_child_request(s.window.load(), wparam, reinterpret_cast<control_window_request*>(lparam));
      return true;
    case request_focus: {
      auto* request = reinterpret_cast<control_window_request*>(lparam);
      SetFocus(request->hwnd);
      if (request->done_event != nullptr) SetEvent(request->done_event);
      return true;
    }
    default:
      return false;
  }
}

LRESULT control_wndproc(frondControlBase* control, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CTLCOLOREDIT) {
    auto* edit = reinterpret_cast<frondControlBase*>(GetWindowLongPtrW(reinterpret_cast<HWND>(lparam), GWLP_USERDATA));
    return edit ? edit->handlewindowmessage(message, wparam, lparam) : 0;
  }
  handle_input(window, message, wparam, lparam, false);
  return control->handlewindowmessage(message, wparam, lparam);
}

DWORD WINAPI graph_window_thread(LPVOID parameter) {
  graphics_state& s = *static_cast<graphics_state*>(parameter);
  window_settings& settings = window_globals();
  const uint32_t style = settings.style & ~WS_VISIBLE;
  RECT outer = {0, 0, s.width, s.height};
  AdjustWindowRectEx(&outer, style, FALSE, settings.exstyle);
  if (settings.parent != nullptr)  // the parent must not paint over its graphics window
    SetWindowLongW(settings.parent, GWL_STYLE, GetWindowLongW(settings.parent, GWL_STYLE) | WS_CLIPCHILDREN);
  HWND window = create_window(settings.parent, s.caption.c_str(), style, settings.exstyle, settings.position.x,
                              settings.position.y, outer.right - outer.left, outer.bottom - outer.top);
  if (window == nullptr) {
    window_start = -1;
    return DWORD(-1);
  }
  s.window = window;
  if (settings.parent != nullptr) {
    wchar_t name[32];
    std::swprintf(name, 32, L"frond_%X", unsigned(reinterpret_cast<uintptr_t>(settings.parent)));
    CreateEventW(nullptr, FALSE, TRUE, name);
    if (GetLastError() == ERROR_ALREADY_EXISTS) PostMessageW(window, WM_CLOSE, 0, 0);
  }
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&s));
  if (!(settings.init_mode & INITMODE_HIDDEN)) SetActiveWindow(window);
  set_stop_bit(graphics_state::window_destroyed_bit, false);

  if (s.paint_image == nullptr) {
    s.paint_image = new IMAGE(1, 1);
    s.key_queue = new input_queue();
    s.mouse_queue = new input_queue();
    setactivepage(0);
    settarget(nullptr);
    setvisualpage(0);
    setwindowviewport(0, 0, s.width, s.height);
  } else {
    // A window made again after the first was destroyed: same drawing size.
    const auto& viewport = s.window_viewport;
    outer = {0, 0, viewport.width, viewport.height};
    AdjustWindowRectEx(&outer, style, FALSE, settings.exstyle);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  s.cursor_shown = 0;
  set_stop_bit(graphics_state::close_requested_bit, false);
  const bool keep_on_close = (settings.init_mode & INITMODE_KEEP_ON_CLOSE) != 0;
  s.exit_on_destroy = keep_on_close ? 0 : 1;
  if (keep_on_close) setclosehandler(default_close_handler);
  s.exit_armed = 1;
  s.timer_refresh_off = 0;
  SetTimer(window, refresh_timer_id, 50, nullptr);
  s.window_ready = 1;
  window_start = 1;

  MSG msg;
  while (!window_destroyed()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } else {
      Sleep(1);
    }
  }
  return 0;
}

}  // namespace

window_settings& window_globals() {
  static window_settings settings;
  return settings;
}

LRESULT CALLBACK graph_wndproc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  graphics_state& s = state();
  void* owner = reinterpret_cast<void*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (owner == nullptr || s.pages[0] == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (owner != &s) return control_wndproc(static_cast<frondControlBase*>(owner), window, message, wparam, lparam);

  switch (message) {
    case WM_CLOSE:
      if (close_handler_proc handler = s.close_handler.load())
        handler();
      else
        DefWindowProcW(window, message, wparam, lparam);
      return 0;
    case WM_DESTROY:
      set_stop_bit(graphics_state::window_destroyed_bit, true);
      free_system_libraries();
      PostQuitMessage(0);
      if (s.exit_armed.load() && s.exit_on_destroy.load()) ExitProcess(0);
      return 0;
    case WM_PAINT:
      paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETCURSOR:
      return set_cursor(window) ? 1 : 0;
    case WM_TIMER:
      if (wparam == refresh_timer_id) refresh_tick();
      return 0;
    case request_refresh_timer:
      SetTimer(window, refresh_timer_id, 50, nullptr);
      return 0;
    case WM_CTLCOLOREDIT:
      return control_wndproc(nullptr, window, message, wparam, lparam);
    default:
      if (handle_input(window, message, wparam, lparam, true)) return 0;
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

WNDPROC get_wndproc() { return graph_wndproc; }

void start_refresh_timer() { SendMessageW(state().window.load(), request_refresh_timer, 0, 0); }

namespace {

bool window_is_open() {
  const HWND window = state().window.load();
  return state().window_ready.load() && window != nullptr && IsWindow(window);
}

// Both forms of initgraph once their mode and size are settled: an open window
// is resized and shown; otherwise the window thread makes one.
void open_window(int width, int height) {
  graphics_state& s = state();
  window_settings& settings = window_globals();
  load_system_libraries();

  if (window_is_open()) {
    resizewindow(width, height);
    if (!IsWindowVisible(s.window.load())) ShowWindow(s.window.load(), SW_SHOW);
    return;
  }

  int reference_width, reference_height;
  getparentsize(&reference_width, &reference_height);
  s.width = width < 0 ? reference_width : width;
  s.height = height < 0 ? reference_height : height;
  gdiplus_start();
  s.instance = GetModuleHandleW(nullptr);
  load_window_icon();
  register_window_class(&s, s.instance);

  window_start = 0;
  s.window_thread = CreateThread(nullptr, 0, graph_window_thread, &s, CREATE_SUSPENDED, nullptr);
  if (s.window_thread != nullptr) ResumeThread(s.window_thread);
  while (window_start.load() == 0 && s.window_thread != nullptr) Sleep(1);
  if (window_start.load() != 1) {
    std::fprintf(stderr, "frond error: Failed to create the graphics window.\n");
    set_stop_bit(graphics_state::window_destroyed_bit, true);
    return;
  }

  HWND window = s.window.load();
  UpdateWindow(window);
  if (!(settings.init_mode & INITMODE_HIDDEN)) {
    ShowWindow(window, SW_SHOWNORMAL);
    BringWindowToTop(window);
    SetForegroundWindow(window);
  }
  if (settings.exstyle & WS_EX_TOPMOST) SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  POINT cursor = {};
  GetCursorPos(&cursor);
  ScreenToClient(window, &cursor);
  s.mouse_pos[0] = cursor.x;
  s.mouse_pos[1] = cursor.y;
  make_root_control();
  if ((settings.init_mode & (INITMODE_LOGO | INITMODE_HIDDEN)) == INITMODE_LOGO) show_logo();
  if (settings.init_mode & INITMODE_MANUAL_RENDER) setrendermode(1);
  s.init_done = 1;
  s.cursor_shown = 1;
}

}  // namespace

void initgraph(int width, int height, int mode) {
  window_settings& settings = window_globals();
  setinitmode(mode, settings.position.x, settings.position.y);
  state().stop_flags = 0;
  open_window(int16_t(width), int16_t(height));
}

// The older form keeps the mode bits, styles and character switch as they are.
// Driver 12 takes the size from the two halves of the mode value, any other
// driver 640 x 480 for a new window; an open window takes the two halves.
void initgraph(int* driver, int* mode) {
  if (driver == nullptr || mode == nullptr) return;
  state().stop_flags = 0;
  const int value = *mode;
  const int halves_width = int16_t(value & 0xFFFF);
  const int halves_height = int16_t((value >> 16) & 0xFFFF);
  if (window_is_open() || *driver == 12)
    open_window(halves_width, halves_height);
  else
    open_window(640, 480);
}

void setinitmode(int mode, int x, int y) {
  window_settings& settings = window_globals();
  settings.init_mode = mode;
  if (mode & INITMODE_BORDERLESS)
    settings.style = (mode & INITMODE_CHILD) ? 0x52000000 : 0x92000000;
  else
    settings.style = 0x12CA0000;
  settings.exstyle = (mode & INITMODE_TOPMOST) ? WS_EX_TOPMOST : 0;
  if (mode & INITMODE_UNICODE_CHARS) state().unicode_chars = 1;
  settings.position = {x, y};
}

int getinitmode() { return window_globals().init_mode; }

void getdefaultmode(int* driver, int* mode) {
  *driver = 9;
  *mode = 2;
}

}  // namespace frond
