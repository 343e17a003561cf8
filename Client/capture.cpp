// Screen capture through GDI: the monitor's display-mode size is copied from
// the screen into a 24-bit bottom-up DIB section, which is then written out
// in the BMP layout of the display's colour depth.
// Depends on: the platform's GDI, USER32 and KERNEL32 through graphics/frond.h (screen DC, DIB section,
// global memory, CreateFileA). Does not scale, compress or encrypt the picture.

#include "Client/capture.h"

#include <cstring>

#include "graphics/frond.h"

namespace quillfern {
namespace {

HBITMAP capture_bitmap = nullptr;

void write_u16(uint8_t* at, uint16_t v) {
  at[0] = uint8_t(v);
  at[1] = uint8_t(v >> 8);
}

void write_u32(uint8_t* at, uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = uint8_t(v >> (8 * i));
}

int display_depth() {
  HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (display == nullptr) return 32;
  const int depth = GetDeviceCaps(display, BITSPIXEL) * GetDeviceCaps(display, PLANES);
  DeleteDC(display);
  return depth;
}

void drop_capture() {
  if (capture_bitmap != nullptr) DeleteObject(capture_bitmap);
  capture_bitmap = nullptr;
}

// Reads the capture's rows in `layout` into `block` (info header, colour
// table, rows), through the screen's DC with the default palette.
bool read_rows(const capture_layout& layout, int width, int height, uint8_t* block) {
  auto* info = reinterpret_cast<BITMAPINFO*>(block);
  info->bmiHeader.biSize = 40;
  info->bmiHeader.biWidth = width;
  info->bmiHeader.biHeight = height;
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = WORD(layout.bits_per_pixel);
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  HPALETTE palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  HPALETTE previous = palette ? SelectPalette(screen, palette, FALSE) : nullptr;
  if (palette) RealizePalette(screen);
  const int rows = GetDIBits(screen, capture_bitmap, 0, UINT(height), block + 40 + layout.palette_bytes, info,
                             DIB_RGB_COLORS);
  if (previous) {
    SelectPalette(screen, previous, FALSE);
    RealizePalette(screen);
  }
  ReleaseDC(nullptr, screen);
  return rows == height;
}

}  // namespace

capture_layout capture_layout_for(int depth, int width, int height) {
  capture_layout layout = {};
  if (depth <= 1)
    layout.bits_per_pixel = 1, layout.palette_bytes = 8;
  else if (depth <= 4)
    layout.bits_per_pixel = 4, layout.palette_bytes = 64;
  else if (depth <= 8)
    layout.bits_per_pixel = 8, layout.palette_bytes = 1024;
  else
    layout.bits_per_pixel = 24, layout.palette_bytes = 0;
  layout.row_bytes = uint32_t((uint64_t(layout.bits_per_pixel) * uint32_t(width) + 31) / 32 * 4);
  layout.pixel_bytes = uint64_t(layout.row_bytes) * uint32_t(height);
  layout.file_bytes = 54 + layout.palette_bytes + layout.pixel_bytes;
  return layout;
}

void capture_screen() {
  drop_capture();
  HMONITOR monitor = MonitorFromWindow(GetDesktopWindow(), MONITOR_DEFAULTTONEAREST);
  MONITORINFOEXA monitor_info = {};
  monitor_info.cbSize = sizeof(monitor_info);
  if (monitor == nullptr || !GetMonitorInfoA(monitor, reinterpret_cast<MONITORINFO*>(&monitor_info))) return;
  DEVMODEA mode = {};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsA(monitor_info.szDevice, ENUM_CURRENT_SETTINGS, &mode)) return;
  const int width = int(mode.dmPelsWidth), height = int(mode.dmPelsHeight);
  if (width <= 0 || height <= 0) return;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;

  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return;
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  capture_bitmap = memory ? CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (capture_bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, capture_bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
  }
  ReleaseDC(nullptr, screen);
  if (memory != nullptr) DeleteDC(memory);
}

void save_capture_bmp() {
  if (capture_bitmap == nullptr) return;
  BITMAP bitmap = {};
  if (GetObjectA(capture_bitmap, sizeof(bitmap), &bitmap) == 0) return drop_capture();
  const int width = bitmap.bmWidth, height = bitmap.bmHeight;
  const capture_layout layout = capture_layout_for(display_depth(), width, height);
  const uint64_t block_bytes = 40 + layout.palette_bytes + layout.pixel_bytes;
  if (layout.file_bytes > 0xFFFFFFFFu) return drop_capture();

  HGLOBAL memory = GlobalAlloc(GHND, SIZE_T(block_bytes));
  auto* block = memory ? static_cast<uint8_t*>(GlobalLock(memory)) : nullptr;
  const bool read = block != nullptr && read_rows(layout, width, height, block);
  HANDLE file = read ? CreateFileA("temp\\image1.bmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)
                     : INVALID_HANDLE_VALUE;
  if (file != INVALID_HANDLE_VALUE) {
    uint8_t header[14] = {'B', 'M'};
    write_u32(header + 2, uint32_t(layout.file_bytes));
    write_u16(header + 6, 0);
    write_u16(header + 8, 0);
    write_u32(header + 10, 54 + layout.palette_bytes);
    DWORD written = 0;
    WriteFile(file, header, sizeof header, &written, nullptr);
    WriteFile(file, block, DWORD(block_bytes), &written, nullptr);
    CloseHandle(file);
  }
  if (block != nullptr) GlobalUnlock(memory);
  if (memory != nullptr) GlobalFree(memory);
  drop_capture();
}

}  // namespace quillfern
