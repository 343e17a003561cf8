// The line input box: a modal box drawn over the drawing target with a real
// EDIT window in it (the library's sys_edit control), read until Enter is
// released or the window closes; the picture underneath is put back and the
// key queue emptied afterwards. The edit window is made, focused and
// destroyed by the window thread on request.
// Depends on: window (requests, procedure), controls, images, block copies,
// attributes, lines, text, colour, input queues, frames.
// Does not: run on the window thread or before the window exists (it refuses).

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/internal.h"
#include "graphics/state.h"
#include "graphics/window.h"

namespace frond {
namespace {

constexpr int kBoxWidth = 400, kBoxHeight = 300;
constexpr int kFieldLeft = 31, kFieldTop = 193, kFieldWidth = 338, kFieldHeight = 66;
constexpr DWORD kFieldStyle = 0x40A01004;  // WS_CHILD, WS_BORDER, WS_VSCROLL, ES_MULTILINE, ES_WANTRETURN
constexpr DWORD kFieldExStyle = WS_EX_CLIENTEDGE;
constexpr UINT kPromptFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;

// Hands a request to the window thread and waits for it, or for the window's end.
void ask_window_thread(UINT message, WPARAM wparam, control_window_request* request) {
  request->done_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (PostMessageW(state().window.load(), message, wparam, reinterpret_cast<LPARAM>(request)))
    while (WaitForSingleObject(request->done_event, 20) == WAIT_TIMEOUT && !window_destroyed()) {
    }
  CloseHandle(request->done_event);
  request->done_event = nullptr;
}

bool window_running() { return state().stop_flags.load() == 0; }  // neither closed nor destroyed

// The box can wait for the user only with a live window and from another thread than the window's.
bool box_can_run() {
  graphics_state& s = state();
  HWND window = s.window.load();
  return s.window_ready.load() && window != nullptr && window_running() &&
         GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId();
}

void make_field(sys_edit& edit, int x, int y, int len) {
  control_window_request request = {};
  request.class_name = L"EDIT";
  request.style = kFieldStyle;
  request.exstyle = kFieldExStyle;
  request.id = UINT_PTR(edit.nextid());
  ask_window_thread(request_child_window, 1, &request);
  edit.edit_window = request.hwnd;
  edit.edit_text_color = 0x00000000;
  edit.edit_bk_color = 0x00FFFFFF;
  if (edit.edit_window != nullptr) {
    SetWindowLongPtrW(edit.edit_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&edit));
    edit.edit_wndproc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit.edit_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(get_wndproc())));
    if (HFONT font = CreateFontW(12, 6, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, L"SimSun")) {
      SendMessageW(edit.edit_window, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
      if (edit.edit_font != nullptr) DeleteObject(edit.edit_font);
      edit.edit_font = font;
    }
  }
  edit.visible = 0;

  edit.x = x + kFieldLeft;
  edit.y = y + kFieldTop;
  edit.width = kFieldWidth;
  edit.height = kFieldHeight;
  resize(edit.main_image, kFieldWidth, kFieldHeight);
  resize(edit.filter_image, kFieldWidth, kFieldHeight);
  setbkcolor(0xFF000000, edit.filter_image);
  cleardevice(edit.filter_image);
  if (edit.edit_window == nullptr) return;
  MoveWindow(edit.edit_window, edit.x, edit.y, kFieldWidth, kFieldHeight, TRUE);
  // A WM_GETTEXT of len units holds len - 1 of them: a field of more would lose its last character.
  SendMessageW(edit.edit_window, EM_LIMITTEXT, WPARAM(len - 1), 0);
  ShowWindow(edit.edit_window, SW_SHOWNORMAL);
  edit.visible = 1;
  control_window_request focus = {};
  focus.hwnd = edit.edit_window;
  ask_window_thread(request_focus, 0, &focus);
}

void destroy_field(sys_edit& edit) {
  edit.visible = 0;
  if (edit.edit_window != nullptr) {
    ShowWindow(edit.edit_window, SW_HIDE);
    SendMessageW(edit.edit_window, WM_SETFONT, 0, 0);
    control_window_request request = {};
    request.hwnd = edit.edit_window;
    ask_window_thread(request_child_window, 0, &request);
  }
  if (edit.edit_font != nullptr) DeleteObject(edit.edit_font);
  if (edit.edit_brush != nullptr) DeleteObject(edit.edit_brush);
  edit.edit_font = nullptr;
  edit.edit_brush = nullptr;
  edit.edit_window = nullptr;
}

