// The built-in "EDIT" window class: a text field over EditText. It takes
// characters (Enter inserts CR LF in a multi-line field, Backspace removes a
// whole CR LF), caret keys and clicks; answers the text, limit and font
// messages; paints with the brush and colours its parent returns for
// WM_CTLCOLOREDIT; and shows a caret while it has the focus.
// Does not: select text, scroll horizontally, undo, or use the clipboard.
// Depends on: edit_text, wm_state, the GDI (painting), carets, ime_spot.
#include <algorithm>
#include <memory>
#include <mutex>

#include "platform/kernel32.h"
#include "platform/user32.h"
#include "wm/edit/edit_class.h"
#include "wm/edit/edit_text.h"
#include "wm/wm_state.h"

namespace platform::wm::edit {
namespace {

constexpr int kMargin = 1;  // pixels left of the text

struct Field {
  explicit Field(DWORD window_style) : style(window_style), text(window_style & ES_MULTILINE, window_style & ES_AUTOVSCROLL) {}
  DWORD style;
  EditText text;
  HFONT font = nullptr;
  int line_height = 16;
};

Field* field_of(HWND hwnd) { return reinterpret_cast<Field*>(GetWindowLongPtrW(hwnd, 0)); }

HFONT font_of(const Field& f) { return f.font ? f.font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)); }

// A memory DC with the field's font, for measuring.
struct Measurer {
  explicit Measurer(HFONT font) : dc(CreateCompatibleDC(nullptr)), old(SelectObject(dc, font)) {}
  ~Measurer() {
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  Measurer(const Measurer&) = delete;
  Measurer& operator=(const Measurer&) = delete;
  int width(const wchar_t* text, int count) const {
    SIZE size = {0, 0};
    if (count > 0) GetTextExtentPoint32W(dc, text, count, &size);
    return size.cx;
  }
  HDC dc;
  HGDIOBJ old;
};

// Lays the text out again for the window's client size and font.
void relayout(HWND hwnd, Field& f) {
  RECT client = {};
  GetClientRect(hwnd, &client);
  auto measurer = std::make_shared<Measurer>(font_of(f));
  TEXTMETRICW metrics = {};
  GetTextMetricsW(measurer->dc, &metrics);
  f.line_height = metrics.tmHeight > 0 ? metrics.tmHeight : 16;
  f.text.set_layout(client.right - 2 * kMargin, client.bottom / f.line_height,
                    [measurer](const wchar_t* text, int count) { return measurer->width(text, count); });
}

void place_caret(HWND hwnd, const Field& f) {
  if (GetFocus() != hwnd) return;
  const int row = int(f.text.caret_line()) - int(f.text.first_visible());
  SetCaretPos(kMargin + f.text.caret_x(), row * f.line_height);
}

void changed(HWND hwnd, const Field& f, bool repaint) {
  place_caret(hwnd, f);
  if (repaint) InvalidateRect(hwnd, nullptr, TRUE);
}

void paint(HWND hwnd, Field& f) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc == nullptr) return;
  HideCaret(hwnd);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  HBRUSH brush = nullptr;
  if (HWND parent = GetParent(hwnd))
    brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(hwnd)));
  if (brush == nullptr) brush = GetSysColorBrush(COLOR_WINDOW);
  RECT client = {};
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, brush);
  HGDIOBJ old = SelectObject(dc, font_of(f));
  SetBkMode(dc, TRANSPARENT);
  const std::wstring& text = f.text.text();
  const auto& lines = f.text.lines();
  for (size_t i = f.text.first_visible(); i < lines.size(); ++i) {
    const int y = int(i - f.text.first_visible()) * f.line_height;
    if (y >= client.bottom) break;
    TextOutW(dc, kMargin, y, text.data() + lines[i].start, int(lines[i].length));
  }
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
  ShowCaret(hwnd);
}

