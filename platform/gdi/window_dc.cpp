// Device contexts of windows: they draw into the window's client framebuffer,
// held from GetDC (or BeginPaint) to ReleaseDC (or EndPaint); releasing the
// DC hands the window's drawable area back to the window manager, which puts
// it on the screen.
#include "gdi/window_dc.h"

#include "gdi/dc.h"
#include "wm/window_surface.h"

namespace platform::gdi {
namespace {

bool is_window_dc(const DeviceContext& dc) { return dc.window != nullptr; }

}  // namespace

HDC create_window_dc(HWND hwnd) {
  Surface surface;
  RECT area;
  std::vector<RECT> excluded;
  if (!wm::window_surface_acquire(hwnd, &surface, &area, &excluded)) return nullptr;
  try {
    auto dc = new_dc_record(true);
    dc->window = hwnd;
    dc->window_surface = surface;
    dc->window_area = area;
    dc->window_excluded = std::move(excluded);
    return static_cast<HDC>(register_object(std::move(dc)));
  } catch (const std::bad_alloc&) {
    wm::window_surface_release(hwnd, RECT{0, 0, 0, 0});
    return nullptr;
  }
}

bool release_window_dc(HDC handle) {
  const auto dc = find_dc(handle);
  if (!dc || dc->window == nullptr) return false;
  const HWND hwnd = dc->window;
  const RECT area = dc->window_area;
  if (!delete_dc_if(handle, is_window_dc)) return false;
  wm::window_surface_release(hwnd, area);
  return true;
}

}  // namespace platform::gdi