void draw_box(IMAGE* box, const wchar_t* title, const wchar_t* text) {
  setbkcolor(0xFF80A080, box);
  setcolor(0xFFA0C0A0, box);
  line(0, kBoxHeight - 1, 0, 0, box);
  line(0, 0, kBoxWidth - 1, 0, box);
  setcolor(0xFF507050, box);
  line(kBoxWidth - 1, 0, kBoxWidth - 1, kBoxHeight - 1, box);
  line(kBoxWidth - 1, kBoxHeight - 1, 0, kBoxHeight - 1, box);
  for (int i = 1; i <= 23; ++i) {
    setcolor(hsltorgb(240, 1.0f, 0.5f + float(i / 24.0 * 0.3)), box);
    line(1, i, kBoxWidth - 1, i, box);
  }
  setcolor(0x00FFFFFF, box);
  setbkmode(1, box);
  setfont(18, 0, L"Tahoma", box);
  outtextxy(3, 3, title ? title : L"", box);
  setcolor(0x00000000, box);
  RECT prompt = {30, 32, 370, 125};
  DrawTextW(box->dc, text ? text : L"", -1, &prompt, kPromptFormat);
}

// Reads keys until Enter is let go after being pressed inside the box, or the window closes.
void wait_for_enter() {
  bool pressed = false;
  while (window_running()) {
    const key_message k = getkey();
    if (k.keycode == VK_RETURN && k.kind == KEYMSG_PRESS) pressed = true;
    if (k.keycode == VK_RETURN && k.kind == KEYMSG_RELEASE && pressed) return;
  }
}

}  // namespace

sys_edit::sys_edit() : frondControlBase(1, nullptr) {
  construction_guard guard(this, 1);
  direct = 1;
}

LRESULT sys_edit::handlewindowmessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETFOCUS:
      window_focus = 1;
      break;
    case WM_KILLFOCUS:
      window_focus = 0;
      break;
    case WM_CTLCOLOREDIT: {
      HBRUSH brush = CreateSolidBrush(to_gdi_color(edit_bk_color));
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetBkColor(dc, to_gdi_color(edit_bk_color));
      SetTextColor(dc, to_gdi_color(edit_text_color));
      if (edit_brush != nullptr) DeleteObject(edit_brush);
      edit_brush = brush;
      return reinterpret_cast<LRESULT>(brush);
    }
    default:
      break;
  }
  return edit_wndproc ? CallWindowProcW(edit_wndproc, edit_window, message, wparam, lparam) : 0;
}

int inputbox_getline(const wchar_t* title, const wchar_t* text, wchar_t* buf, int len) {
  if (buf == nullptr || len < 1) return 0;
  buf[0] = L'\0';
  if (!box_can_run()) return 0;
  const int target_width = getwidth(nullptr), target_height = getheight(nullptr);
  IMAGE* screen = newimage();
  IMAGE* box = newimage();
  const int x = (target_width - kBoxWidth) / 2, y = (target_height - kBoxHeight) / 2;
  getimage(screen, 0, 0, target_width, target_height);
  resize(box, kBoxWidth, kBoxHeight);

  auto* edit = new sys_edit();
  make_field(*edit, x, y, len);
  flushkey();  // keys from before the box (the release of the Enter that opened it) are not its own
  draw_box(box, title, text);
  putimage(0, 0, screen);
  putimage(x, y, box);
  delay_ms(0);

  wait_for_enter();

  int length = 0;
  if (edit->edit_window != nullptr)
    length = int(SendMessageW(edit->edit_window, WM_GETTEXT, WPARAM(len), reinterpret_cast<LPARAM>(buf)));
  length = std::max(0, std::min(length, len - 1));
  buf[length] = L'\0';
  while (length > 0 && (buf[length - 1] == L'\r' || buf[length - 1] == L'\n')) buf[--length] = L'\0';

  putimage(0, 0, screen);
  delay_ms(0);
  drainchars();
  destroy_field(*edit);
  delete edit;
  delimage(screen);
  delimage(box);
  return length;
}

int inputbox_getline(const char* title, const char* text, char* buf, int len) {
  if (buf == nullptr || len < 1) return 0;
  buf[0] = '\0';
  std::vector<wchar_t> wide(size_t(len), L'\0');
  const int count = inputbox_getline(mb_to_wide(title ? title : "").c_str(), mb_to_wide(text ? text : "").c_str(),
                                     wide.data(), len);
  // The longest prefix of whole characters whose bytes fit with the terminator.
  const UINT code_page = getcodepage();
  for (int take = count; take > 0; --take) {
    if (wide[size_t(take) - 1] >= 0xD800 && wide[size_t(take) - 1] <= 0xDBFF) continue;  // half a pair
    const std::string bytes = platform::wide_to_multibyte(code_page, wide.data(), take);
    if (!bytes.empty() && bytes.size() < size_t(len)) {
      std::memcpy(buf, bytes.c_str(), bytes.size() + 1);
      break;
    }
  }
  return count;
}

}  // namespace frond