void type_character(HWND hwnd, Field& f, wchar_t unit) {
  bool done = false;
  if (unit == 8) {
    done = f.text.backspace();
  } else if (unit == L'\r') {
    if (f.style & ES_MULTILINE) done = f.text.insert(L"\r\n");
  } else if (unit == L'\t' ? (f.style & ES_MULTILINE) != 0 : unit >= 32 && unit != 127) {
    done = f.text.insert(std::wstring(1, unit));
  }
  if (done) changed(hwnd, f, true);
}

void press_key(HWND hwnd, Field& f, WPARAM vk) {
  const size_t top = f.text.first_visible();
  switch (vk) {
    case VK_LEFT: f.text.move_left(); break;
    case VK_RIGHT: f.text.move_right(); break;
    case VK_UP: f.text.move_up(); break;
    case VK_DOWN: f.text.move_down(); break;
    case VK_HOME: f.text.move_home(); break;
    case VK_END: f.text.move_end(); break;
    case VK_DELETE:
      if (f.text.erase_forward()) changed(hwnd, f, true);
      return;
    default: return;
  }
  changed(hwnd, f, f.text.first_visible() != top);
}

LRESULT CALLBACK edit_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Field* f = field_of(hwnd);
  if (message == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    auto* made = new Field(cs ? cs->style : 0);
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(made));
    if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName)) made->text.set_text(cs->lpszName);
    relayout(hwnd, *made);
    return TRUE;
  }
  if (f == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  switch (message) {
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, 0, 0);
      delete f;
      return 0;
    case WM_SIZE:
      relayout(hwnd, *f);
      changed(hwnd, *f, true);
      return 0;
    case WM_SETTEXT:
      f->text.set_text(lparam ? reinterpret_cast<LPCWSTR>(lparam) : L"");
      changed(hwnd, *f, true);
      return TRUE;
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<LPWSTR>(lparam);
      if (out == nullptr || wparam == 0) return 0;
      const std::wstring& text = f->text.text();
      const size_t count = std::min(text.size(), size_t(wparam) - 1);
      std::copy(text.begin(), text.begin() + ptrdiff_t(count), out);
      out[count] = L'\0';
      return LRESULT(count);
    }
    case WM_GETTEXTLENGTH:
      return LRESULT(f->text.text().size());
    case EM_LIMITTEXT:
      f->text.set_limit(size_t(wparam));
      return 0;
    case EM_GETLIMITTEXT:
      return LRESULT(f->text.limit());
    case EM_GETLINECOUNT:
      return LRESULT(f->text.lines().size());
    case WM_SETFONT:
      f->font = reinterpret_cast<HFONT>(wparam);
      relayout(hwnd, *f);
      if (GetFocus() == hwnd) {  // a caret of the new line height
        CreateCaret(hwnd, nullptr, 1, f->line_height);
        ShowCaret(hwnd);
      }
      changed(hwnd, *f, LOWORD(lparam) != 0);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(f->font);
    case WM_CHAR:
      type_character(hwnd, *f, wchar_t(wparam & 0xFFFF));
      return 0;
    case WM_KEYDOWN:
      press_key(hwnd, *f, wparam);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      f->text.place(GET_X_LPARAM(lparam) - kMargin, GET_Y_LPARAM(lparam), f->line_height);
      changed(hwnd, *f, false);
      return 0;
    case WM_SETFOCUS:
      CreateCaret(hwnd, nullptr, 1, f->line_height);
      place_caret(hwnd, *f);
      ShowCaret(hwnd);
      return 0;
    case WM_KILLFOCUS:
      DestroyCaret();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the background with the parent's brush
    case WM_PAINT:
      paint(hwnd, *f);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

}  // namespace

void register_edit_class() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = edit_proc;
    cls.cbWndExtra = sizeof(LONG_PTR);
    cls.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    cls.lpszClassName = L"EDIT";
    RegisterClassExW(&cls);
  });
}

}  // namespace platform::wm::edit
