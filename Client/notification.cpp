// The notification thread and box. The box is a window of the client's own
// class with its own message loop on this thread; it borrows the graphics
// window's icon. An open box holds the thread until the user closes it.
// Depends on: the platform's window manager and GDI, Frond (the graphics window, isrunning),
// client_state (new_chat) and run_log (the time stamp). Sends nothing and changes no setting.

#include "Client/notification.h"

#include <memory>

#include "Client/client_state.h"
#include "Client/run_log.h"

namespace quillfern {
namespace {

const std::string note_line = "Please close this notification box.";
constexpr int box_width = 320;
constexpr int box_height = 100;

// The text of the box on screen; the procedure keeps the last box's text.
std::shared_ptr<std::string> box_text;

HFONT make_font(int size) {
  return CreateFontA(size, 0, 0, 0, 400, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, 32, nullptr);
}

int text_width(HDC dc, const std::string& text) {
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
  return size.cx;
}

void paint_box(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(window, &client);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  FillRect(dc, &client, white);
  DeleteObject(white);

  const std::string text = box_text ? *box_text : std::string();
  int text_w = box_text ? text_width(dc, text) : 0;
  int note_w = text_width(dc, note_line);
  const int size = fit_font_size(client.right, [&](int candidate) {
    HFONT font = make_font(candidate);
    HGDIOBJ old = SelectObject(dc, font);
    const std::pair<int, int> widths = {text_width(dc, text), text_width(dc, note_line)};
    SelectObject(dc, old);
    DeleteObject(font);
    return widths;
  });
  HFONT font = make_font(size != 0 ? size : 20);
  HGDIOBJ old = SelectObject(dc, font);
  if (size != 0) {
    text_w = text_width(dc, text);
    note_w = text_width(dc, note_line);
  }
  TextOutA(dc, (client.right - text_w) / 2, 13, text.c_str(), int(text.size()));
  TextOutA(dc, (client.right - note_w) / 2, 40, note_line.c_str(), int(note_line.size()));
  SelectObject(dc, old);
  DeleteObject(font);
  EndPaint(window, &ps);
}

LRESULT CALLBACK notification_wndproc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
      box_text = *static_cast<std::shared_ptr<std::string>*>(create->lpCreateParams);
      return 0;
    }
    case WM_PAINT:
      paint_box(window);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace

int fit_font_size(int client_width, const std::function<std::pair<int, int>(int size)>& measure) {
  for (int size = 40; size >= 2; --size) {
    const std::pair<int, int> widths = measure(size);
    if (widths.first + 20 < client_width && widths.second + 20 < client_width) return size;
  }
  return 0;
}

void wait_quiet_minute(const std::function<bool()>& running, const std::function<void(int ms)>& sleep) {
  for (int i = 0; i < 2399 && running(); ++i) sleep(25);
}

void show_notification_box(const std::string& text) {
  auto holder = std::make_shared<std::string>(text);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = notification_wndproc;
  window_class.hInstance = instance;
  window_class.hIcon = reinterpret_cast<HICON>(GetClassLongPtrA(frond::getwindowhandle(), GCLP_HICON));
  window_class.lpszClassName = "Sample Window Class";
  RegisterClassA(&window_class);  // fails harmlessly from the second box on

  const int x = (GetSystemMetrics(SM_CXSCREEN) - box_width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - box_height) / 2;
  HWND box = CreateWindowExA(WS_EX_TOPMOST, "Sample Window Class", "Quillfern Notification Box",
                             WS_CAPTION | WS_SYSMENU, x, y, box_width, box_height, nullptr, nullptr, instance,
                             &holder);
  if (box == nullptr) return;
  ShowWindow(box, SW_SHOW);
  UpdateWindow(box);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void notification_thread() {
  for (;;) {
    if (!frond::isrunning()) break;
    if (new_chat) {
      show_notification_box("New chat message at " + current_timestamp() + ".");
      wait_quiet_minute(frond::isrunning, frond::sleep_ms);
      if (!frond::isrunning()) break;
      new_chat = 0;
    }
    frond::sleep_ms(25);
  }
  notification_ended = 1;
}

}  // namespace quillfern
