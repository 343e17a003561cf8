// Window classes: registration by name (case-insensitive; integer names are
// refused) and the class longs. Classes live as long as the process.
// Depends on: wm_state (the class list and its lock). Makes no windows.
#include <type_traits>

#include "platform/kernel32.h"
#include "wm/wm_state.h"

using namespace platform::wm;

namespace {

ATOM register_class(std::shared_ptr<WindowClass> cls) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (cls->name.empty() || find_class(s, cls->name.c_str())) {
    SetLastError(cls->name.empty() ? ERROR_INVALID_PARAMETER : ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  cls->atom = s.next_atom++;
  s.classes.push_back(cls);
  return cls->atom;
}

template <typename Record>
std::shared_ptr<WindowClass> class_from(const Record& r, std::wstring name, LONG_PTR menu_name, bool ansi) {
  auto cls = std::make_shared<WindowClass>();
  cls->name = std::move(name);
  cls->style = r.style;
  cls->proc = r.lpfnWndProc;
  cls->ansi = ansi;
  cls->class_extra = r.cbClsExtra;
  cls->window_extra = r.cbWndExtra;
  cls->instance = r.hInstance;
  cls->icon = r.hIcon;
  cls->cursor = r.hCursor;
  cls->background = r.hbrBackground;
  cls->menu_name = menu_name;
  return cls;
}

// Integer class names (atoms) cannot be registered; text names are copied.
std::wstring name_of(LPCWSTR name) { return name == nullptr || IS_INTRESOURCE(name) ? std::wstring() : name; }
std::wstring name_of(LPCSTR name) { return name == nullptr || IS_INTRESOURCE(name) ? std::wstring() : platform::multibyte_to_wide(CP_ACP, name); }

ULONG_PTR class_long(HWND hwnd, int index, const LONG_PTR* value) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  if (w == nullptr || !w->cls) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  WindowClass& c = *w->cls;
  ULONG_PTR old = 0;
  const auto field = [&](auto& member) {
    old = reinterpret_cast<ULONG_PTR>(member);
    if (value != nullptr) member = reinterpret_cast<std::remove_reference_t<decltype(member)>>(*value);
  };
  const auto number = [&](auto& member) {
    old = static_cast<ULONG_PTR>(member);
    if (value != nullptr) member = static_cast<std::remove_reference_t<decltype(member)>>(*value);
  };
  switch (index) {
    case GCLP_HICON:
      field(c.icon);
      break;
    case GCLP_HICONSM:
      field(c.small_icon);
      break;
    case GCLP_HCURSOR:
      field(c.cursor);
      break;
    case GCLP_HBRBACKGROUND:
      field(c.background);
      break;
    case GCLP_HMODULE:
      field(c.instance);
      break;
    case GCLP_WNDPROC:
      field(c.proc);
      break;
    case GCLP_MENUNAME:
      number(c.menu_name);
      break;
    case GCL_STYLE:
      number(c.style);
      break;
    case GCL_CBWNDEXTRA:
      number(c.window_extra);
      break;
    case GCL_CBCLSEXTRA:
      number(c.class_extra);
      break;
    case GCW_ATOM:
      old = c.atom;
      break;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
  return old;
}

}  // namespace

ATOM RegisterClassExW(const WNDCLASSEXW* r) {
  if (r == nullptr || r->cbSize != sizeof(WNDCLASSEXW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto cls = class_from(*r, name_of(r->lpszClassName), reinterpret_cast<LONG_PTR>(r->lpszMenuName), false);
  cls->small_icon = r->hIconSm;
  return register_class(std::move(cls));
}

ATOM RegisterClassA(const WNDCLASSA* r) {
  if (r == nullptr) return 0;
  return register_class(class_from(*r, name_of(r->lpszClassName), reinterpret_cast<LONG_PTR>(r->lpszMenuName), true));
}

ULONG_PTR GetClassLongPtrA(HWND hwnd, int index) { return class_long(hwnd, index, nullptr); }
ULONG_PTR SetClassLongPtrW(HWND hwnd, int index, LONG_PTR value) { return class_long(hwnd, index, &value); }
