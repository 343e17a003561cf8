// The X window -> HWND table.
// Depends on nothing but the standard library's map and lock.
#include "display/x11/x11_window_table.h"

namespace platform::display::x11 {

void WindowTable::add(Window window, const WindowEntry& entry) {
  std::lock_guard<std::mutex> lock(mutex_);
  entries_[window] = entry;
}

void WindowTable::remove(Window window) {
  std::lock_guard<std::mutex> lock(mutex_);
  entries_.erase(window);
}

bool WindowTable::find(Window window, WindowEntry* out) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto found = entries_.find(window);
  if (found == entries_.end()) return false;
  *out = found->second;
  return true;
}

}  // namespace platform::display::x11
