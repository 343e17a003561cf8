// Cursors: the standard cursors as handles of our own and the current cursor.
// The backend hides the pointer over our windows while the cursor is NULL.
// Depends on: wm_state (the windows' native handles), the display backend
// (pointer position). Loads no cursor files.
#include <vector>

#include "platform/kernel32.h"
#include "wm/wm_state.h"

using namespace platform::wm;

namespace {

constexpr ULONG_PTR kCursorBase = 0x00C00000;  // handle = base + standard cursor id

struct CursorState {
  std::mutex mutex;
  HCURSOR current = reinterpret_cast<HCURSOR>(kCursorBase + 32512);  // the arrow
};

CursorState& cursor_state() {
  static CursorState* const c = new CursorState();
  return *c;
}

void apply_visibility(bool hidden) {
  std::vector<std::shared_ptr<platform::display::NativeWindow>> natives;
  {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    for (const auto& [handle, w] : s.windows) {
      if (w->native) natives.push_back(w->native);
    }
  }
  for (const auto& native : natives) native->set_cursor_hidden(hidden);
}

bool standard_cursor(ULONG_PTR id) {
  return (id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32651 && id != 32647);
}

}  // namespace

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  const ULONG_PTR id = reinterpret_cast<ULONG_PTR>(name);
  if (instance != nullptr || !IS_INTRESOURCE(name) || !standard_cursor(id)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HCURSOR>(kCursorBase + id);
}

HCURSOR SetCursor(HCURSOR cursor) {
  CursorState& c = cursor_state();
  HCURSOR previous;
  bool hidden;
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    previous = c.current;
    c.current = cursor;
    hidden = cursor == nullptr;
  }
  apply_visibility(hidden);
  return previous;
}

BOOL GetCursorPos(LPPOINT point) {
  if (point == nullptr) return FALSE;
  *point = platform::display::backend().cursor_position();
  return TRUE;
}
