// Device contexts of windows: they draw into the window's client framebuffer,
// held from GetDC (or BeginPaint) to ReleaseDC (or EndPaint); releasing the
// DC hands the window's drawable area back to the window manager, which puts
// it on the screen. The window's pixels come through the display layer's
// window surfaces (registered by the window manager).
// Depends on: dc, display/window_surfaces. Puts nothing on the screen itself (the window manager does).
#include "gdi/window_dc.h"

#include "display/window_surfaces.h"
#include "gdi/dc.h"

namespace platform::gdi {
namespace {

bool is_window_dc(const DeviceContext& dc) { return dc.window != nullptr; }

}  // namespace

HDC create_window_dc(HWND hwnd) {
  Surface surface;
  RECT area;
  std::vector<RECT> excluded;
  if (!display::window_surfaces().acquire(hwnd, &surface, &area, &excluded)) return nullptr;
  try {
    auto dc = new_dc_record(true);
    dc->window = hwnd;
    dc->window_surface = surface;
    dc->window_area = area;
    dc->window_excluded = std::move(excluded);
    return static_cast<HDC>(register_object(std::move(dc)));
  } catch (const std::bad_alloc&) {
    display::window_surfaces().release(hwnd, RECT{0, 0, 0, 0});
    return nullptr;
  }
}

bool release_window_dc(HDC handle) {
  const auto dc = find_dc(handle);
  if (!dc || dc->window == nullptr) return false;
  const HWND hwnd = dc->window;
  const RECT area = dc->window_area;
  if (!delete_dc_if(handle, is_window_dc)) return false;
  display::window_surfaces().release(hwnd, area);
  return true;
}

}  // namespace platform::gdi
