// Which HWND an X window stands for, shared between the threads that create
// and destroy windows and the event thread that looks them up.
// Depends on: Xlib's window type, the public HWND. Makes no windows.
#pragma once

#include <mutex>
#include <unordered_map>

#include "platform/wintypes.h"

#include <X11/Xlib.h>

namespace platform::display::x11 {

struct WindowEntry {
  HWND hwnd = nullptr;
  XIC input_context = nullptr;  // null when no input method opened
};

class WindowTable {
 public:
  void add(Window window, const WindowEntry& entry);
  void remove(Window window);
  // False when `window` is not (or no longer) one of ours.
  bool find(Window window, WindowEntry* out) const;

 private:
  mutable std::mutex mutex_;
  std::unordered_map<Window, WindowEntry> entries_;
};

}  // namespace platform::display::x11
