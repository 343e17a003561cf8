// System metrics of our own (fixed frame and caption sizes), and the one
// monitor: the backend's screen, 32 bits per pixel at 60 Hz.
// Depends on: the display backend (screen size), GetWindowRect. Changes no settings.
#include <cstring>

#include "platform/kernel32.h"
#include "wm/wm_state.h"

namespace {

constexpr int kFrame = 4;
constexpr int kCaption = 23;
constexpr int kDoubleClickBox = 4;
constexpr UINT kDoubleClickTime = 500;
const HMONITOR kPrimaryMonitor = reinterpret_cast<HMONITOR>(static_cast<ULONG_PTR>(0x00A00001));

SIZE screen() { return platform::display::backend().screen_size(); }

bool fill_monitor_info(HMONITOR monitor, LPMONITORINFO info) {
  if (monitor != kPrimaryMonitor || info == nullptr ||
      (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEXA))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const SIZE size = screen();
  info->rcMonitor = RECT{0, 0, size.cx, size.cy};
  info->rcWork = info->rcMonitor;
  info->dwFlags = MONITORINFOF_PRIMARY;
  return true;
}

BOOL fill_display_settings(DWORD mode, DEVMODEA* settings) {
  if (settings == nullptr || (mode != ENUM_CURRENT_SETTINGS && mode != ENUM_REGISTRY_SETTINGS && mode != 0)) {
    return FALSE;
  }
  const SIZE size = screen();
  std::memset(settings, 0, sizeof *settings);
  settings->dmSize = sizeof *settings;
  settings->dmFields =
      DM_POSITION | DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY;
  settings->dmBitsPerPel = 32;
  settings->dmPelsWidth = static_cast<DWORD>(size.cx);
  settings->dmPelsHeight = static_cast<DWORD>(size.cy);
  settings->dmDisplayFrequency = 60;
  return TRUE;
}

}  // namespace

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN:
      return screen().cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
      return screen().cy;
    case SM_CYFULLSCREEN:
      return screen().cy - kCaption;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
      return 0;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
      return 17;
    case SM_CYCAPTION:
      return kCaption;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return kFrame;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CYMENU:
      return 20;
    case SM_CXSIZE:
    case SM_CYSIZE:
      return kCaption - 1;
    case SM_CXMIN:
      return 112;
    case SM_CYMIN:
      return kCaption + 2 * kFrame;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return kDoubleClickBox;
    case SM_MOUSEPRESENT:
    case SM_CMONITORS:
      return 1;
    case SM_CMOUSEBUTTONS:
      return 3;
    case SM_SWAPBUTTON:
    default:
      return 0;
  }
}

UINT GetDoubleClickTime() { return kDoubleClickTime; }

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return flags == MONITOR_DEFAULTTONULL ? nullptr : kPrimaryMonitor;
  const SIZE size = screen();
  const bool overlaps = r.right > 0 && r.bottom > 0 && r.left < size.cx && r.top < size.cy;
  return overlaps || flags != MONITOR_DEFAULTTONULL ? kPrimaryMonitor : nullptr;
}

BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info) {
  if (!fill_monitor_info(monitor, info)) return FALSE;
  if (info->cbSize == sizeof(MONITORINFOEXA)) {
    std::strcpy(reinterpret_cast<MONITORINFOEXA*>(info)->szDevice, "\\\\.\\DISPLAY1");
  }
  return TRUE;
}

BOOL EnumDisplaySettingsA(LPCSTR, DWORD mode, DEVMODEA* settings) { return fill_display_settings(mode, settings); }
