// Device contexts: the drawing state of a memory DC or of the screen DC, and
// the device description the drawing calls work from (the surface and the
// list of device rectangles drawing may touch, computed once per call above
// the pixel loops).
// Depends on: objects, region, surface. Declares no drawing calls.
#pragma once

#include <memory>
#include <vector>

#include "gdi/objects.h"
#include "gdi/region.h"
#include "gdi/surface.h"

namespace platform::gdi {

struct DeviceContext : GdiObject {
  static bool is_kind(DWORD t) { return t == OBJ_DC || t == OBJ_MEMDC; }
  explicit DeviceContext(bool screen) : GdiObject(screen ? OBJ_DC : OBJ_MEMDC) {}
  bool is_screen() const { return type == OBJ_DC && window == nullptr; }
  bool display_dc = false;  // a screen DC made by CreateDC: ended by DeleteDC, not ReleaseDC

  std::shared_ptr<Bitmap> bitmap;  // null for the screen DC
  std::shared_ptr<Pen> pen;
  std::shared_ptr<Brush> brush;
  std::shared_ptr<Font> font;
  COLORREF bk_color = 0x00FFFFFF;
  COLORREF text_color = 0;
  int bk_mode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int stretch_mode = BLACKONWHITE;
  UINT text_align = TA_LEFT | TA_TOP;
  float miter_limit = 10.0f;
  POINT viewport{0, 0};
  POINT position{0, 0};
  bool has_clip = false;
  Region clip;  // device coordinates, as selected (not limited to the surface)

  // A window's DC draws into the window's client framebuffer, within the
  // part of it that the window may draw on.
  HWND window = nullptr;
  Surface window_surface;
  RECT window_area{};
  std::vector<RECT> window_excluded;  // visible children of a WS_CLIPCHILDREN window
};

inline std::shared_ptr<DeviceContext> find_dc(HDC dc) { return find_as<DeviceContext>(dc); }

// Pixels the DC draws on; false when there are none (the stock 1x1 bitmap).
bool surface_of(const DeviceContext& dc, Surface* out);
// The clip region's rectangles within `width` x `height`, or that whole area without a clip region.
std::vector<RECT> clip_rects(const DeviceContext& dc, int width, int height);

// The smallest rectangle holding all of `rects` (not empty).
RECT bounding_box(const std::vector<RECT>& rects);

// Logical to device coordinates, in 64 bits so no argument can overflow.
inline int64_t device_x(const DeviceContext& dc, int x) { return int64_t{x} + dc.viewport.x; }
inline int64_t device_y(const DeviceContext& dc, int y) { return int64_t{y} + dc.viewport.y; }

// The screen DC handed out by GetDC(NULL), and its release.
HDC create_screen_dc();
bool release_screen_dc(HDC dc);

// A DC in its initial state (stock pen, brush, font and, for memory DCs, bitmap).
std::shared_ptr<DeviceContext> new_dc_record(bool screen);
// Deletes a DC whose kind `accept` approves; false when it is not such a DC.
bool delete_dc_if(HDC handle, bool (*accept)(const DeviceContext&));

}  // namespace platform::gdi
